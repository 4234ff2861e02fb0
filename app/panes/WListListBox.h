// The flat pane of a time sheet view: an owner-drawn list whose row i shows the entry at
// position i of its own index map over the task vector, one field per column, and whose
// cells can be edited in place after a double click.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <wx/font.h>
#include <wx/vlbox.h>

#include "tasks/STask.h"
#include "tasks/STaskVectorMap.h"

class STaskComparator;
class STaskVector;
class WInPlaceEdit;
class WPrintInfo;
class WTextEncoding;
class WTimeSheetColumns;

class WListListBox : public wxVListBox, public STaskVectorMap {
public:
  /// Every row is this many pixels high.
  static constexpr int sRowHeight = 17;

  /// A list over every entry of `ioVector` laid out by `ioColumns` and shown in the text
  /// encoding `inEncoding` (none owned; all must outlive the list). Create makes the window.
  WListListBox(STaskVector & ioVector, WTimeSheetColumns & ioColumns, const WTextEncoding & inEncoding);
  ~WListListBox() override;

  /// Makes the window: owner drawn, fixed row height, extended selection.
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize,
              long inStyle = 0);

  /// Reorders the rows by `inComparator` (bound to the task vector): ends an open edit,
  /// deselects every row and redraws.
  void Sort(const STaskComparator & inComparator);

  /// Follows the vector: the index map first, then the rows. New rows are counted in once
  /// the messages stop (at the next idle time or paint); a changed entry's row is redrawn.
  void ListenToMessage(TVectorMessage<STask> inMessage) override;

  /// Brings the number of rows up to the map's size now.
  void SyncRows();

  /// The cell of column `inFieldIndex` in the row rectangle `inLineRect`, inset for text when
  /// `inIndent`, never reaching past the row's right edge.
  wxRect GetFieldRect(const wxRect & inLineRect, int inFieldIndex, bool inIndent) const;

  /// Draws row `inIndex` into `inRect`: background (on screen), the six fields, the focus
  /// rectangle.
  void DrawLine(wxDC & ioDC, std::size_t inIndex, const wxRect & inRect, bool inPrinting, bool inSelected,
                bool inFocus) const;

  /// `inGuard` is asked before a cell opens for editing; false keeps it closed.
  void SetEditGuard(std::function<bool()> inGuard) { mEditGuard = std::move(inGuard); }
  /// Stores an edited entry: the vector index, the entry as it was, the entry as edited and
  /// the field edited.
  using EditHandler = std::function<void(std::uint32_t, const STask &, const STask &, int)>;
  /// Shows a message to the user.
  using MessageHandler = std::function<void(const wxString &)>;
  /// Edits are stored through `inEdit` and refusals told through `inMessage`; without them
  /// an edit replaces the entry directly and a refusal goes untold.
  void SetEditHandlers(EditHandler inEdit, MessageHandler inMessage);

  /// Opens the edit box over column `inFieldIndex` of row `inRow` (map position); false
  /// when there is no such cell or the guard refuses. An open box is committed first; when its text is refused
  /// it stays open and no other box opens (true).
  bool OpenInPlaceEdit(std::size_t inRow, int inFieldIndex);
  /// Stores the open box's text if it was modified, then closes the box, and answers true.
  /// Text that is not a date or duration where one is needed, or that the time sheet's
  /// encoding cannot hold, is refused with a message: the box then stays open with the text
  /// (false) when `inKeepRefused`, else it closes without storing.
  bool CommitInPlaceEdit(bool inKeepRefused = false);
  /// Why `inText` cannot go into field `inField` of an entry whose dates are in `inOrder`;
  /// empty when it can.
  wxString RefusalOf(int inField, const wxString & inText, SDateFormat inOrder) const;

  /// The vector indices of the selected rows, in row order.
  std::vector<std::uint32_t> SelectedEntries() const;
  /// Selects exactly the rows of the entries at the ascending vector indices `inIndices`
  /// and scrolls the first of them into view.
  void SelectEntries(const std::vector<std::uint32_t> & inIndices);
  /// Closes the open box without storing anything.
  void CancelInPlaceEdit();
  /// The open edit box, null when none is open.
  WInPlaceEdit * InPlaceEditControl() const { return mInPlaceEditControl; }
  int InPlaceFieldIndex() const { return mInPlaceFieldIndex; }
  int InPlaceItemIndex() const { return mInPlaceItemIndex; }

  /// The column (0 to 5) under client x coordinate `inX`, -1 for none.
  int ColumnAt(int inX) const;

  /// The pages the rows fill on the paper of `ioInfo` (which must be measured); sets
  /// mLinesPerPage.
  std::int32_t GetNumPages(WPrintInfo & ioInfo);
  /// Prints the current page of `ioInfo` (paginated by GetNumPages).
  void Print(WPrintInfo & ioInfo);
  /// Writes the column titles in `inRect`.
  void DrawLabels(wxDC & ioDC, const wxRect & inRect);

  /// Rows per printed page; 0 until printing is prepared.
  std::int32_t mLinesPerPage = 0;

protected:
  void OnDrawItem(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const override;
  void OnDrawBackground(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const override;
  wxCoord OnMeasureItem(size_t inIndex) const override;

private:
  void OnPaint(wxPaintEvent & inEvent);
  void OnIdle(wxIdleEvent & inEvent);
  void OnLeftDown(wxMouseEvent & inEvent);
  void OnLeftDoubleClick(wxMouseEvent & inEvent);
  void OnEditEnter(wxCommandEvent & inEvent);
  void OnEditKillFocus(wxFocusEvent & inEvent);

  // Rebuilds the row count and the selection after entries left the map.
  void FollowDeletion(TVectorMessage<STask> inMessage);
  // Redraws the visible rows that show entries of the vector range [inBegin, inEnd).
  void RefreshEntries(std::uint32_t inBegin, std::uint32_t inEnd);
  // The field text of `inTask`'s column `inField`, decoded.
  wxString FieldText(const STask & inTask, int inField) const;
  // The new line for `inTask` with field `inField` set to `inText`.
  STask EditedTask(const STask & inTask, int inField, const wxString & inText) const;

  WTimeSheetColumns * mColumns;       // not owned
  const WTextEncoding * mEncoding;    // not owned
  std::function<bool()> mEditGuard;
  WInPlaceEdit * mInPlaceEditControl = nullptr;
  int mInPlaceFieldIndex = 0;
  int mInPlaceItemIndex = 0;
  wxFont mFont;
  wxFont mPrintFont;                  // mFont as tall on paper as on screen
  bool mRowsPending = false;          // rows were added to the map since the count was set
  std::uint32_t mEncodingGeneration = 0;
  EditHandler mEditHandler;
  MessageHandler mMessageHandler;

  wxDECLARE_EVENT_TABLE();
};
