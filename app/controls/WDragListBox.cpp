// One of a pair of cooperating lists of field codes that items are dragged between.
#include "controls/WDragListBox.h"

#include <algorithm>
#include <cstdlib>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>

#include "application/WResourceStrings.h"
#include "controls/WTransientBitmapButton.h"
#include "other/WFonts.h"
#include "resources/WImages.h"

wxDEFINE_EVENT(WEVT_DRAG_LIST_CHANGED, wxCommandEvent);
wxDEFINE_EVENT(WEVT_DRAG_LIST_BUTTON, wxCommandEvent);

wxBEGIN_EVENT_TABLE(WDragListBox, wxVListBox)
  EVT_PAINT(WDragListBox::OnPaintList)
  EVT_LEFT_DOWN(WDragListBox::OnLButtonDown)
  EVT_LEFT_DCLICK(WDragListBox::OnLButtonDoubleClick)
  EVT_LEFT_UP(WDragListBox::OnLButtonUp)
  EVT_MOTION(WDragListBox::OnMouseMove)
  EVT_MOUSE_CAPTURE_LOST(WDragListBox::OnCaptureLost)
  EVT_CHAR_HOOK(WDragListBox::OnCharHook)
wxEND_EVENT_TABLE()

namespace {

wxString FieldName(int inCode) {
  switch (std::abs(inCode)) {
  case 1:
    return WResourceStrings::sDateFieldName;
  case 2:
    return WResourceStrings::sDurationFieldName;
  case 3:
    return WResourceStrings::sWhoCodeFieldName;
  case 4:
    return WResourceStrings::sJobNumberFieldName;
  case 5:
    return WResourceStrings::sTimeCodeFieldName;
  case 6:
    return WResourceStrings::sDescriptionFieldName;
  case 7:
    return WResourceStrings::sOrderInFileName;
  default:
    return wxString();
  }
}

// Draws inImage at inPoint: as it is on the window colour, combined by "and" with the
// selection colour on a selected row (black stays black, white takes the colour).
void DrawArrow(wxDC & ioDC, const wxBitmap & inBitmap, const wxPoint & inPoint, bool inSelected) {
  wxImage image = inBitmap.ConvertToImage();
  const wxColour fill = wxSystemSettings::GetColour(inSelected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW);
  const bool hasAlpha = image.HasAlpha();
  unsigned char * rgb = image.GetData();
  for (int i = 0, count = image.GetWidth() * image.GetHeight(); i < count; ++i, rgb += 3) {
    if (hasAlpha && image.GetAlpha()[i] < 128) {
      rgb[0] = fill.Red();
      rgb[1] = fill.Green();
      rgb[2] = fill.Blue();
    } else if (inSelected) {
      rgb[0] &= fill.Red();
      rgb[1] &= fill.Green();
      rgb[2] &= fill.Blue();
    }
  }
  if (hasAlpha)
    image.ClearAlpha();
  ioDC.DrawBitmap(wxBitmap(image), inPoint);
}

} // namespace

WDragListBox::WDragListBox() = default;

WDragListBox::~WDragListBox() {
  // A partner that outlives this list must not reach it any more.
  if (mSignificantOther != nullptr && mSignificantOther->mSignificantOther == this)
    mSignificantOther->mSignificantOther = nullptr;
}

bool WDragListBox::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize) {
  mFont = WFonts::GetTahoma85();
  if (!wxVListBox::Create(inParent, inId, inPosition, inSize, wxBORDER_THEME))
    return false;
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  wxClientDC dc(this);
  dc.SetFont(mFont);
  mItemHeight = dc.GetCharHeight() + 2;
  Bind(WEVT_DRAG_LIST_BUTTON, &WDragListBox::OnUserButtonMessage, this);
  return true;
}

int WDragListBox::GetItemCode(int inIndex) const {
  return inIndex >= 0 && inIndex < GetCount() ? mCodes[static_cast<std::size_t>(inIndex)] : 0;
}

void WDragListBox::InsertItem(int inIndex, int inCode) {
  if (inIndex < 0 || inIndex > GetCount())
    inIndex = GetCount();
  const int selection = GetSelection();
  mCodes.insert(mCodes.begin() + inIndex, inCode);
  SetItemCount(mCodes.size());
  if (selection != wxNOT_FOUND && selection >= inIndex)
    SetSelection(selection + 1);
  Refresh();
  NotifyChanged();
}

void WDragListBox::DeleteItem(int inIndex) {
  if (inIndex < 0 || inIndex >= GetCount())
    return;
  const int selection = GetSelection();
  mCodes.erase(mCodes.begin() + inIndex);
  SetItemCount(mCodes.size());
  if (selection == inIndex)
    SetSelection(wxNOT_FOUND);
  else if (selection > inIndex)
    SetSelection(selection - 1);
  Refresh();
  NotifyChanged();
}

void WDragListBox::DeleteAllItems() {
  mCodes.clear();
  SetItemCount(0);
  Refresh();
  NotifyChanged();
}

void WDragListBox::NotifyChanged() {
  wxCommandEvent changed(WEVT_DRAG_LIST_CHANGED, GetId());
  changed.SetEventObject(this);
  ProcessWindowEvent(changed);
}

void WDragListBox::SetArrangeable(bool inArrangeable) {
  mArrangeable = inArrangeable;
  Refresh();
}

wxCoord WDragListBox::OnMeasureItem(size_t) const { return mItemHeight; }

void WDragListBox::OnDrawBackground(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const {
  const bool selected = IsSelected(inIndex);
  ioDC.SetPen(*wxTRANSPARENT_PEN);
  ioDC.SetBrush(wxBrush(wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
  ioDC.DrawRectangle(inRect);
}

void WDragListBox::OnDrawItem(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const {
  if (mCodes.empty() || inIndex >= mCodes.size())
    return;
  const int code = mCodes[inIndex];
  const bool selected = IsSelected(inIndex);
  ioDC.SetFont(mFont);
  ioDC.SetTextForeground(wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_WINDOW : wxSYS_COLOUR_WINDOWTEXT));
  ioDC.DrawText(FieldName(code), inRect.x + 4, inRect.y + 1);
  if (mArrangeable) {
    const wxRect button = GetButtonRect(static_cast<int>(inIndex));
    if (!button.IsEmpty())
      DrawArrow(ioDC, WImages::Get(code < 0 ? WImages::eDescendingArrow : WImages::eAscendingArrow),
                button.GetTopLeft(), selected);
  }
}

void WDragListBox::OnPaintList(wxPaintEvent & inEvent) {
  wxVListBox::OnPaint(inEvent);
  // The drag's feedback goes over the items.
  const int bar = ShownInsertBar();
  const bool frame = ShowsTargetFrame();
  if (bar < 0 && !frame)
    return;
  wxPaintDC dc(this);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
  if (bar >= 0)
    dc.DrawRectangle(GetInsertBarRect(bar));
  if (frame) {
    const wxSize size = GetClientSize();
    dc.DrawRectangle(0, 0, size.x, 2);
    dc.DrawRectangle(0, size.y - 2, size.x, 2);
    dc.DrawRectangle(0, 0, 2, size.y);
    dc.DrawRectangle(size.x - 2, 0, 2, size.y);
  }
}

wxRect WDragListBox::GetButtonRect(int inIndex) const {
  if (inIndex < 0 || inIndex >= GetCount())
    return wxRect();
  // The row: whole rows from the top of the list, scrolled.
  const int top = (inIndex - static_cast<int>(GetVisibleRowsBegin())) * mItemHeight;
  const int right = GetClientSize().x - 1; // one pixel in from the right edge
  return wxRect(right - sButtonSize, top + 1, sButtonSize, sButtonSize);
}

wxRect WDragListBox::GetInsertBarRect(int inIndex) const {
  if (inIndex < 0 || inIndex > GetCount())
    return wxRect();
  const int top = (inIndex - static_cast<int>(GetVisibleRowsBegin())) * mItemHeight;
  // After the last item the bar lies just below it, inside the list.
  return wxRect(0, inIndex == GetCount() && inIndex > 0 ? top - 1 : top, GetClientSize().x, 2);
}

const WDragListBox * WDragListBox::DragSource() const {
  if (mIsDragging)
    return this;
  if (mSignificantOther != nullptr && mSignificantOther->mIsDragging)
    return mSignificantOther;
  return nullptr;
}

int WDragListBox::ShownInsertBar() const {
  const WDragListBox * source = DragSource();
  if (source == nullptr || !mArrangeable || source->mPrevious.list != this)
    return -1;
  return source->mPrevious.item;
}

bool WDragListBox::ShowsTargetFrame() const {
  const WDragListBox * source = DragSource();
  if (source == nullptr || mArrangeable || source->mPrevious.list != this)
    return false;
  // The list a drag starts in is not marked as a target until the drag has left both.
  return source != this || source->mExited;
}

bool WDragListBox::ItemFromPtHere(const wxPoint & inPoint, bool inAutoScroll, WDatum & outDatum) {
  const wxPoint point = ScreenToClient(inPoint);
  const wxSize size = GetClientSize();
  if (point.x < 0 || point.y < 0 || point.x >= size.x || point.y >= size.y)
    return false;
  if (inAutoScroll && GetItemCount() > 0) {
    const int first = static_cast<int>(GetVisibleRowsBegin());
    const int last = static_cast<int>(GetVisibleRowsEnd());
    if (point.y < mItemHeight / 2 && first > 0)
      ScrollRows(-1);
    else if (point.y >= size.y - mItemHeight / 2 && last < GetCount())
      ScrollRows(1);
  }
  const int item = VirtualHitTest(point.y);
  outDatum.list = this;
  outDatum.item = item == wxNOT_FOUND ? GetCount() : item;
  return true;
}

bool WDragListBox::ItemFromPt(const wxPoint & inPoint, bool inAutoScroll, WDatum & outDatum) {
  outDatum.Clear();
  if (ItemFromPtHere(inPoint, inAutoScroll, outDatum))
    return true;
  if (mSignificantOther != nullptr && mSignificantOther != this)
    return mSignificantOther->ItemFromPtHere(inPoint, inAutoScroll, outDatum);
  return false;
}

void WDragListBox::DrawSingle(const WDatum & inDatum) {
  if (inDatum.list != nullptr)
    inDatum.list->RefreshRect(inDatum.list->GetInsertBarRect(inDatum.item));
}

void WDragListBox::HiliteTarget(WDragListBox * inList) {
  if (inList != nullptr)
    inList->Refresh();
}

void WDragListBox::DrawInsert(const WDatum & inOld, const WDatum & inNew) {
  for (const WDatum * datum : {&inOld, &inNew}) {
    if (!datum->IsValid())
      continue;
    if (datum->list->Arrangeable()) {
      if (!(inOld == inNew))
        DrawSingle(*datum);
    } else if (inOld.list != inNew.list) {
      HiliteTarget(datum->list);
    }
  }
}

bool WDragListBox::BeginDrag(const wxPoint & inPoint) {
  mExited = false;
  mMoved = false;
  mOriginal.Clear();
  mPrevious.Clear();
  mCurrent.Clear();
  ItemFromPt(inPoint, true, mOriginal);
  mIsDragging = true;
  return true;
}

wxStockCursor WDragListBox::Dragging(const wxPoint & inPoint) {
  if (!mIsDragging)
    return wxCURSOR_NO_ENTRY;
  if (!mMoved) {
    mPrevious = mOriginal;
    DrawInsert(WDatum(), mPrevious);
    mMoved = true;
  }
  const bool inside = ItemFromPt(inPoint, false, mCurrent);
  if (!(mCurrent == mPrevious)) {
    const WDatum old = mPrevious;
    ItemFromPt(inPoint, true, mCurrent);
    mPrevious = mCurrent;
    DrawInsert(old, mPrevious);
  }
  if (!inside)
    mExited = true;
  return inside ? wxCURSOR_SIZING : wxCURSOR_NO_ENTRY;
}

void WDragListBox::CancelDrag(const wxPoint &) {
  mCurrent.Clear();
  const WDatum old = mPrevious;
  mPrevious.Clear();
  mIsDragging = false;
  DrawInsert(old, mPrevious);
  HiliteTarget(old.list);
}

void WDragListBox::Dropped(const wxPoint & inPoint) {
  if (!mIsDragging)
    return; // no drag was begun here
  CancelDrag(inPoint);
  const WDatum original = mOriginal;
  mOriginal.Clear();
  const bool inside = ItemFromPt(inPoint, true, mCurrent);
  const WDatum current = mCurrent;
  mCurrent.Clear();
  // A drop that is no change: outside both lists, from or to nowhere, onto the place the
  // item came from, onto another place of a list kept in field order.
  WDragListBox * source = original.list;
  WDragListBox * target = current.list;
  if (!inside || !original.IsValid() || !current.IsValid() || current == original)
    return;
  if (target == source && !target->Arrangeable())
    return;
  if (source->GetCount() == 0 || original.item >= source->GetCount())
    return;
  const int code = source->GetItemCode(original.item);
  source->DeleteItem(original.item);
  SetSelection(wxNOT_FOUND);
  if (mSignificantOther != nullptr)
    mSignificantOther->SetSelection(wxNOT_FOUND);
  int index = current.item;
  if (target == source && original.item < index)
    --index;
  target->InsertInPlace(index, code);
  target->SetSelection(wxNOT_FOUND);
}

void WDragListBox::InsertInPlace(int inIndex, int inCode) {
  if (!mArrangeable) {
    // Field order 1 to 7; a descending code, taken unsigned, comes after them all.
    inIndex = 0;
    while (inIndex < GetCount() &&
           static_cast<std::uint32_t>(GetItemCode(inIndex)) < static_cast<std::uint32_t>(inCode))
      ++inIndex;
  }
  InsertItem(inIndex, inCode);
}

bool WDragListBox::MoveToOther(int inIndex) {
  if (mSignificantOther == nullptr || inIndex < 0 || inIndex >= GetCount() || mIsDragging)
    return false;
  const int code = GetItemCode(inIndex);
  DeleteItem(inIndex);
  mSignificantOther->SetSelection(wxNOT_FOUND);
  mSignificantOther->InsertInPlace(mSignificantOther->GetCount(), code);
  // The next item takes the moved one's place, so Return can move one after another.
  if (GetCount() > 0) {
    SetSelection(std::min(inIndex, GetCount() - 1));
    wxCommandEvent selected(wxEVT_LISTBOX, GetId());
    selected.SetEventObject(this);
    selected.SetInt(GetSelection());
    ProcessWindowEvent(selected);
  }
  return true;
}

bool WDragListBox::ToggleDirection(int inIndex) {
  if (!mArrangeable || inIndex < 0 || inIndex >= GetCount())
    return false;
  mCodes[static_cast<std::size_t>(inIndex)] = -mCodes[static_cast<std::size_t>(inIndex)];
  RefreshRow(static_cast<std::size_t>(inIndex));
  NotifyChanged();
  return true;
}

void WDragListBox::StartDirectionToggle(int inIndex, const wxPoint & inPoint) {
  const wxRect rect = GetButtonRect(inIndex);
  auto * button = new WTransientBitmapButton(WEVT_DRAG_LIST_BUTTON, GetItemCode(inIndex) < 0,
                                             GetSelection() == inIndex);
  if (!button->Create(this, sFirstButtonId + inIndex, rect.GetTopLeft(), rect.GetSize())) {
    delete button;
    return;
  }
  button->LoadBitmaps(WImages::Get(WImages::eAscendingArrow), WImages::Get(WImages::eDescendingArrow),
                      WImages::Get(WImages::eDescendingArrowPressed), WImages::Get(WImages::eAscendingArrowPressed));
  // The arrow takes over the press: it follows the mouse until the button is released.
  wxMouseEvent press(wxEVT_LEFT_DOWN);
  press.SetPosition(inPoint - rect.GetTopLeft());
  press.SetEventObject(button);
  press.SetId(button->GetId());
  press.m_leftDown = true;
  button->GetEventHandler()->ProcessEvent(press);
}

void WDragListBox::OnUserButtonMessage(wxCommandEvent & inEvent) {
  const int index = inEvent.GetId() - sFirstButtonId;
  if (W2StateBitmapButton::WasInside(inEvent))
    ToggleDirection(index);
}

void WDragListBox::OnLButtonDown(wxMouseEvent & inEvent) {
  const int item = VirtualHitTest(inEvent.GetPosition().y);
  if (item == wxNOT_FOUND)
    return; // a press on no item is ignored altogether
  if (mArrangeable && GetButtonRect(item).Contains(inEvent.GetPosition())) {
    StartDirectionToggle(item, inEvent.GetPosition());
    return;
  }
  mIsPressed = true;
  mPressPoint = inEvent.GetPosition();
  if (!HasCapture())
    CaptureMouse();
  inEvent.Skip(); // the list selects the item and takes the focus
}

void WDragListBox::OnLButtonDoubleClick(wxMouseEvent & inEvent) {
  EndMouseTracking();
  const int item = VirtualHitTest(inEvent.GetPosition().y);
  if (item == wxNOT_FOUND)
    return;
  if (mArrangeable && GetButtonRect(item).Contains(inEvent.GetPosition()))
    StartDirectionToggle(item, inEvent.GetPosition());
  else
    MoveToOther(item);
}

void WDragListBox::OnMouseMove(wxMouseEvent & inEvent) {
  if (!mIsPressed)
    return;
  const wxPoint point = inEvent.GetPosition();
  if (!mIsDragging) {
    int slopX = wxSystemSettings::GetMetric(wxSYS_DRAG_X, this);
    int slopY = wxSystemSettings::GetMetric(wxSYS_DRAG_Y, this);
    if (slopX <= 0)
      slopX = 4;
    if (slopY <= 0)
      slopY = 4;
    if (std::abs(point.x - mPressPoint.x) * 2 < slopX && std::abs(point.y - mPressPoint.y) * 2 < slopY)
      return;
    if (!BeginDrag(ClientToScreen(mPressPoint))) {
      EndMouseTracking();
      return;
    }
  }
  SetCursor(wxCursor(Dragging(ClientToScreen(point))));
}

void WDragListBox::OnLButtonUp(wxMouseEvent & inEvent) {
  if (!mIsPressed) {
    inEvent.Skip();
    return;
  }
  const bool wasDragging = mIsDragging;
  EndMouseTracking();
  if (wasDragging)
    Dropped(ClientToScreen(inEvent.GetPosition()));
  inEvent.Skip();
}

void WDragListBox::OnCaptureLost(wxMouseCaptureLostEvent &) {
  if (mIsDragging)
    CancelDrag(wxGetMousePosition());
  EndMouseTracking();
}

void WDragListBox::EndMouseTracking() {
  mIsPressed = false;
  if (HasCapture())
    ReleaseMouse();
  SetCursor(wxNullCursor);
}

void WDragListBox::OnCharHook(wxKeyEvent & inEvent) {
  // The list's own keys come before the dialog's: Escape ends a drag, Return moves the
  // selected item across (it does not press the default button), Space turns it around.
  const int selection = GetSelection();
  switch (inEvent.GetKeyCode()) {
  case WXK_ESCAPE:
    if (mIsDragging) {
      CancelDrag(wxGetMousePosition());
      EndMouseTracking();
      return; // the dialog stays open
    }
    break;
  case WXK_RETURN:
  case WXK_NUMPAD_ENTER:
    if (selection != wxNOT_FOUND && !mIsDragging) {
      MoveToOther(selection);
      return;
    }
    break;
  case WXK_SPACE:
    if (mArrangeable && selection != wxNOT_FOUND && !mIsDragging) {
      ToggleDirection(selection);
      return;
    }
    break;
  default:
    break;
  }
  inEvent.Skip();
}
