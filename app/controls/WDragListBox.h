// One of a pair of cooperating lists of field codes, each item drawn as its field's name.
// Items are dragged from one list to the other and, in an arrangeable list, to another
// place in it; an arrangeable list shows each item's direction as an arrow at its right
// end, which a click turns around. The list that is not arrangeable keeps its items in
// field order. From the keyboard, Return (or a double click) moves the selected item to
// the other list and Space turns the selected item of an arrangeable list around.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/cursor.h>
#include <wx/event.h>
#include <wx/font.h>
#include <wx/vlbox.h>

/// Sent (as a wxCommandEvent, up to the parent) after the items of a list changed.
wxDECLARE_EVENT(WEVT_DRAG_LIST_CHANGED, wxCommandEvent);
/// Sent by a direction arrow to its list when the mouse is released.
wxDECLARE_EVENT(WEVT_DRAG_LIST_BUTTON, wxCommandEvent);

class WDragListBox : public wxVListBox {
public:
  /// A place in one of the two lists: an item, or the item count for after the last one.
  struct WDatum {
    WDragListBox * list = nullptr;
    std::int32_t item = -1;

    bool IsValid() const { return list != nullptr && item != -1; }
    void Clear() {
      list = nullptr;
      item = -1;
    }
    bool operator==(const WDatum &) const = default;
  };

  /// Control id of the direction arrow over item i: sFirstButtonId + i.
  static constexpr int sFirstButtonId = 8192;
  /// The direction arrow is a square of this many pixels.
  static constexpr int sButtonSize = 13;

  WDragListBox();
  ~WDragListBox() override;

  /// Creates the window: owner drawn, one item selected at a time, no items.
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize);

  /// Number of items.
  int GetCount() const { return static_cast<int>(mCodes.size()); }
  /// The field codes of the items, in list order (negative: descending).
  const std::vector<int> & Codes() const { return mCodes; }
  /// The code of item inIndex; 0 when there is no such item.
  int GetItemCode(int inIndex) const;
  /// Inserts an item of inCode before item inIndex (appends when inIndex is out of range).
  void InsertItem(int inIndex, int inCode);
  /// Removes item inIndex; nothing when there is no such item.
  void DeleteItem(int inIndex);
  /// Removes every item.
  void DeleteAllItems();

  /// Starts a drag at inPoint (screen coordinates); true when it may go on.
  virtual bool BeginDrag(const wxPoint & inPoint);
  /// Ends the current drag without a change.
  virtual void CancelDrag(const wxPoint & inPoint);
  /// Follows the drag to inPoint (screen coordinates); returns the cursor to show.
  virtual wxStockCursor Dragging(const wxPoint & inPoint);
  /// Ends the current drag at inPoint (screen coordinates), moving the dragged item there
  /// when that is a change.
  virtual void Dropped(const wxPoint & inPoint);
  /// True when items may be reordered within this list and carry the direction arrow.
  virtual bool Arrangeable() const { return mArrangeable; }
  virtual void SetArrangeable(bool inArrangeable);
  /// Makes inOther (not owned) the list that items are exchanged with.
  virtual void SetSignificantOther(WDragListBox * inOther) { mSignificantOther = inOther; }
  virtual bool HasSignificantOther() const { return mSignificantOther != nullptr; }
  /// Redraws the insert bar of inDatum in its list.
  virtual void DrawSingle(const WDatum & inDatum);

  /// Where inPoint (screen coordinates) lies: this list or its partner, at the item under
  /// the point or the item count below the last item. False, with outDatum cleared, outside
  /// both. With inAutoScroll the list scrolls when the point is at its first or last row.
  bool ItemFromPt(const wxPoint & inPoint, bool inAutoScroll, WDatum & outDatum);
  /// The direction arrow's square of item inIndex (client coordinates); empty for no item.
  wxRect GetButtonRect(int inIndex) const;
  /// The 2-pixel insert bar before item inIndex (after the last one for the item count).
  wxRect GetInsertBarRect(int inIndex) const;

  /// True while a drag that started in this list goes on.
  bool IsDragging() const { return mIsDragging; }
  /// The insert position whose feedback is shown (invalid when none).
  const WDatum & FeedbackPosition() const { return mPrevious; }
  /// The feedback this list shows now: the index of its insert bar (-1 for none), and
  /// whether the frame around it is drawn.
  int ShownInsertBar() const;
  bool ShowsTargetFrame() const;

  /// Moves item inIndex to the partner: to its end, or into field order when the partner
  /// is not arrangeable. The item now at inIndex becomes selected. False for no item.
  bool MoveToOther(int inIndex);
  /// Turns the direction of item inIndex around; false for no item or a list that is not
  /// arrangeable.
  bool ToggleDirection(int inIndex);

protected:
  void OnDrawItem(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const override;
  void OnDrawBackground(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const override;
  wxCoord OnMeasureItem(size_t inIndex) const override;

private:
  void OnPaintList(wxPaintEvent & inEvent);
  void OnLButtonDown(wxMouseEvent & inEvent);
  void OnLButtonDoubleClick(wxMouseEvent & inEvent);
  void OnLButtonUp(wxMouseEvent & inEvent);
  void OnMouseMove(wxMouseEvent & inEvent);
  void OnCaptureLost(wxMouseCaptureLostEvent & inEvent);
  void OnCharHook(wxKeyEvent & inEvent);
  void OnUserButtonMessage(wxCommandEvent & inEvent);

  // The hit test of this list alone.
  bool ItemFromPtHere(const wxPoint & inPoint, bool inAutoScroll, WDatum & outDatum);
  // Redraws the feedback of the old and the new insert position.
  void DrawInsert(const WDatum & inOld, const WDatum & inNew);
  // Redraws the frame around the whole of inList.
  static void HiliteTarget(WDragListBox * inList);
  // Puts an arrow over item inIndex and hands it the press at inPoint (client coordinates).
  void StartDirectionToggle(int inIndex, const wxPoint & inPoint);
  // Inserts inCode where it belongs: at inIndex here, or in field order in a list that is
  // not arrangeable.
  void InsertInPlace(int inIndex, int inCode);
  // The list whose drag is going on: this one, its partner, or null.
  const WDragListBox * DragSource() const;
  // Ends the mouse's part in a drag: capture, cursor, pending press.
  void EndMouseTracking();
  void NotifyChanged();

  WDatum mOriginal;
  WDatum mPrevious;
  WDatum mCurrent;
  bool mExited = false;
  bool mArrangeable = false;
  bool mMoved = false;
  WDragListBox * mSignificantOther = nullptr;

  std::vector<int> mCodes;
  wxFont mFont;
  int mItemHeight = 15;
  bool mIsDragging = false;
  bool mIsPressed = false;     // the left button went down on an item here
  wxPoint mPressPoint;         // where, in client coordinates

  wxDECLARE_EVENT_TABLE();
};
