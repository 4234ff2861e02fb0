// The column header of a time sheet view.
#include "controls/WHeaderCtrl.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "application/WTallyworthApp.h"
#include "other/WFonts.h"

wxBEGIN_EVENT_TABLE(WHeaderCtrl, wxControl)
  EVT_PAINT(WHeaderCtrl::OnPaint)
  EVT_MOTION(WHeaderCtrl::OnMotion)
  EVT_LEAVE_WINDOW(WHeaderCtrl::OnLeave)
  EVT_LEFT_DOWN(WHeaderCtrl::OnLeftDown)
  EVT_LEFT_DCLICK(WHeaderCtrl::OnLeftDown)
  EVT_LEFT_UP(WHeaderCtrl::OnLeftUp)
  EVT_MOUSE_CAPTURE_LOST(WHeaderCtrl::OnCaptureLost)
wxEND_EVENT_TABLE()

WHeaderCtrl::WHeaderCtrl() = default;

WHeaderCtrl::WHeaderCtrl(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize) {
  Create(inParent, inId, inPosition, inSize);
}

bool WHeaderCtrl::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  if (!wxControl::Create(inParent, inId, inPosition, inSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE)) {
    return false;
  }
  mFont = WFonts::GetTahoma85();
  mIsThemed = WTallyworthApp::IsWindowsXP();
  SetFont(mFont);
  return true;
}

int WHeaderCtrl::InsertItem(int inIndex, int inWidth, const wxString & inText) {
  const int index = std::clamp(inIndex, 0, GetItemCount());
  mItems.insert(mItems.begin() + index, Item{std::max(inWidth, 0), inText});
  Refresh();
  return index;
}

int WHeaderCtrl::GetItemWidth(int inIndex) const {
  return inIndex >= 0 && inIndex < GetItemCount() ? mItems[static_cast<std::size_t>(inIndex)].mWidth : 0;
}

void WHeaderCtrl::SetItemWidth(int inIndex, int inWidth) {
  if (inIndex < 0 || inIndex >= GetItemCount()) {
    return;
  }
  Item & item = mItems[static_cast<std::size_t>(inIndex)];
  inWidth = std::max(inWidth, 0);
  if (item.mWidth == inWidth) {
    return;
  }
  const wxRect rect = GetItemRect(inIndex);
  item.mWidth = inWidth;
  // Everything from the item's left edge on moves or changes.
  RefreshRect(wxRect(rect.x, 0, std::max(GetClientSize().x - rect.x, 0), GetClientSize().y), false);
}

wxString WHeaderCtrl::GetItemText(int inIndex) const {
  return inIndex >= 0 && inIndex < GetItemCount() ? mItems[static_cast<std::size_t>(inIndex)].mText : wxString();
}

wxRect WHeaderCtrl::GetItemRect(int inIndex) const {
  if (inIndex < 0 || inIndex >= GetItemCount()) {
    return wxRect();
  }
  int left = 0;
  for (int i = 0; i < inIndex; ++i) {
    left += mItems[static_cast<std::size_t>(i)].mWidth;
  }
  return wxRect(left, 0, mItems[static_cast<std::size_t>(inIndex)].mWidth, GetClientSize().y);
}

int WHeaderCtrl::HitTest(const wxPoint & inPoint, int * outFlags) const {
  int flags = eHitNowhere;
  int found = -1;
  const int height = GetClientSize().y;
  if (inPoint.y >= 0 && inPoint.y < height && inPoint.x >= 0) {
    // Dividers first: the one nearest the point within the slop wins; right of a divider
    // the last item ending there (a zero-width one reopens), left of it the first.
    int bestDistance = sDividerSlop + 1;
    int right = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
      right += mItems[static_cast<std::size_t>(i)].mWidth;
      const int distance = std::abs(inPoint.x - right);
      if (distance > sDividerSlop || inPoint.x >= right + sDividerSlop || inPoint.x < right - sDividerSlop) {
        continue;
      }
      const bool rightOfDivider = inPoint.x >= right;
      if (distance < bestDistance || (distance == bestDistance && rightOfDivider)) {
        bestDistance = distance;
        found = i;
        flags = mItems[static_cast<std::size_t>(i)].mWidth == 0 && rightOfDivider ? eHitOnDividerOpen : eHitOnDivider;
      }
    }
    if (found < 0) {
      int left = 0;
      for (int i = 0; i < GetItemCount(); ++i) {
        const int width = mItems[static_cast<std::size_t>(i)].mWidth;
        if (inPoint.x >= left && inPoint.x < left + width) {
          found = i;
          flags = eHitOnItem;
          break;
        }
        left += width;
      }
    }
  }
  if (outFlags != nullptr) {
    *outFlags = flags;
  }
  return found;
}

int WHeaderCtrl::ItemDrawFlags(int inIndex) const {
  if (inIndex < 0 || inIndex != mCurrentHotIndex) {
    return 0;
  }
  if (mIsPressed) {
    return wxCONTROL_PRESSED;
  }
  if (mIsThemed && (mIsHot || mIsTracking)) {
    return wxCONTROL_CURRENT;
  }
  return 0;
}

void WHeaderCtrl::SetThemed(bool inThemed) {
  if (mIsThemed == inThemed) {
    return;
  }
  if (!inThemed && mIsHot) {
    FinishHotTracking();
  }
  mIsThemed = inThemed;
  Refresh();
}

void WHeaderCtrl::CurrentHotIndexChanged() {
  if (mLastHotIndex != -1) {
    RefreshItem(mLastHotIndex);
  }
  if (mCurrentHotIndex != -1) {
    RefreshItem(mCurrentHotIndex);
  }
}

void WHeaderCtrl::FinishHotTracking() {
  mIsHot = false;
  mLastHotIndex = mCurrentHotIndex;
  mCurrentHotIndex = -1;
  CurrentHotIndexChanged();
}

void WHeaderCtrl::SetSortMark(int inIndex, bool inDescending) {
  if (inIndex < 0 || inIndex >= GetItemCount())
    inIndex = -1;
  if (inIndex == mSortMarkIndex && inDescending == mSortMarkDescending)
    return;
  mSortMarkIndex = inIndex;
  mSortMarkDescending = inDescending;
  Refresh();
}

void WHeaderCtrl::DrawItem(wxDC & ioDC, int inIndex) {
  const wxFont oldFont = ioDC.GetFont();
  ioDC.SetFont(mFont);
  const wxRect rect = GetItemRect(inIndex);
  const wxString text = GetItemText(inIndex).Left(256);
  ioDC.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
  const wxHeaderSortIconType mark = inIndex != mSortMarkIndex ? wxHDR_SORT_ICON_NONE
                                    : mSortMarkDescending      ? wxHDR_SORT_ICON_DOWN
                                                               : wxHDR_SORT_ICON_UP;
  if (mIsThemed) {
    wxRendererNative::Get().DrawHeaderButton(this, ioDC, rect, ItemDrawFlags(inIndex), mark);
    wxRect content = rect;
    content.Deflate(0, 1);
    content.SetLeft(rect.x + 4);
    if (content.width > 0) {
      wxDCClipper clip(ioDC, content);
      const wxSize extent = ioDC.GetTextExtent(text);
      ioDC.DrawText(text, content.x, content.y + (content.height - extent.y) / 2);
    }
  } else {
    wxRendererNative::GetGeneric().DrawHeaderButton(this, ioDC, rect, ItemDrawFlags(inIndex), mark);
    wxRect content = rect;
    content.SetLeft(rect.x + 4);
    content.SetTop(rect.y + 2);
    if (content.width > 0 && content.height > 0) {
      wxDCClipper clip(ioDC, content);
      ioDC.DrawText(text, content.x, content.y);
    }
  }
  ioDC.SetFont(oldFont);
}

wxSize WHeaderCtrl::DoGetBestSize() const {
  int width = 0;
  for (const Item & item : mItems) {
    width += item.mWidth;
  }
  return wxSize(width, 20);
}

void WHeaderCtrl::OnPaint(wxPaintEvent &) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
  int right = 0;
  for (int i = 0; i < GetItemCount(); ++i) {
    DrawItem(dc, i);
    right += mItems[static_cast<std::size_t>(i)].mWidth;
  }
  if (right < size.x) {
    // The empty rest of the header looks like an item without a title.
    wxRendererNative & renderer = mIsThemed ? wxRendererNative::Get() : wxRendererNative::GetGeneric();
    renderer.DrawHeaderButton(this, dc, wxRect(right, 0, size.x - right, size.y), 0);
  }
}

void WHeaderCtrl::OnMotion(wxMouseEvent & inEvent) {
  const wxPoint point = inEvent.GetPosition();
  if (mIsPressed || mIsTracking || !mIsThemed) {
    TrackMotion(point);
    return;
  }
  const int item = HitTest(point);
  if (item >= 0 && item != mCurrentHotIndex) {
    mLastHotIndex = mCurrentHotIndex;
    mCurrentHotIndex = item;
    CurrentHotIndexChanged();
    if (!mIsHot) {
      mIsHot = true;
    }
    // The cursor still follows the dividers.
    int flags = eHitNowhere;
    HitTest(point, &flags);
    SetCursor(flags & (eHitOnDivider | eHitOnDividerOpen) ? wxCursor(wxCURSOR_SIZEWE) : wxNullCursor);
    return;
  }
  TrackMotion(point);
}

void WHeaderCtrl::OnLeave(wxMouseEvent &) {
  // Only a hover in progress ends here; a press or a drag ends at the release.
  if (mIsHot) {
    FinishHotTracking();
  }
}

void WHeaderCtrl::OnLeftDown(wxMouseEvent & inEvent) {
  if (mIsHot) {
    FinishHotTracking();
  }
  int flags = eHitNowhere;
  const int item = HitTest(inEvent.GetPosition(), &flags);
  mCurrentHotIndex = item;
  mLastHotIndex = -1;
  if (flags & (eHitOnDivider | eHitOnDividerOpen)) {
    mIsTracking = true;
    mIsPressed = false;
  } else {
    mIsPressed = true;
    mIsTracking = false;
  }
  // The control's own handling: a drag of the divider, or a click of the item.
  mPressedItem = -1;
  mTrackItem = -1;
  if (item < 0) {
    return;
  }
  if (mIsTracking) {
    mTrackItem = item;
    mTrackStartX = inEvent.GetPosition().x;
    mTrackStartWidth = GetItemWidth(item);
  } else {
    mPressedItem = item;
    RefreshItem(item);
  }
  if (!HasCapture()) {
    CaptureMouse();
  }
}

void WHeaderCtrl::OnLeftUp(wxMouseEvent & inEvent) {
  mIsPressed = false;
  mIsTracking = false;
  mIsHot = true;
  const int trackItem = mTrackItem;
  const int pressedItem = mPressedItem;
  mTrackItem = -1;
  mPressedItem = -1;
  EndMouseCapture();
  if (trackItem >= 0) {
    const int width = std::max(mTrackStartWidth + inEvent.GetPosition().x - mTrackStartX, 0);
    if (width != GetItemWidth(trackItem)) {
      SetItemWidth(trackItem, width);
      SendEvent(wxEVT_HEADER_RESIZING, trackItem, width);
    }
    SendEvent(wxEVT_HEADER_END_RESIZE, trackItem, GetItemWidth(trackItem));
  } else if (pressedItem >= 0) {
    RefreshItem(pressedItem);
    int flags = eHitNowhere;
    if (HitTest(inEvent.GetPosition(), &flags) == pressedItem && flags == eHitOnItem) {
      SendEvent(wxEVT_HEADER_CLICK, pressedItem, GetItemWidth(pressedItem));
    }
  }
}

void WHeaderCtrl::OnCaptureLost(wxMouseCaptureLostEvent &) {
  // Another window took the mouse: the press or drag ends where it stands.
  const int pressedItem = mPressedItem;
  mIsPressed = false;
  mIsTracking = false;
  mTrackItem = -1;
  mPressedItem = -1;
  if (pressedItem >= 0) {
    RefreshItem(pressedItem);
  }
}

void WHeaderCtrl::TrackMotion(const wxPoint & inPoint) {
  if (mIsTracking && mTrackItem >= 0) {
    const int width = std::max(mTrackStartWidth + inPoint.x - mTrackStartX, 0);
    if (width != GetItemWidth(mTrackItem)) {
      SetItemWidth(mTrackItem, width);
      SendEvent(wxEVT_HEADER_RESIZING, mTrackItem, width);
    }
    return;
  }
  if (!mIsPressed) {
    int flags = eHitNowhere;
    HitTest(inPoint, &flags);
    SetCursor(flags & (eHitOnDivider | eHitOnDividerOpen) ? wxCursor(wxCURSOR_SIZEWE) : wxNullCursor);
  }
}

void WHeaderCtrl::RefreshItem(int inIndex) {
  const wxRect rect = GetItemRect(inIndex);
  if (!rect.IsEmpty()) {
    RefreshRect(rect, true);
  }
}

void WHeaderCtrl::SendEvent(wxEventType inType, int inItem, int inWidth) {
  wxHeaderCtrlEvent event(inType, GetId());
  event.SetEventObject(this);
  event.SetColumn(inItem);
  event.SetWidth(inWidth);
  GetEventHandler()->ProcessEvent(event);
}

void WHeaderCtrl::EndMouseCapture() {
  if (HasCapture()) {
    ReleaseMouse();
  }
}
