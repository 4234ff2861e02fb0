// The view of one time sheet: a flat list and a grouped list in the same place under a
// column header, with the file status control in the top-left corner. It carries out the
// Sort, Group and Ungroup commands and keeps the column layout both lists draw by.
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
  /// Shows the flat list again.
  void OnUngroup();

  /// Lays the window out for a client area of `inSize`: the lists below the header, the
  /// header right of the status corner, Description taking the width that is left.
  void LayoutPanes(const wxSize & inSize);

  /// Draws nothing: the lists, the header and the status control cover the view.
  void OnDraw(wxDC * inDC) override;

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
  void OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent);
  void OnUpdateUngroup(wxUpdateUIEvent & inEvent);
  void OnUpdatePrint(wxUpdateUIEvent & inEvent);
  // Snaps a top-level frame holding the view to whole rows of the flat list.
  void SnapToRows();
  // The pane now shown.
  wxWindow * VisiblePane() const;

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
  bool mIsCreated = false;
  bool mIsSnapping = false;
  unsigned mSortByOrderInFileCount = 0;
  std::unique_ptr<WEntryCommands> mEntryCommands;

  wxDECLARE_EVENT_TABLE();
};
