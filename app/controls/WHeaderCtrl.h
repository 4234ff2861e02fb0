// The column header of a time sheet view: items drawn in the platform's header look,
// with a hot item under the mouse, a pressed item while the button is down on it, and
// dividers that resize the items. Clicks and width changes go to the parent as
// wxHeaderCtrlEvent: wxEVT_HEADER_CLICK (column), wxEVT_HEADER_RESIZING (column and width,
// while a divider is dragged) and wxEVT_HEADER_END_RESIZE (column and width, at the end).
#pragma once

#include <vector>

#include <wx/control.h>
#include <wx/font.h>
#include <wx/headerctrl.h>

class WHeaderCtrl : public wxControl {
public:
  /// Where a point lies, as HitTest reports it.
  enum EHitFlags {
    eHitNowhere = 0,
    eHitOnItem = 1,
    eHitOnDivider = 2,     ///< on the divider at an item's right edge
    eHitOnDividerOpen = 4  ///< just right of the divider of a zero-width item
  };

  /// How many pixels either side of a divider count as on it.
  static constexpr int sDividerSlop = 4;

  WHeaderCtrl();
  /// A header child of `inParent` without items.
  WHeaderCtrl(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize);
  /// Creates the window (two-step construction).
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize);

  /// Inserts an item of `inWidth` pixels titled `inText` before item `inIndex` (at the end
  /// when `inIndex` is the count); returns its index.
  int InsertItem(int inIndex, int inWidth, const wxString & inText);
  int GetItemCount() const { return static_cast<int>(mItems.size()); }
  int GetItemWidth(int inIndex) const;
  /// Changes an item's width and redraws; sends no event.
  void SetItemWidth(int inIndex, int inWidth);
  wxString GetItemText(int inIndex) const;
  /// The item's rectangle in the header's client coordinates (empty for a bad index).
  wxRect GetItemRect(int inIndex) const;

  /// The item under `inPoint` (client coordinates), -1 for none; `outFlags` (may be null)
  /// receives EHitFlags. On a divider the item is the one whose divider it is.
  int HitTest(const wxPoint & inPoint, int * outFlags = nullptr) const;

  /// Marks item inIndex as the one the rows are ordered by, ascending or descending
  /// (-1: no item is marked).
  void SetSortMark(int inIndex, bool inDescending);
  /// The marked item (-1 for none) and its direction.
  int GetSortMarkIndex() const { return mSortMarkIndex; }
  bool IsSortMarkDescending() const { return mSortMarkDescending; }

  /// The renderer flags an item is drawn with now: wxCONTROL_PRESSED, wxCONTROL_CURRENT
  /// (hot) or 0.
  int ItemDrawFlags(int inIndex) const;

  /// Whether the items are drawn with the platform's visual style (and tracked hot);
  /// true where a themed renderer is in use.
  bool IsThemed() const { return mIsThemed; }
  /// Switches the themed look on or off (the plain look has no hot state).
  void SetThemed(bool inThemed);

  int CurrentHotIndex() const { return mCurrentHotIndex; }
  int LastHotIndex() const { return mLastHotIndex; }
  bool IsHot() const { return mIsHot; }
  bool IsPressed() const { return mIsPressed; }
  bool IsTracking() const { return mIsTracking; }

  bool AcceptsFocus() const override { return false; }

protected:
  /// Redraws the item that was hot and the one that is hot now.
  virtual void CurrentHotIndexChanged();
  /// Ends the hover: no item is hot any more.
  virtual void FinishHotTracking();
  /// Draws one item.
  virtual void DrawItem(wxDC & ioDC, int inIndex);

  wxSize DoGetBestSize() const override;

  int mCurrentHotIndex = -1;
  int mLastHotIndex = -1;
  bool mIsHot = false;
  bool mIsPressed = false;
  bool mIsTracking = false;

private:
  struct Item {
    int mWidth;
    wxString mText;
  };

  void OnPaint(wxPaintEvent & inEvent);
  void OnMotion(wxMouseEvent & inEvent);
  void OnLeave(wxMouseEvent & inEvent);
  void OnLeftDown(wxMouseEvent & inEvent);
  void OnLeftUp(wxMouseEvent & inEvent);
  void OnCaptureLost(wxMouseCaptureLostEvent & inEvent);

  // The control's own handling: resizing while a divider is dragged, the cursor shape.
  void TrackMotion(const wxPoint & inPoint);
  void RefreshItem(int inIndex);
  void SendEvent(wxEventType inType, int inItem, int inWidth);
  void EndMouseCapture();

  std::vector<Item> mItems;
  wxFont mFont;
  bool mIsThemed = true;
  int mTrackItem = -1;      // the item being resized
  int mTrackStartX = 0;     // where the drag started
  int mTrackStartWidth = 0; // the item's width then
  int mPressedItem = -1;    // the item the button went down on
  int mSortMarkIndex = -1;  // the item whose column orders the rows
  bool mSortMarkDescending = false;

  wxDECLARE_EVENT_TABLE();
};
