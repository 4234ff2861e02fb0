// The child window of one time sheet.
#include "windows/WTimeSheetWindow.h"

#include <algorithm>

#include <wx/infobar.h>
#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/settings.h>

#include "application/WResourceStrings.h"
#include "application/WTallyworthApp.h"
#include "controls/WFileSettingsPopup.h"
#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocument.h"
#include "numbers/SLongToString.h"
#include "dates/STimeString.h"
#include "other/WFonts.h"
#include "panes/WStatusBar.h"
#include "resources/WCommandIds.h"
#include "resources/WImages.h"
#include "resources/WMenus.h"
#include "tasks/STaskVector.h"
#include "windows/WMainWindow.h"

wxBEGIN_EVENT_TABLE(WTimeSheetWindow, WTimeSheetWindowBase)
  EVT_SIZE(WTimeSheetWindow::OnSize)
  EVT_UPDATE_UI_RANGE(WCommandIds::eFirstProgramCommand, WCommandIds::eLastProgramCommand,
                      WTimeSheetWindow::OnUpdateUnhandled)
  EVT_UPDATE_UI(wxID_ABOUT, WTimeSheetWindow::OnUpdateUnhandled)
wxEND_EVENT_TABLE()

WTimeSheetWindow::WTimeSheetWindow(WTimeSheetDocument & inDocument)
    : mDocumentData(inDocument), mTimeSheetDocument(inDocument) {
  mDocumentData.GetData().AddListener(this);
}

WTimeSheetWindow::~WTimeSheetWindow() {
  if (WTallyworthApp::gMainWindow != nullptr && !WTallyworthApp::gMainWindow->IsBeingDeleted())
    WTallyworthApp::gMainWindow->RequestTitleUpdate();
  if (auto * manager = dynamic_cast<WDocManager *>(wxDocManager::GetDocumentManager())) {
    if (wxMenuBar * menuBar = GetMenuBar())
      manager->RemoveRecentFileMenu(WMenus::FindRecentFileMenu(*menuBar));
  }
}

bool WTimeSheetWindow::Create(wxView * inView, WMainWindow * inParent) {
  if (!WTimeSheetWindowBase::Create(&mTimeSheetDocument, inView, inParent, wxID_ANY,
                                  mTimeSheetDocument.GetUserReadableName(), wxDefaultPosition,
                                  wxDefaultSize, wxDEFAULT_FRAME_STYLE)) {
    if (inView != nullptr)
      inView->SetDocChildFrame(nullptr);
    return false;
  }
  wxMenuBar * menuBar = WMenus::CreateMenuBar(WMenus::eTimeSheetMenu);
  SetMenuBar(menuBar);
  if (auto * manager = dynamic_cast<WDocManager *>(mTimeSheetDocument.GetDocumentManager()))
    manager->AddRecentFileMenu(WMenus::FindRecentFileMenu(*menuBar));
  if (!CreateTimeSheetStatusBar())
    return false;
  Bind(wxEVT_ACTIVATE, &WTimeSheetWindow::OnActivateWindow, this);
  return true;
}

bool WTimeSheetWindow::CreateTimeSheetStatusBar() {
  mStatusBar = new WStatusBar;
  if (!mStatusBar->Create(this, wxID_ANY))
    return false;
  {
    wxClientDC dc(mStatusBar);
    dc.SetFont(WFonts::GetTahoma85());
    const std::array<int, WStatusBar::kPaneCount> widths = GetStatusPaneWidths(dc);
    mStatusBar->SetStatusWidths(WStatusBar::kPaneCount, widths.data());
  }
  mStatusBar->SetDrawItem(
      [this](wxDC & inDC, int inPane, const wxRect & inRect) { DrawStatusPane(inDC, inPane, inRect); });
  mFileSettingsPopup = new WFileSettingsPopup(mTimeSheetDocument, WMenus::eFileSettingsMenu);
  return mFileSettingsPopup->Create(mStatusBar, wxID_ANY, wxPoint(0, 2), wxSize(15, 15),
                                    WImages::Get(WImages::eFileSettingsUp),
                                    WImages::Get(WImages::eFileSettingsDown));
}

void WTimeSheetWindow::FinishCreation() {
  LayoutChildren();
  Show();
  Activate();
  if (WTallyworthApp::gMainWindow != nullptr) {
    WTallyworthApp::gMainWindow->UpdateTitle();
    WTallyworthApp::gMainWindow->RequestMinSizeUpdate();
  }
}

void WTimeSheetWindow::UpdateTitle() {
  const wxString title = mTimeSheetDocument.GetWindowTitle();
  if (GetTitle() != title)
    SetTitle(title);
  if (WTallyworthApp::gMainWindow != nullptr)
    WTallyworthApp::gMainWindow->UpdateTitle();
}

void WTimeSheetWindow::ListenToMessage(TVectorMessage<STask> inMessage) {
  if (mStatusBar == nullptr)
    return;
  switch (inMessage.code()) {
  case TVectorMessage<STask>::eInsert:
  case TVectorMessage<STask>::eDelete:
    mStatusBar->RefreshPane(eEntryCountPane);
    mStatusBar->RefreshPane(eDurationPane);
    break;
  case TVectorMessage<STask>::eChange:
    mStatusBar->RefreshPane(eDurationPane);
    break;
  case TVectorMessage<STask>::eNotice:
    break;
  }
}

void WTimeSheetWindow::ShowMessage(const wxString & inMessage) {
  if (mMessage == inMessage)
    return;
  mMessage = inMessage;
  if (mStatusBar != nullptr)
    mStatusBar->RefreshPane(eRestPane);
}

wxString WTimeSheetWindow::DurationText(STime inTotal) {
  // More hour digits than the largest total has: a total is never shown capped.
  STimeString text(10, 2);
  text = inTotal;
  if (text.size() > 256)
    text.resize(256);
  return wxString::FromUTF8(text.data(), text.size());
}

wxString WTimeSheetWindow::EntryCountText(std::size_t inCount) {
  char digits[32];
  const unsigned long length = SLongToString::LongToString(static_cast<long>(inCount), digits, sizeof digits - 1);
  return wxString::FromAscii(digits, length);
}

std::pair<wxString, wxString> WTimeSheetWindow::GetStatusPaneTexts(int inPane) const {
  if (!HasDocument())
    return {};
  switch (inPane) {
  case eDurationPane:
    return {WResourceStrings::sDurationFooter, DurationText(mDocumentData.GetTotalDuration())};
  case eEntryCountPane:
    return {WResourceStrings::sEntryCountFooter, EntryCountText(mDocumentData.GetTotalCount())};
  case eRestPane:
    return {mMessage, wxString()};
  default:
    return {};
  }
}

void WTimeSheetWindow::DrawStatusPane(wxDC & inDC, int inPane, const wxRect & inRect) {
  const auto [label, value] = GetStatusPaneTexts(inPane);
  if (label.empty())
    return;
  const wxFont oldFont = inDC.GetFont();
  const int oldMode = inDC.GetBackgroundMode();
  inDC.SetFont(WFonts::GetTahoma85());
  inDC.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  inDC.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));

  wxRect text(inRect);
  text.x += 4;
  text.width -= 8;
  inDC.DrawLabel(label, text, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
  const int labelWidth = inDC.GetTextExtent(label).x;
  text.x += labelWidth;
  text.width -= labelWidth;
  inDC.DrawLabel(value, text, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);

  inDC.SetBackgroundMode(oldMode);
  inDC.SetFont(oldFont);
}

namespace {

// inText with every digit replaced by the digit that is widest in inDC's font.
wxString WithWidestDigits(wxDC & inDC, wxString inText) {
  wxChar widest = '0';
  int widestWidth = 0;
  for (wxChar digit = '0'; digit <= '9'; ++digit) {
    const int width = inDC.GetTextExtent(wxString(digit)).x;
    if (width > widestWidth) {
      widest = digit;
      widestWidth = width;
    }
  }
  for (auto it = inText.begin(); it != inText.end(); ++it) {
    if (wxIsdigit(*it))
      *it = widest;
  }
  return inText;
}

} // namespace

std::array<int, 4> WTimeSheetWindow::GetStatusPaneWidths(wxDC & inDC) {
  std::array<int, WStatusBar::kPaneCount> widths = WStatusBar::kPaneWidths;
  // The longest texts: the largest total a time sheet can hold and the largest count.
  const std::pair<wxString, wxString> widest[] = {
      {WResourceStrings::sDurationFooter, DurationText(STime(0xFFFFFFFFul))},
      {WResourceStrings::sEntryCountFooter, EntryCountText(0xFFFFFFFFul)},
  };
  for (int pane : {eDurationPane, eEntryCountPane}) {
    const auto & [label, value] = widest[pane - eDurationPane];
    // 4 pixels of margin either side, as the panes are drawn.
    // Measured whole, with a second space to spare: screen and paper measure a little
    // differently.
    const int needed = 8 + inDC.GetTextExtent(label + "  " + WithWidestDigits(inDC, value)).x;
    widths[static_cast<std::size_t>(pane)] = std::max(widths[static_cast<std::size_t>(pane)], needed);
  }
  return widths;
}

wxSize WTimeSheetWindow::GetMinTrackSize() { return wxSize(200, WTallyworthApp::IsWindowsXP() ? 124 : 100); }

wxSize WTimeSheetWindow::GetMaxTrackSize(const wxSize & inParentClientSize, const wxSize & inWindowSize,
                                         const wxSize & inClientSize) {
  return inParentClientSize + (inWindowSize - inClientSize);
}

void WTimeSheetWindow::LayoutChildren() {
  if (mStatusBar == nullptr)
    return;
  const wxSize client = GetClientSize();
  const int statusHeight = mStatusBar->GetBestSize().y;
  const int viewHeight = client.y > statusHeight ? client.y - statusHeight : 0;
  mStatusBar->SetSize(0, viewHeight, client.x, statusHeight);
  int noticeHeight = 0;
  if (mNotice != nullptr && mNotice->IsShown()) {
    noticeHeight = std::min(mNotice->GetBestSize().y, viewHeight);
    mNotice->SetSize(0, 0, client.x, noticeHeight);
  }
  for (wxWindow * child : GetChildren()) {
    if (child != mStatusBar && child != mNotice && !child->IsTopLevel())
      child->SetSize(0, noticeHeight, client.x, viewHeight - noticeHeight);
  }
}

bool WTimeSheetWindow::Layout() {
  LayoutChildren();
  return true;
}

void WTimeSheetWindow::ShowNotice(const wxString & inText) {
  if (mNotice == nullptr)
    mNotice = new wxInfoBar(this);
  mNoticeText = inText;
  mNotice->ShowMessage(inText, wxICON_WARNING);
  LayoutChildren();
}

void WTimeSheetWindow::OnSize(wxSizeEvent &) {
  LayoutChildren();
  if (WTallyworthApp::gMainWindow != nullptr && WTallyworthApp::gMainWindow->GetActiveTimeSheetWindow() == this)
    WTallyworthApp::gMainWindow->RequestMinSizeUpdate();
}

void WTimeSheetWindow::OnUpdateUnhandled(wxUpdateUIEvent & inEvent) { inEvent.Enable(false); }

void WTimeSheetWindow::OnActivateWindow(wxActivateEvent & inEvent) {
  inEvent.Skip();
  if (inEvent.GetActive() && WTallyworthApp::gMainWindow != nullptr)
    WTallyworthApp::gMainWindow->RequestMinSizeUpdate();
}
