// The flat pane of a time sheet view and its in-place editing.
#include "panes/WListListBox.h"

#include <algorithm>
#include <vector>

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "controls/WInPlaceEdit.h"
#include "dates/SDateString.h"
#include "dates/STimeString.h"
#include "dates/STypedValue.h"
#include "other/WCellText.h"
#include "other/WFonts.h"
#include "other/WPanePrinter.h"
#include "other/WPrintInfo.h"
#include "other/WTextEncoding.h"
#include "other/WTimeSheetColumns.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskVector.h"

namespace {

// An edited cell keeps at most this many characters.
constexpr std::size_t kMaxEditChars = 1023;

} // namespace

wxBEGIN_EVENT_TABLE(WListListBox, wxVListBox)
  EVT_PAINT(WListListBox::OnPaint)
  EVT_IDLE(WListListBox::OnIdle)
  EVT_LEFT_DOWN(WListListBox::OnLeftDown)
  EVT_LEFT_DCLICK(WListListBox::OnLeftDoubleClick)
  EVT_TEXT_ENTER(WInPlaceEdit::sControlId, WListListBox::OnEditEnter)
wxEND_EVENT_TABLE()

WListListBox::WListListBox(STaskVector & ioVector, WTimeSheetColumns & ioColumns, const WTextEncoding & inEncoding)
    : wxVListBox(), STaskVectorMap(ioVector), mColumns(&ioColumns), mEncoding(&inEncoding),
      mEncodingGeneration(inEncoding.Generation()) {}

WListListBox::~WListListBox() {
  if (mInPlaceEditControl != nullptr) {
    // The box dies with the window; it must not call back into a list that is going.
    mInPlaceEditControl->Unbind(wxEVT_KILL_FOCUS, &WListListBox::OnEditKillFocus, this);
    mInPlaceEditControl = nullptr;
  }
}

bool WListListBox::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize,
                          long inStyle) {
  if (!wxVListBox::Create(inParent, inId, inPosition, inSize, inStyle | wxLB_MULTIPLE | wxLB_EXTENDED)) {
    return false;
  }
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  mFont = WFonts::GetTahoma85();
  SetFont(mFont);
  SetItemCount(size());
  return true;
}

void WListListBox::Sort(const STaskComparator & inComparator) {
  CommitInPlaceEdit();
  SyncRows();
  DeselectAll();
  const STaskComparator comparator(inComparator);
  comparator.Sort(data(), data() + size());
  Refresh();
}

void WListListBox::ListenToMessage(TVectorMessage<STask> inMessage) {
  switch (inMessage.code()) {
  case TVectorMessage<STask>::eInsert: {
    // Entries put back between others (an undone removal) keep their place in a list shown
    // in file order; anywhere else, as appended ones do, they come last.
    const bool between = inMessage.IsScattered() || inMessage.end_index() < GetVector().size();
    const bool inFileOrder = between && std::is_sorted(begin(), end());
    if (inFileOrder) {
      Repopulate(); // what shifting the indices and appending the new ones, then sorting, gives
    } else {
      STaskVectorMap::ListenToMessage(inMessage);
    }
    mRowsPending = true;
    break;
  }
  case TVectorMessage<STask>::eDelete:
    FollowDeletion(inMessage);
    break;
  case TVectorMessage<STask>::eChange:
    STaskVectorMap::ListenToMessage(inMessage);
    RefreshEntries(inMessage.begin_index(), inMessage.end_index());
    break;
  case TVectorMessage<STask>::eNotice:
    STaskVectorMap::ListenToMessage(inMessage);
    break;
  }
}

void WListListBox::SyncRows() {
  mRowsPending = false;
  if (GetItemCount() != size()) {
    SetItemCount(size());
  }
}

void WListListBox::FollowDeletion(TVectorMessage<STask> inMessage) {
  CancelInPlaceEdit();

  // The selected entries that stay, by their vector index after the deletion.
  std::vector<std::uint32_t> kept;
  // A hidden list (the grouped one is shown) lets its selection go.
  if (!GetVector().empty() && IsShown() && GetSelectedCount() > 0) {
    unsigned long cookie = 0;
    for (int row = GetFirstSelected(cookie); row != wxNOT_FOUND; row = GetNextSelected(cookie)) {
      if (static_cast<std::size_t>(row) >= size()) {
        break;
      }
      const std::uint32_t index = (*this)[static_cast<std::size_t>(row)];
      if (!inMessage.Covers(index)) {
        kept.push_back(inMessage.IndexAfterDelete(index));
      }
    }
  }
  STaskVectorMap::ListenToMessage(inMessage);
  DeselectAll();
  mRowsPending = false;
  SetItemCount(size());
  if (!kept.empty()) {
    std::sort(kept.begin(), kept.end());
    for (std::size_t row = 0; row < size(); ++row) {
      if (std::binary_search(kept.begin(), kept.end(), (*this)[row])) {
        SelectRange(row, row);
      }
    }
  }
  Refresh();
}

void WListListBox::RefreshEntries(std::uint32_t inBegin, std::uint32_t inEnd) {
  const std::size_t last = std::min({GetVisibleRowsEnd(), GetItemCount(), size()});
  for (std::size_t row = GetVisibleRowsBegin(); row < last; ++row) {
    const std::uint32_t index = (*this)[row];
    if (index >= inBegin && index < inEnd) {
      RefreshRow(row);
    }
  }
}

wxRect WListListBox::GetFieldRect(const wxRect & inLineRect, int inFieldIndex, bool inIndent) const {
  const auto field = static_cast<std::size_t>(std::clamp(inFieldIndex, 0, WTimeSheetColumns::sColumnCount - 1));
  int left = inLineRect.x + mColumns->mOffset[field];
  int right = left + mColumns->mWidth[field];
  int top = inLineRect.y;
  const int bottom = inLineRect.y + inLineRect.height;
  if (inIndent) {
    top += 2;
    left += 4;
    right -= 4;
  }
  right = std::min(right, inLineRect.x + inLineRect.width);
  return wxRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}

wxString WListListBox::FieldText(const STask & inTask, int inField) const {
  return mEncoding->Decode(inTask.Subfield(static_cast<STask::EField>(inField)));
}

void WListListBox::DrawLine(wxDC & ioDC, std::size_t inIndex, const wxRect & inRect, bool inPrinting,
                            bool inSelected, bool inFocus) const {
  if (inIndex >= size()) {
    return;
  }
  const STask & task = get(static_cast<unsigned int>(inIndex));
  const wxPen oldPen = ioDC.GetPen();
  const wxBrush oldBrush = ioDC.GetBrush();
  const wxFont oldFont = ioDC.GetFont();
  if (!inPrinting) {
    ioDC.SetPen(*wxTRANSPARENT_PEN);
    ioDC.SetBrush(wxBrush(wxSystemSettings::GetColour(inSelected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
    ioDC.DrawRectangle(inRect);
  }
  ioDC.SetTextForeground(wxSystemSettings::GetColour(inSelected ? wxSYS_COLOUR_WINDOW : wxSYS_COLOUR_WINDOWTEXT));
  ioDC.SetFont(inPrinting ? mPrintFont : mFont);
  for (int column = 0; column < WTimeSheetColumns::sColumnCount; ++column) {
    WCellText::Draw(ioDC, FieldText(task, column), GetFieldRect(inRect, column, true), false, inRect);
  }
  if (!inPrinting && inFocus) {
    wxRendererNative::Get().DrawFocusRect(const_cast<WListListBox *>(this), ioDC, inRect);
  }
  ioDC.SetBrush(oldBrush);
  ioDC.SetPen(oldPen);
  ioDC.SetFont(oldFont);
}

void WListListBox::OnDrawItem(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const {
  DrawLine(ioDC, inIndex, inRect, false, IsSelected(inIndex), IsCurrent(inIndex) && HasFocus());
}

void WListListBox::OnDrawBackground(wxDC &, const wxRect &, size_t) const {
  // DrawLine fills the row itself.
}

wxCoord WListListBox::OnMeasureItem(size_t) const { return sRowHeight; }

std::int32_t WListListBox::GetNumPages(WPrintInfo & ioInfo) {
  mLinesPerPage = WPanePrinter::LinesPerPage(ioInfo, sRowHeight);
  return WPanePrinter::PageCount(size(), mLinesPerPage);
}

void WListListBox::Print(WPrintInfo & ioInfo) {
  mPrintFont = ioInfo.PrintFont(mFont);
  WPanePrinter::Print(ioInfo, size(), sRowHeight, mLinesPerPage, mPrintFont,
                      [this](wxDC & ioDC, std::size_t inIndex, const wxRect & inRect) {
                        DrawLine(ioDC, inIndex, inRect, true, false, false);
                      });
}

void WListListBox::DrawLabels(wxDC & ioDC, const wxRect & inRect) {
  WPanePrinter::DrawLabels(ioDC, inRect, mPrintFont.IsOk() ? mPrintFont : mFont);
}

void WListListBox::OnPaint(wxPaintEvent & inEvent) {
  if (mRowsPending) {
    SyncRows();
  }
  if (GetItemCount() == 0) {
    // An empty list shows only the focus rectangle, and only while it has the focus.
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    if (HasFocus()) {
      wxRendererNative::Get().DrawFocusRect(this, dc, wxRect(0, 0, GetClientSize().x, sRowHeight));
    }
    return;
  }
  wxVListBox::OnPaint(inEvent);
}

void WListListBox::OnIdle(wxIdleEvent & inEvent) {
  inEvent.Skip();
  if (mRowsPending) {
    SyncRows();
  }
  if (mEncodingGeneration != mEncoding->Generation()) {
    mEncodingGeneration = mEncoding->Generation();
    Refresh();
  }
  if (mInPlaceEditControl != nullptr) {
    // A box whose row scrolled away is done with.
    const wxRect rect = GetItemRect(static_cast<std::size_t>(mInPlaceItemIndex));
    const wxRect box = mInPlaceEditControl->GetRect();
    if (rect.IsEmpty() || rect.y != box.y + 2) {
      CommitInPlaceEdit();
    }
  }
}

int WListListBox::ColumnAt(int inX) const {
  for (int column = 0; column < WTimeSheetColumns::sColumnCount; ++column) {
    const auto c = static_cast<std::size_t>(column);
    if (mColumns->mOffset[c] <= inX && inX - mColumns->mOffset[c] <= mColumns->mWidth[c]) {
      return column;
    }
  }
  return -1;
}

void WListListBox::OnLeftDown(wxMouseEvent & inEvent) {
  // A click in the list ends an open edit before the list takes the focus (which would
  // otherwise go straight back to the box, its child); a refused text stays in its box.
  CommitInPlaceEdit(true);
  inEvent.Skip();
}

void WListListBox::OnLeftDoubleClick(wxMouseEvent & inEvent) {
  SyncRows();
  const wxPoint point = inEvent.GetPosition();
  const int row = VirtualHitTest(point.y);
  if (row == wxNOT_FOUND || static_cast<std::size_t>(row) >= size()) {
    inEvent.Skip();
    return;
  }
  const wxRect rect = GetItemRect(static_cast<std::size_t>(row));
  const int column = rect.IsEmpty() ? -1 : ColumnAt(point.x - rect.x);
  if (column < 0 || !OpenInPlaceEdit(static_cast<std::size_t>(row), column)) {
    inEvent.Skip();
  }
}

bool WListListBox::OpenInPlaceEdit(std::size_t inRow, int inFieldIndex) {
  if (mInPlaceEditControl != nullptr && !CommitInPlaceEdit(true)) {
    mInPlaceEditControl->SetFocus();
    return true;
  }
  SyncRows();
  if (inRow >= size() || inFieldIndex < 0 || inFieldIndex >= WTimeSheetColumns::sColumnCount) {
    return false;
  }
  if (mEditGuard && !mEditGuard()) {
    return false;
  }
  if (!IsRowVisible(inRow)) {
    ScrollToRow(inRow);
  }
  const wxRect rowRect = GetItemRect(inRow);
  if (rowRect.IsEmpty()) {
    return false;
  }
  wxRect box = GetFieldRect(rowRect, inFieldIndex, false);
  box.Inflate(2, 2);
  const int right = std::min(box.x + box.width, rowRect.x + rowRect.width);
  box.width = std::max(right - box.x, 0);

  const wxString text = FieldText(get(static_cast<unsigned int>(inRow)), inFieldIndex);
  auto * edit = new WInPlaceEdit(this, text, box);
  edit->SetFont(mFont);
  edit->Raise();
  edit->SetMargins(4);
  edit->Show();
  edit->SelectAll();
  edit->SetFocus();
  edit->DiscardEdits();
  edit->Bind(wxEVT_KILL_FOCUS, &WListListBox::OnEditKillFocus, this);
  mInPlaceEditControl = edit;
  mInPlaceFieldIndex = inFieldIndex;
  mInPlaceItemIndex = static_cast<int>(inRow);
  return true;
}

STask WListListBox::EditedTask(const STask & inTask, int inField, const wxString & inText) const {
  TaskFields fields = inTask;
  const std::string bytes = mEncoding->Encode(inText.Left(kMaxEditChars));
  const std::string value(STypedValue::Trimmed(bytes));
  switch (inField) {
  case STask::eDate: {
    // A typed date is written back in full; one the date cannot hold stays as typed.
    SDateString typed(fields.date.GetFormat(), true);
    typed = value;
    const SDate date = typed;
    if (date != SDate()) {
      typed.MakeDateString(date);
    }
    fields.date = static_cast<const std::string &>(typed);
    break;
  }
  case STask::eDuration: {
    // As many hour digits as the duration needs: a long one is not cut to 99:59:59.
    const STime duration = STimeString::ParseTime(value.data(), value.size());
    fields.duration = static_cast<const std::string &>(STimeString(duration, 10, 2));
    break;
  }
  case STask::eWhoCode:
    fields.whoCode = bytes;
    break;
  case STask::eJobNumber:
    fields.jobNumber = bytes;
    break;
  case STask::eTimeCode:
    fields.timeCode = bytes;
    break;
  default:
    fields.description = bytes;
    break;
  }
  STask task(inTask.GetDateFormat());
  task = fields;
  return task;
}

void WListListBox::SetEditHandlers(EditHandler inEdit, MessageHandler inMessage) {
  mEditHandler = std::move(inEdit);
  mMessageHandler = std::move(inMessage);
}

wxString WListListBox::RefusalOf(int inField, const wxString & inText, SDateFormat inOrder) const {
  if (!mEncoding->CanEncode(inText)) {
    return "This time sheet is saved in Windows-1252, which cannot hold: " + inText;
  }
  const std::string bytes = mEncoding->Encode(inText);
  if (inField == STask::eDate && !STypedValue::IsDate(bytes, inOrder)) {
    return "Not a date: " + inText;
  }
  if (inField == STask::eDuration && !STypedValue::IsDuration(bytes)) {
    return "Not a duration: " + inText;
  }
  return wxString();
}

std::vector<std::uint32_t> WListListBox::SelectedEntries() const {
  std::vector<std::uint32_t> entries;
  unsigned long cookie = 0;
  for (int row = GetFirstSelected(cookie); row != wxNOT_FOUND; row = GetNextSelected(cookie)) {
    if (static_cast<std::size_t>(row) < size()) {
      entries.push_back((*this)[static_cast<std::size_t>(row)]);
    }
  }
  return entries;
}

void WListListBox::SelectEntries(const std::vector<std::uint32_t> & inIndices) {
  SyncRows();
  DeselectAll();
  std::size_t first = size();
  for (std::size_t row = 0; row < size() && !inIndices.empty(); ++row) {
    if (std::binary_search(inIndices.begin(), inIndices.end(), (*this)[row])) {
      Select(row, true);
      first = std::min(first, row);
    }
  }
  if (first < size()) {
    DoSetCurrent(static_cast<int>(first));
    if (!IsRowVisible(first)) {
      ScrollToRow(first);
    }
  }
  Refresh();
}

bool WListListBox::CommitInPlaceEdit(bool inKeepRefused) {
  WInPlaceEdit * box = mInPlaceEditControl;
  if (box == nullptr) {
    return true;
  }
  bool modified = box->IsModified();
  const wxString text = box->GetValue().Left(kMaxEditChars);
  if (modified) {
    const bool known = mInPlaceItemIndex >= 0 && static_cast<std::size_t>(mInPlaceItemIndex) < size();
    const wxString refusal =
        known ? RefusalOf(mInPlaceFieldIndex, text, get(static_cast<unsigned int>(mInPlaceItemIndex)).GetDateFormat())
              : wxString();
    if (!refusal.empty()) {
      if (mMessageHandler) {
        mMessageHandler(refusal);
      }
      if (inKeepRefused) {
        return false;
      }
      modified = false;
    }
  }
  mInPlaceEditControl = nullptr;
  const bool hadFocus = box->HasFocus();
  box->Unbind(wxEVT_KILL_FOCUS, &WListListBox::OnEditKillFocus, this);
  box->Hide();
  if (hadFocus) {
    // The list itself, not its last focused child (the box).
    SetFocusIgnoringChildren();
  }
  CallAfter([box] { box->Destroy(); });
  if (modified && mInPlaceItemIndex >= 0 && static_cast<std::size_t>(mInPlaceItemIndex) < size()) {
    const auto row = static_cast<unsigned int>(mInPlaceItemIndex);
    const STask & old = get(row);
    const STask edited = EditedTask(old, mInPlaceFieldIndex, text);
    if (static_cast<const std::string &>(edited) == static_cast<const std::string &>(old)) {
      return true; // nothing changed
    }
    if (mEditHandler) {
      mEditHandler((*this)[row], STask(old), edited, mInPlaceFieldIndex);
    } else {
      set(row, edited);
    }
  }
  return true;
}

void WListListBox::CancelInPlaceEdit() {
  if (mInPlaceEditControl != nullptr) {
    mInPlaceEditControl->DiscardEdits();
    CommitInPlaceEdit();
  }
}

void WListListBox::OnEditEnter(wxCommandEvent & inEvent) {
  if (inEvent.GetEventObject() == mInPlaceEditControl) {
    CommitInPlaceEdit(true);
  }
}

void WListListBox::OnEditKillFocus(wxFocusEvent & inEvent) {
  inEvent.Skip();
  if (inEvent.GetEventObject() == mInPlaceEditControl) {
    CommitInPlaceEdit(true);
  }
}
