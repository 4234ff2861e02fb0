// The view of one time sheet: a flat list and a grouped list in the same place under a
// column header, with the file status control in the top-left corner. It carries out the
// Sort, Group, Ungroup and Filter commands and keeps the column layout both lists draw by.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <wx/docview.h>
#include <wx/string.h>
#include <wx/weakref.h>

#include "other/WTextEncoding.h"
#include "other/WTimeSheetColumns.h"
#include "tasks/STaskDocumentData.h"

class STaskDocument;
class WEntryCommands;
class WFileStatusCtrl;
class WHeaderCtrl;
class WListListBox;
class WTreeListBox;
class wxHeaderCtrlEvent;
class wxPanel;
class wxPreviewFrame;
class wxPrintData;
class wxPrintPreviewBase;
class wxPrinterBase;
class wxPrintout;
class wxUpdateUIEvent;

class WTimeSheetView : public wxView {
public:
  /// The height of the column header.
  static constexpr int sHeaderHeight = 20;

  /// A view of `ioDocument` (not owned; it must outlive the view's window) in list mode;
  /// the grouped list's populator stays off until the grouped list is first shown.
  explicit WTimeSheetView(STaskDocument & ioDocument);
  ~WTimeSheetView() override;

  /// Creates the view's window in its frame (see CreateViewWindow).
  bool OnCreate(wxDocument * inDocument, long inFlags) override;

  /// Creates the view's window as a child of `inParent`: both lists, the header and the
  /// file status control, in list mode. False if a window cannot be made.
  bool CreateViewWindow(wxWindow * inParent);
  /// The view's window (null before it is created).
  wxPanel * GetPanel() const;
  /// The file status control, or null before the view is created.
  WFileStatusCtrl * GetFileStatusCtrl() const { return mStatusControl; }
  /// How often the view was asked to sort by order in file.
  unsigned GetSortByOrderInFileCount() const { return mSortByOrderInFileCount; }

  /// Shows the flat list and stops the populator; nothing when already in list mode.
  void SetListMode();
  /// Shows the grouped list and starts the populator; nothing when already in tree mode.
  void SetTreeMode();
  /// True while the grouped list is shown.
  bool IsGrouped() const { return mIsGrouped; }

  /// Sorts the flat list by the field of Sort command `inId` and shows it.
  void OnSort(int inId);
  /// Groups the grouped list by the field of Group command `inId` and shows it.
  void OnGroup(int inId);
  /// Runs the Sort By Other dialog; on OK sorts the flat list by its levels and shows it.
  void OnSortByOther();
  /// Runs the Group By Other dialog; on OK groups by its levels and shows the grouped list.
  void OnGroupByOther();
  /// Shows the flat list again.
  void OnUngroup();
  /// Runs the filter dialog and copies the entries of the flat list that pass it, in its
  /// order, into a new time sheet window; a failure is shown.
  void OnReportFilter();

  /// Lays the window out for a client area of `inSize`: the lists below the header, the
  /// header right of the status corner, Description taking the width that is left.
  void LayoutPanes(const wxSize & inSize);

  /// Draws nothing: the lists, the header and the status control cover the view.
  void OnDraw(wxDC * inDC) override;

  /// The printed pages of the pane shown (a new printout, owned by the caller).
  wxPrintout * OnCreatePrintout() override;
  /// Prints through `ioPrinter`, after its dialog when `inPrompt`; false when the printer
  /// failed or the print was cancelled (the printer reports a failure itself).
  bool PrintWith(wxPrinterBase & ioPrinter, bool inPrompt);
  /// Opens the print preview in a frame of its own; null (after a message) when it cannot.
  wxPreviewFrame * ShowPrintPreview();
  /// The print preview while its frame is open, else null.
  wxPrintPreviewBase * GetPrintPreview() const { return mPreviewFrame.get() != nullptr ? mPreview : nullptr; }
  /// The paper and orientation chosen with Print Setup, kept for the program's run.
  static wxPrintData & PrintData();
  /// The date in the printed page header, and the page number, as format strings.
  const wxString & DateFormatString() const { return mDateFormatString; }
  const wxString & PageFormatString() const { return mPageFormatString; }
  /// Selects the entries at the ascending file-order indices `inIndices` in the visible list
  /// (in the grouped list the first of them) and scrolls to them.
  void SelectEntries(const std::vector<std::uint32_t> & inIndices);
  /// The editing commands (Undo, Redo, New Entry, Delete, Cut, Copy, Paste); null before
  /// the view's window exists.
  WEntryCommands * EntryCommands() const { return mEntryCommands.get(); }

  WListListBox * ListBox() const { return mListBox; }
  WTreeListBox * TreeBox() const { return mTreeBox; }
  WHeaderCtrl * HeaderControl() const { return mHeaderControl; }
  const WTimeSheetColumns & Columns() const { return mColumns; }
  const WTextEncoding & Encoding() const { return mEncoding; }
  const STaskDocumentData & DocumentData() const { return mDocumentData; }

  /// The title of column `inColumn`.
  static wxString ColumnTitle(int inColumn);

private:
  bool CreateHeaderControl();
  void OnPanelSize(wxSizeEvent & inEvent);
  void OnHeaderClick(wxHeaderCtrlEvent & inEvent);
  void OnHeaderResize(wxHeaderCtrlEvent & inEvent);
  void OnSortCommand(wxCommandEvent & inEvent);
  void OnGroupCommand(wxCommandEvent & inEvent);
  void OnUngroupCommand(wxCommandEvent & inEvent);
  void OnByOtherCommand(wxCommandEvent & inEvent);
  void OnReportFilterCommand(wxCommandEvent & inEvent);
  void OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent);
  void OnUpdateUngroup(wxUpdateUIEvent & inEvent);
  void OnPrintCommand(wxCommandEvent & inEvent);
  void OnPreviewCommand(wxCommandEvent & inEvent);
  // Snaps a top-level frame holding the view to whole rows of the flat list.
  void SnapToRows();
  // The pane now shown.
  wxWindow * VisiblePane() const;
  // Marks the header column that orders the shown pane first, with its direction.
  void ShowSortMark();

  STaskDocumentData mDocumentData;
  WTextEncoding mEncoding;
  WListListBox * mListBox;           // a child of mPanel once created
  WTreeListBox * mTreeBox;           // a child of mPanel once created
  bool mIsGrouped = false;
  WHeaderCtrl * mHeaderControl;      // a child of mPanel once created
  WFileStatusCtrl * mStatusControl = nullptr; // a child of mPanel once created
  std::uint32_t mFixedHeaderWidth = 0;
  WTimeSheetColumns mColumns;
  wxString mDateFormatString;
  wxString mPageFormatString;
  wxWeakRef<wxPanel> mPanel;         // the view's window, a child of the frame
  wxWeakRef<wxPreviewFrame> mPreviewFrame; // its print preview while open
  wxPrintPreviewBase * mPreview = nullptr;  // owned by mPreviewFrame
  bool mIsCreated = false;
  bool mIsSnapping = false;
  unsigned mSortByOrderInFileCount = 0;
  int mListOrder = 0;                // the first field code the flat list was sorted by
  int mTreeOrder = 0;                // the first field code the grouped list was grouped by
  std::unique_ptr<WEntryCommands> mEntryCommands;

  wxDECLARE_EVENT_TABLE();
};
