// The view of one time sheet.
#include "views/WTimeSheetView.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/headerctrl.h>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/settings.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "application/WResourceStrings.h"
#include "application/WTallyworthApp.h"
#include "controls/WFileStatusCtrl.h"
#include "controls/WHeaderCtrl.h"
#include "dialogs/WMultiLevelCompareDialog.h"
#include "documents/SDocumentException.h"
#include "documents/WTimeSheetDocument.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "other/WMessageBox.h"
#include "resources/WCommandIds.h"
#include "resources/WStringTable.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskDocument.h"
#include "tasks/STaskVector.h"
#include "views/WTimeSheetPrintout.h"
#include "views/WEntryCommands.h"

wxBEGIN_EVENT_TABLE(WTimeSheetView, wxView)
  EVT_MENU_RANGE(WCommandIds::eSortByDate, WCommandIds::eSortByOrderInFile, WTimeSheetView::OnSortCommand)
  EVT_MENU_RANGE(WCommandIds::eGroupByDate, WCommandIds::eGroupByDescription, WTimeSheetView::OnGroupCommand)
  EVT_MENU(WCommandIds::eUngroup, WTimeSheetView::OnUngroupCommand)
  EVT_MENU(WCommandIds::eSortByOther, WTimeSheetView::OnByOtherCommand)
  EVT_MENU(WCommandIds::eGroupByOther, WTimeSheetView::OnByOtherCommand)
  EVT_UPDATE_UI(WCommandIds::eSortByOther, WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI(WCommandIds::eGroupByOther, WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_MENU(WCommandIds::eReportFilter, WTimeSheetView::OnReportFilterCommand)
  EVT_UPDATE_UI(WCommandIds::eReportFilter, WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI_RANGE(WCommandIds::eSortByDate, WCommandIds::eSortByOrderInFile,
                      WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI_RANGE(WCommandIds::eGroupByDate, WCommandIds::eGroupByDescription,
                      WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI(WCommandIds::eUngroup, WTimeSheetView::OnUpdateUngroup)
  EVT_MENU(wxID_PRINT, WTimeSheetView::OnPrintCommand)
  EVT_MENU(wxID_PREVIEW, WTimeSheetView::OnPreviewCommand)
  EVT_UPDATE_UI(wxID_PRINT, WTimeSheetView::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI(wxID_PREVIEW, WTimeSheetView::OnUpdateAlwaysEnabled)
wxEND_EVENT_TABLE()

WTimeSheetView::WTimeSheetView(STaskDocument & ioDocument)
    : mDocumentData(ioDocument), mEncoding(mDocumentData.GetData()), mListBox(nullptr), mTreeBox(nullptr),
      mHeaderControl(nullptr), mDateFormatString(WStringTable::Get(WStringTable::ePrintDateFormat)),
      mPageFormatString(WStringTable::Get(WStringTable::ePrintPageFormat)) {
  STaskVector & data = mDocumentData.GetData();
  mListBox = new WListListBox(data, mColumns, mEncoding);
  // A read-only time sheet is not edited in place.
  mListBox->SetEditGuard([this] {
    const auto * document = dynamic_cast<const WTimeSheetDocument *>(mDocumentData.GetDocument());
    return document == nullptr || !document->RefuseChangeIfReadOnly();
  });
  mTreeBox = new WTreeListBox(data, mColumns, mEncoding);
  mHeaderControl = new WHeaderCtrl();
  mTreeBox->GetPopulator().StopListening();
}

WTimeSheetView::~WTimeSheetView() {
  // Its printouts draw this view's lists.
  if (wxPreviewFrame * preview = mPreviewFrame.get()) {
    preview->Close(true);
  }
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
  ShowSortMark();
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
  ShowSortMark();
}

void WTimeSheetView::ShowSortMark() {
  const int code = mIsGrouped ? mTreeOrder : mListOrder;
  const int column = std::abs(code) - 1;
  if (mHeaderControl != nullptr && mIsCreated)
    mHeaderControl->SetSortMark(column < WTimeSheetColumns::sColumnCount ? column : -1, code < 0);
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
  mListOrder = comparator.Field(0);
  SetListMode();
  ShowSortMark();
}

void WTimeSheetView::OnGroup(int inId) {
  if (inId < WCommandIds::eGroupByDate || inId > WCommandIds::eGroupByDescription) {
    return;
  }
  wxBusyCursor wait;
  mListBox->CommitInPlaceEdit();
  const STaskComparator comparator(&mDocumentData.GetData(), static_cast<STaskComparator::EField>(inId - 16432));
  mTreeBox->Group(comparator);
  mTreeOrder = comparator.Field(0);
  SetTreeMode();
  ShowSortMark();
}

void WTimeSheetView::OnUngroup() { SetListMode(); }

namespace {

// The program's one Sort By Other or Group By Other dialog, made on first use. It has no
// parent window: it outlives the time sheet window that first asked for it.
WMultiLevelCompareDialog & CompareDialog(bool inGrouping, wxWindow * inAskedBy) {
  std::unique_ptr<WMultiLevelCompareDialog> & dialog =
      inGrouping ? WTallyworthApp::sGroupDialog : WTallyworthApp::sSortDialog;
  if (!dialog) {
    dialog = std::make_unique<WMultiLevelCompareDialog>(
        inGrouping ? WMultiLevelCompareDialog::eGroupByOther : WMultiLevelCompareDialog::eSortByOther, nullptr,
        inGrouping);
    if (wxWindow * frame = inAskedBy != nullptr ? wxGetTopLevelParent(inAskedBy) : nullptr) {
      const wxRect over = frame->GetScreenRect();
      dialog->Move(over.GetPosition() + (over.GetSize() - dialog->GetSize()) / 2);
    }
  }
  return *dialog;
}

} // namespace

void WTimeSheetView::OnSortByOther() {
  WMultiLevelCompareDialog & dialog = CompareDialog(false, GetPanel());
  if (dialog.DoModal() != wxID_OK)
    return;
  wxBusyCursor wait;
  STaskComparator comparator = dialog.GetComparator();
  comparator.SetVector(&mDocumentData.GetData());
  mListBox->Sort(comparator);
  mListOrder = comparator.Field(0);
  SetListMode();
  ShowSortMark();
}

void WTimeSheetView::OnGroupByOther() {
  WMultiLevelCompareDialog & dialog = CompareDialog(true, GetPanel());
  if (dialog.DoModal() != wxID_OK)
    return;
  wxBusyCursor wait;
  mListBox->CommitInPlaceEdit();
  STaskComparator comparator = dialog.GetComparator();
  comparator.SetVector(&mDocumentData.GetData());
  mTreeBox->Group(comparator);
  mTreeOrder = comparator.Field(0);
  SetTreeMode();
  ShowSortMark();
}

void WTimeSheetView::OnByOtherCommand(wxCommandEvent & inEvent) {
  if (inEvent.GetId() == WCommandIds::eGroupByOther)
    OnGroupByOther();
  else
    OnSortByOther();
}

void WTimeSheetView::OnReportFilter() {
  auto * document = dynamic_cast<WTimeSheetDocument *>(GetDocument());
  if (document == nullptr) {
    return;
  }
  mListBox->CommitInPlaceEdit();
  try {
    document->OnReportFilter(*mListBox, mEncoding);
  } catch (const SDocumentException & failure) {
    WTimeSheetDocument::ShowFailure(failure, wxString());
  }
}

void WTimeSheetView::OnReportFilterCommand(wxCommandEvent &) { OnReportFilter(); }

void WTimeSheetView::OnSortCommand(wxCommandEvent & inEvent) { OnSort(inEvent.GetId()); }

void WTimeSheetView::OnGroupCommand(wxCommandEvent & inEvent) { OnGroup(inEvent.GetId()); }

void WTimeSheetView::OnUngroupCommand(wxCommandEvent &) { OnUngroup(); }

void WTimeSheetView::OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent) { inEvent.Enable(true); }

void WTimeSheetView::OnUpdateUngroup(wxUpdateUIEvent & inEvent) { inEvent.Enable(mIsGrouped); }

wxPrintout * WTimeSheetView::OnCreatePrintout() { return new WTimeSheetPrintout(*this); }

wxPrintData & WTimeSheetView::PrintData() {
  static wxPrintData sWithoutManager;
  wxDocManager * manager = wxDocManager::GetDocumentManager();
  return manager != nullptr ? manager->GetPageSetupDialogData().GetPrintData() : sWithoutManager;
}

bool WTimeSheetView::PrintWith(wxPrinterBase & ioPrinter, bool inPrompt) {
  mListBox->CommitInPlaceEdit();
  WTimeSheetPrintout printout(*this);
  wxWindow * panel = GetPanel();
  return ioPrinter.Print(panel != nullptr ? wxGetTopLevelParent(panel) : nullptr, &printout, inPrompt);
}

wxPreviewFrame * WTimeSheetView::ShowPrintPreview() {
  if (wxPreviewFrame * open = mPreviewFrame.get()) {
    open->Raise();
    return open;
  }
  mListBox->CommitInPlaceEdit();
  wxPrintDialogData data(PrintData());
  auto * preview = new wxPrintPreview(new WTimeSheetPrintout(*this), new WTimeSheetPrintout(*this), &data);
  if (!preview->IsOk()) {
    delete preview;
    WMessageBox::Show(_("Print preview creation failed."), wxOK | wxICON_ERROR);
    return nullptr;
  }
  wxWindow * panel = GetPanel();
  wxWindow * owner = panel != nullptr ? wxGetTopLevelParent(panel) : wxTheApp->GetTopWindow();
  auto * frame = new wxPreviewFrame(preview, owner, _("Print Preview"));
  frame->Initialize();
  // Over the main window, as large as it is.
  if (owner != nullptr) {
    frame->SetSize(owner->GetRect());
  }
  frame->Show();
  mPreviewFrame = frame;
  mPreview = preview;
  return frame;
}

void WTimeSheetView::OnPrintCommand(wxCommandEvent &) {
  wxPrintDialogData data(PrintData());
  wxPrinter printer(&data);
  // A failed print is reported by the printer; a cancelled one needs no word.
  PrintWith(printer, true);
}

void WTimeSheetView::OnPreviewCommand(wxCommandEvent &) {
  wxBusyCursor wait;
  ShowPrintPreview();
}

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
