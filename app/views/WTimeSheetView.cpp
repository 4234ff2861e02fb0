// The view of one time sheet.
#include "views/WTimeSheetView.h"

#include <algorithm>

#include <wx/frame.h>
#include <wx/headerctrl.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "application/WResourceStrings.h"
#include "controls/WFileStatusCtrl.h"
#include "controls/WHeaderCtrl.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskDocument.h"
#include "tasks/STaskVector.h"
#include "views/WEntryCommands.h"

wxBEGIN_EVENT_TABLE(WTimeSheetView, wxView)
  EVT_MENU_RANGE(WCommandIds::eSortByDate, WCommandIds::eSortByOrderInFile, WTimeSheetView::OnSortCommand)
  EVT_MENU_RANGE(WCommandIds::eGroupByDate, WCommandIds::eGroupByDescription, WTimeSheetView::OnGroupCommand)
  EVT_MENU(WCommandIds::eUngroup, WTimeSheetView::OnUngroupCommand)
  EVT_UPDATE_UI_RANGE(WCommandIds::eSortByDate, WCommandIds::eSortByOrderInFile,
                      WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI_RANGE(WCommandIds::eGroupByDate, WCommandIds::eGroupByDescription,
                      WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI(WCommandIds::eUngroup, WTimeSheetView::OnUpdateUngroup)
  EVT_UPDATE_UI(wxID_PRINT, WTimeSheetView::OnUpdatePrint)
  EVT_UPDATE_UI(wxID_PREVIEW, WTimeSheetView::OnUpdatePrint)
wxEND_EVENT_TABLE()

WTimeSheetView::WTimeSheetView(STaskDocument & ioDocument)
    : mDocumentData(ioDocument), mEncoding(mDocumentData.GetData()), mListBox(nullptr), mTreeBox(nullptr),
      mHeaderControl(nullptr), mDateFormatString("%A, %B %d, %Y"), mPageFormatString("Page %d") {
  STaskVector & data = mDocumentData.GetData();
  mListBox = new WListListBox(data, mColumns, mEncoding);
  mTreeBox = new WTreeListBox(data, mColumns, mEncoding);
  mHeaderControl = new WHeaderCtrl();
  mTreeBox->GetPopulator().StopListening();
}

WTimeSheetView::~WTimeSheetView() {
  if (mIsCreated) {
    // The lists draw by this view's columns and encoding: they go first.
    if (wxPanel * panel = mPanel.get()) {
      panel->Destroy();
    }
  } else {
    delete mListBox;
    delete mTreeBox;
    delete mHeaderControl;
  }
}

bool WTimeSheetView::OnCreate(wxDocument *, long) { return CreateViewWindow(GetFrame()); }


wxPanel * WTimeSheetView::GetPanel() const { return mPanel.get(); }

wxString WTimeSheetView::ColumnTitle(int inColumn) {
  switch (inColumn) {
  case 0:
    return WResourceStrings::sDateFieldHeader;
  case 1:
    return WResourceStrings::sDurationFieldHeader;
  case 2:
    return WResourceStrings::sWhoCodeFieldHeader;
  case 3:
    return WResourceStrings::sJobNumberFieldHeader;
  case 4:
    return WResourceStrings::sTimeCodeFieldHeader;
  case 5:
    return WResourceStrings::sDescriptionFieldHeader;
  default:
    return wxString();
  }
}

bool WTimeSheetView::CreateViewWindow(wxWindow * inParent) {
  if (mIsCreated || inParent == nullptr) {
    return false;
  }
  auto * panel = new wxPanel(inParent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  panel->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  mPanel = panel;
  mIsCreated = true;
  const long paneStyle = wxVSCROLL | wxBORDER_THEME;
  if (!mListBox->Create(panel, wxID_ANY, wxPoint(0, 0), wxSize(1, 1), paneStyle) ||
      !mTreeBox->Create(panel, wxID_ANY, wxPoint(0, 0), wxSize(1, 1), paneStyle)) {
    return false;
  }
  mListBox->Move(0, sHeaderHeight);
  mTreeBox->Move(0, sHeaderHeight);
  mListBox->Hide();
  mTreeBox->Hide();
  if (!CreateHeaderControl()) {
    return false;
  }
  mStatusControl = new WFileStatusCtrl(mDocumentData);
  if (!mStatusControl->Create(panel, wxID_ANY, wxPoint(0, 0), wxSize(sHeaderHeight, sHeaderHeight))) {
    return false;
  }
  mEntryCommands = std::make_unique<WEntryCommands>(*this);
  panel->Bind(wxEVT_SIZE, &WTimeSheetView::OnPanelSize, this);
  panel->Bind(wxEVT_HEADER_CLICK, &WTimeSheetView::OnHeaderClick, this);
  panel->Bind(wxEVT_HEADER_RESIZING, &WTimeSheetView::OnHeaderResize, this);
  panel->Bind(wxEVT_HEADER_END_RESIZE, &WTimeSheetView::OnHeaderResize, this);

  // Start out as if grouped, then switch to the flat list: it shows, the populator stays off.
  mIsGrouped = true;
  SetListMode();
  LayoutPanes(panel->GetClientSize());
  return true;
}

bool WTimeSheetView::CreateHeaderControl() {
  if (!mHeaderControl->Create(GetPanel(), wxID_ANY, wxPoint(sHeaderHeight, 0), wxSize(32767 - 20, sHeaderHeight))) {
    return false;
  }
  mFixedHeaderWidth = 0;
  for (int column = 0; column < WTimeSheetColumns::sColumnCount; ++column) {
    if (column > 0) {
      mFixedHeaderWidth += static_cast<std::uint32_t>(mColumns.mWidth[static_cast<std::size_t>(column - 1)]);
    }
    mHeaderControl->InsertItem(column, mColumns.mWidth[static_cast<std::size_t>(column)], ColumnTitle(column));
  }
  return true;
}

void WTimeSheetView::OnPanelSize(wxSizeEvent & inEvent) {
  inEvent.Skip();
  if (wxPanel * panel = GetPanel()) {
    LayoutPanes(panel->GetClientSize());
  }
}

void WTimeSheetView::LayoutPanes(const wxSize & inSize) {
  if (!mIsCreated || GetPanel() == nullptr) {
    return;
  }
  const int width = inSize.x;
  const int height = inSize.y;
  const int paneHeight = std::max(height - sHeaderHeight, 0);
  mListBox->SetSize(0, sHeaderHeight, width, paneHeight);
  mTreeBox->SetSize(0, sHeaderHeight, width, paneHeight);
  mHeaderControl->SetSize(sHeaderHeight, 0, std::max(width - sHeaderHeight, 0), sHeaderHeight);
  mHeaderControl->Show();
  if (mStatusControl != nullptr) {
    mStatusControl->SetSize(0, 0, sHeaderHeight, sHeaderHeight);
  }
  if (mFixedHeaderWidth != 0) {
    const int description = std::max(width - sHeaderHeight - static_cast<int>(mFixedHeaderWidth), 0);
    mHeaderControl->SetItemWidth(WTimeSheetColumns::sDescription, description);
    mColumns.SetDescriptionWidth(description);
  }
  SnapToRows();
}

void WTimeSheetView::SnapToRows() {
  wxPanel * panel = GetPanel();
  if (mIsSnapping || panel == nullptr) {
    return;
  }
  // Only a frame of its own can be given another height; tabs and maximized windows cannot.
  auto * frame = wxDynamicCast(panel->GetParent(), wxTopLevelWindow);
  if (frame == nullptr || frame->IsMaximized() || frame->IsFullScreen() || !frame->IsShown()) {
    return;
  }
  const int client = mListBox->GetClientSize().y;
  const int rows = client / WListListBox::sRowHeight;
  const int excess = client - rows * WListListBox::sRowHeight;
  if (excess == 0 || rows == 0) {
    return;
  }
  mIsSnapping = true;
  const wxSize size = frame->GetSize();
  frame->SetSize(size.x, size.y - excess);
  mIsSnapping = false;
}

void WTimeSheetView::OnDraw(wxDC *) {}

void WTimeSheetView::SelectEntries(const std::vector<std::uint32_t> & inIndices) {
  if (!mIsCreated || inIndices.empty()) {
    return;
  }
  if (mIsGrouped) {
    mTreeBox->SelectEntry(inIndices.front());
  } else {
    mListBox->SelectEntries(inIndices);
  }
}

wxWindow * WTimeSheetView::VisiblePane() const {
  return mIsGrouped ? static_cast<wxWindow *>(mTreeBox) : static_cast<wxWindow *>(mListBox);
}

void WTimeSheetView::SetListMode() {
  if (!mIsGrouped) {
    return;
  }
  const bool hadFocus = mIsCreated && wxWindow::FindFocus() == mTreeBox;
  mTreeBox->Hide();
  mListBox->Show();
  mListBox->Raise();
  mIsGrouped = false;
  mTreeBox->GetPopulator().StopListening();
  if (hadFocus) {
    mListBox->SetFocus();
  }
}

void WTimeSheetView::SetTreeMode() {
  if (mIsGrouped) {
    return;
  }
  mListBox->CommitInPlaceEdit();
  const bool hadFocus = mIsCreated && wxWindow::FindFocus() == mListBox;
  mListBox->Hide();
  mTreeBox->Show();
  mTreeBox->Raise();
  mIsGrouped = true;
  mTreeBox->GetPopulator().StartListening();
  if (hadFocus) {
    mTreeBox->SetFocus();
  }
}

void WTimeSheetView::OnSort(int inId) {
  if (inId < WCommandIds::eSortByDate || inId > WCommandIds::eSortByOrderInFile) {
    return;
  }
  if (inId == WCommandIds::eSortByOrderInFile) {
    ++mSortByOrderInFileCount;
  }
  wxBusyCursor wait;
  const STaskComparator comparator(&mDocumentData.GetData(), static_cast<STaskComparator::EField>(inId - 16416));
  mListBox->Sort(comparator);
  SetListMode();
}

void WTimeSheetView::OnGroup(int inId) {
  if (inId < WCommandIds::eGroupByDate || inId > WCommandIds::eGroupByDescription) {
    return;
  }
  wxBusyCursor wait;
  mListBox->CommitInPlaceEdit();
  const STaskComparator comparator(&mDocumentData.GetData(), static_cast<STaskComparator::EField>(inId - 16432));
  mTreeBox->Group(comparator);
  SetTreeMode();
}

void WTimeSheetView::OnUngroup() { SetListMode(); }

void WTimeSheetView::OnSortCommand(wxCommandEvent & inEvent) { OnSort(inEvent.GetId()); }

void WTimeSheetView::OnGroupCommand(wxCommandEvent & inEvent) { OnGroup(inEvent.GetId()); }

void WTimeSheetView::OnUngroupCommand(wxCommandEvent &) { OnUngroup(); }

void WTimeSheetView::OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent) { inEvent.Enable(true); }

void WTimeSheetView::OnUpdateUngroup(wxUpdateUIEvent & inEvent) { inEvent.Enable(mIsGrouped); }

void WTimeSheetView::OnUpdatePrint(wxUpdateUIEvent & inEvent) { inEvent.Enable(false); }

void WTimeSheetView::OnHeaderClick(wxHeaderCtrlEvent & inEvent) {
  const int column = inEvent.GetColumn();
  if (column < 0 || column >= WTimeSheetColumns::sColumnCount) {
    return;
  }
  if (mIsGrouped) {
    OnGroup(WCommandIds::eGroupByDate + column);
  } else {
    OnSort(WCommandIds::eSortByDate + column);
  }
}

void WTimeSheetView::OnHeaderResize(wxHeaderCtrlEvent & inEvent) {
  const int column = inEvent.GetColumn();
  if (column < 0 || column >= WTimeSheetColumns::sColumnCount) {
    return;
  }
  mListBox->CommitInPlaceEdit();
  mColumns.SetWidth(column, inEvent.GetWidth());
  // Description always takes what the other columns leave of the window.
  mFixedHeaderWidth = static_cast<std::uint32_t>(mColumns.FixedWidth());
  if (wxPanel * panel = GetPanel()) {
    LayoutPanes(panel->GetClientSize());
  }
  VisiblePane()->Refresh();
}
