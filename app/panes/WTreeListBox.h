// The grouped pane of a time sheet view: an owner-drawn list whose rows are the visible rows
// of its own group tree. A group row shows a plus or minus box, its heading and its total in
// bold; an entry row shows the entry's fields, indented by its depth. Clicking a group's box
// opens or closes the group.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/vlbox.h>

#include "trees/TTree.h"
#include "trees/TTreeView.h"
#include "trees/TVectorPopulator.h"
#include "tasks/STask.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskGroup.h"
#include "tasks/STaskVectorListener.h"

class STaskVector;
class WPrintInfo;
class WTextEncoding;
class WTimeSheetColumns;

class WTreeListBox : public wxVListBox, public TTreeView<STask, STaskGroup> {
public:
  using Tree = TTree<STask, STaskGroup>;
  using Populator = TVectorPopulator<STask, STaskGroup, STaskComparator>;
  using Element = TTreeElement<STask, STaskGroup>;

  /// Pixels of indentation per level.
  static constexpr int sIndent = 16;

  /// A grouped list over `ioVector`, laid out by `ioColumns` and shown in `inEncoding` (none
  /// owned; all must outlive the list). The tree is empty until the first Group; the
  /// populator listens to the vector from the start (the view switches it off).
  WTreeListBox(STaskVector & ioVector, WTimeSheetColumns & ioColumns, const WTextEncoding & inEncoding);
  ~WTreeListBox() override;

  /// Makes the window: owner drawn, fixed row height, single selection.
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize,
              long inStyle = 0);

  /// Regroups every entry by `inComparator` (bound to the task vector here); all groups
  /// open, nothing selected, the first row at the top.
  void Group(const STaskComparator & inComparator);

  /// Opens the group of row `inIndex` (nothing for an entry row), keeping the selection on
  /// the same row and the same row at the top.
  void Expand(std::size_t inIndex);
  /// Closes the group of row `inIndex` (nothing for an entry row); a selection inside the
  /// group moves to the group's row, one below it moves up by the rows hidden.
  void Collapse(std::size_t inIndex);

  /// Does what key inKeyCode does to the selected row as in tree controls: Right or "+"
  /// (WXK_ADD) opens a closed group, Left or "-" (WXK_SUBTRACT) closes an open one; Right
  /// on an open group goes to its first row, Left on an entry or a closed group to the
  /// group that holds it. False for any other key.
  bool HandleTreeKey(int inKeyCode);

  /// The rectangle of the box of group row `inIndex` on screen (empty for an entry row).
  wxRect GetControlBox(std::size_t inIndex, bool inPrinting) const;

  /// What group row `inIndex` says: its heading, ":  " and its total with as many hour
  /// digits as it needs, at least 2; empty for an entry row.
  wxString GroupRowText(std::size_t inIndex) const;

  /// Draws row `inIndex` into `inRect`.
  void DrawLine(wxDC & ioDC, std::size_t inIndex, const wxRect & inRect, bool inPrinting, bool inSelected,
                bool inFocus) const;

  /// The entries the selected row stands for, in the order shown: an entry row its entry,
  /// a group row every entry under it; none without a selection.
  std::vector<std::uint32_t> SelectedEntries();
  /// Selects the row of entry `inIndex` (vector index), or the closed group that hides it,
  /// and scrolls it into view once the rows follow the tree.
  void SelectEntry(std::uint32_t inIndex);

  /// Rebuilds the rows now if the tree changed since they were built; keeps the open state
  /// of the groups, the selected row's entry or group, and the top row.
  void SyncRows();
  /// True while the rows wait to be rebuilt.
  bool RowsPending() const { return mRowsPending; }

  /// The populator that fills the tree (the view switches its listening on and off).
  Populator & GetPopulator() { return mPopulator; }
  /// The group tree.
  Tree & InternalTree() { return mInternalTree; }

  /// The height of a row: the text height of the list's font plus 2.
  int RowHeight() const { return mRowHeight; }

  /// The pages the visible rows fill on the paper of `ioInfo` (which must be measured);
  /// sets mLinesPerPage. Rows of closed groups do not count.
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
  // Hears the vector's messages after the populator has applied them to the tree.
  class RowFollower : public STaskVectorListener {
  public:
    explicit RowFollower(WTreeListBox & ioOwner) : mOwner(ioOwner) {}
    void ListenToMessage(TVectorMessage<STask> inMessage) override { mOwner.FollowMessage(inMessage); }

  private:
    WTreeListBox & mOwner;
  };

  static constexpr std::uint32_t sNone = 0xFFFFFFFF;

  void FollowMessage(TVectorMessage<STask> inMessage);
  // Notes that the rows follow the tree as it stands now.
  void NoteRowsBuilt();
  // Brings the rows in step with one entry inserted or removed at `mPatchEntry` (shifting
  // the other entries' indices, adding or dropping its row); false if that cannot be done.
  bool PatchRows();
  void OnPaint(wxPaintEvent & inEvent);
  void OnIdle(wxIdleEvent & inEvent);
  void OnLeftDown(wxMouseEvent & inEvent);
  void OnSelected(wxCommandEvent & inEvent);

  // Notes which entry (and at which level) the selected row stands for.
  void RememberSelection();
  // The row that now shows the remembered entry at the remembered level, or the nearest
  // visible group above it; wxNOT_FOUND when the entry is gone.
  int FindRememberedRow() const;
  // The first entry under branch `inBranch`, sNone if it holds none.
  std::uint32_t FirstLeafUnder(std::uint32_t inBranch) const;
  // Sets the selection to `inRow` and the top row to `inTop` without other scrolling.
  void PlaceRows(int inRow, std::size_t inTop);

  Tree mInternalTree;
  Populator mPopulator;
  STaskComparator mNullComparator;
  wxBitmap mMinusBitmap;
  wxBitmap mPlusBitmap;
  std::int16_t mBitmapHeight;
  std::int16_t mBitmapWidth;
  WTimeSheetColumns * mColumns;      // not owned
  const WTextEncoding * mEncoding;   // not owned
  STaskVector & mVector;             // not owned
  RowFollower mFollower;
  wxFont mFont;
  wxFont mBoldFont;
  wxFont mPrintFont;                 // the two fonts as tall on paper as on screen
  wxFont mPrintBoldFont;
  int mRowHeight = 16;
  bool mRowsPending = false;
  // A change the rows can follow in place while they wait: none, or one entry inserted or
  // removed while the groups stayed as they were.
  enum class EPatch { eNone, eInsert, eDelete };
  EPatch mPatch = EPatch::eNone;
  std::uint32_t mPatchEntry = 0;
  std::size_t mRowsBranches = 0;  // the tree's branch count when the rows were last in step
  std::uint64_t mRowsRebuilds = 0; // and its count of rebuilds
  std::uint32_t mEncodingGeneration = 0;
  std::uint32_t mSelectedEntry = sNone; // the entry the selected row stands for
  std::int16_t mSelectedLevel = 0;      // the selected row's level

  wxDECLARE_EVENT_TABLE();
};
