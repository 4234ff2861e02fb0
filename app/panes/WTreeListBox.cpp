// The grouped pane of a time sheet view.
#include "panes/WTreeListBox.h"

#include <algorithm>
#include <vector>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "dates/STimeString.h"
#include "other/WCellText.h"
#include "other/WFonts.h"
#include "other/WPanePrinter.h"
#include "other/WPrintInfo.h"
#include "other/WTextEncoding.h"
#include "other/WTimeSheetColumns.h"
#include "resources/WTreeBoxBitmaps.h"
#include "tasks/STaskVector.h"

wxBEGIN_EVENT_TABLE(WTreeListBox, wxVListBox)
  EVT_PAINT(WTreeListBox::OnPaint)
  EVT_IDLE(WTreeListBox::OnIdle)
  EVT_LEFT_DOWN(WTreeListBox::OnLeftDown)
  EVT_LEFT_DCLICK(WTreeListBox::OnLeftDown)
wxEND_EVENT_TABLE()

WTreeListBox::WTreeListBox(STaskVector & ioVector, WTimeSheetColumns & ioColumns, const WTextEncoding & inEncoding)
    : wxVListBox(), TTreeView<STask, STaskGroup>(&mInternalTree, false), mInternalTree(ioVector),
      mPopulator(&mInternalTree, ioVector, STaskComparator(&ioVector)), mNullComparator(&ioVector),
      mMinusBitmap(WTreeBoxBitmaps::MinusImage()), mPlusBitmap(WTreeBoxBitmaps::PlusImage()),
      mBitmapHeight(static_cast<std::int16_t>(mMinusBitmap.GetHeight())),
      mBitmapWidth(static_cast<std::int16_t>(mMinusBitmap.GetWidth())), mColumns(&ioColumns),
      mEncoding(&inEncoding), mVector(ioVector), mFollower(*this),
      mEncodingGeneration(inEncoding.Generation()) {
  // After the populator, so that the tree has changed when the rows hear of it.
  ioVector.AddListener(&mFollower);
}

WTreeListBox::~WTreeListBox() = default;

bool WTreeListBox::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPosition, const wxSize & inSize,
                          long inStyle) {
  if (!wxVListBox::Create(inParent, inId, inPosition, inSize, inStyle)) {
    return false;
  }
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  mFont = WFonts::GetTahoma85();
  mBoldFont = WFonts::GetTahoma85(true);
  SetFont(mFont);
  {
    wxClientDC dc(this);
    dc.SetFont(mFont);
    mRowHeight = dc.GetCharHeight() + 2;
  }
  Bind(wxEVT_LISTBOX, &WTreeListBox::OnSelected, this);
  Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent & inEvent) {
    SyncRows();
    if (!HandleTreeKey(inEvent.GetKeyCode()))
      inEvent.Skip();
  });
  // "+" and "-" typed with Shift or on other layouts arrive as characters.
  Bind(wxEVT_CHAR, [this](wxKeyEvent & inEvent) {
    const wxChar typed = inEvent.GetUnicodeKey();
    if (typed != '+' && typed != '-') {
      inEvent.Skip();
      return;
    }
    SyncRows();
    HandleTreeKey(typed == '+' ? WXK_ADD : WXK_SUBTRACT);
  });
  SetItemCount(size());
  return true;
}

void WTreeListBox::Group(const STaskComparator & inComparator) {
  Freeze();
  SetItemCount(0);
  STaskComparator comparator(inComparator);
  comparator.SetVector(&mVector);
  mPopulator.SetComparator(comparator);
  TTreeView<STask, STaskGroup>::Update();
  mRowsPending = false;
  NoteRowsBuilt();
  SetItemCount(size());
  mSelectedEntry = sNone;
  PlaceRows(wxNOT_FOUND, 0);
  Thaw();
  Refresh();
}

void WTreeListBox::Expand(std::size_t inIndex) {
  SyncRows();
  if (inIndex >= size() || (*this)[inIndex].Type() != Element::eBranch) {
    return;
  }
  const std::size_t top = GetVisibleRowsBegin();
  const int selection = GetSelection();
  // Only the group's own rows are added: the cost follows the group, not the sheet.
  const std::size_t added = OpenRow(inIndex);
  SetItemCount(size());
  int newSelection = selection;
  if (selection != wxNOT_FOUND && static_cast<std::size_t>(selection) > inIndex) {
    newSelection = selection + static_cast<int>(added);
  }
  PlaceRows(newSelection, top);
  RememberSelection();
  Refresh();
}

void WTreeListBox::Collapse(std::size_t inIndex) {
  SyncRows();
  if (inIndex >= size() || (*this)[inIndex].Type() != Element::eBranch) {
    return;
  }
  const std::size_t top = GetVisibleRowsBegin();
  const int selection = GetSelection();
  const std::size_t removed = CloseRow(inIndex);
  SetItemCount(size());
  int newSelection = selection;
  if (selection != wxNOT_FOUND) {
    const auto selected = static_cast<std::size_t>(selection);
    if (selected >= inIndex + removed && selected > inIndex) {
      newSelection = selection - static_cast<int>(removed);
    } else if (selected > inIndex) {
      newSelection = static_cast<int>(inIndex);
    }
  }
  PlaceRows(newSelection, top);
  RememberSelection();
  Refresh();
}

bool WTreeListBox::HandleTreeKey(int inKeyCode) {
  const bool right = inKeyCode == WXK_RIGHT || inKeyCode == WXK_NUMPAD_RIGHT;
  const bool left = inKeyCode == WXK_LEFT || inKeyCode == WXK_NUMPAD_LEFT;
  const bool plus = inKeyCode == WXK_ADD || inKeyCode == WXK_NUMPAD_ADD;
  const bool minus = inKeyCode == WXK_SUBTRACT || inKeyCode == WXK_NUMPAD_SUBTRACT;
  if (!right && !left && !plus && !minus) {
    return false;
  }
  const int selection = GetSelection();
  if (selection == wxNOT_FOUND || static_cast<std::size_t>(selection) >= size()) {
    return true;
  }
  const auto row = static_cast<std::size_t>(selection);
  const Element & element = (*this)[row];
  const bool isGroup = element.Type() == Element::eBranch;
  const bool isOpen = isGroup && element.Branch().IsOpen();
  std::size_t target = row;
  if (isGroup && !isOpen && (right || plus)) {
    Expand(row);
    return true;
  }
  if (isGroup && isOpen && (left || minus)) {
    Collapse(row);
    return true;
  }
  if (right && isOpen && row + 1 < size()) {
    // An open group: Right goes to its first row.
    target = row + 1;
  } else if (left) {
    // An entry or a closed group: Left goes to the group that holds it.
    const std::int16_t level = element.Level();
    for (std::size_t above = row; above-- > 0;) {
      if ((*this)[above].Level() < level) {
        target = (*this)[above].Type() == Element::eBranch ? above : row;
        break;
      }
    }
  }
  if (target != row) {
    SetSelection(static_cast<int>(target));
    RememberSelection();
    SendSelectedEvent();
  }
  return true;
}

wxRect WTreeListBox::GetControlBox(std::size_t inIndex, bool) const {
  if (inIndex >= size() || (*this)[inIndex].Type() != Element::eBranch) {
    return wxRect();
  }
  const wxRect row = GetItemRect(inIndex);
  return wxRect(row.x + (*this)[inIndex].Level() * sIndent + 5, row.y + 3, mBitmapWidth, mBitmapHeight);
}

void WTreeListBox::DrawLine(wxDC & ioDC, std::size_t inIndex, const wxRect & inRect, bool inPrinting, bool inSelected,
                            bool inFocus) const {
  if (inIndex >= size()) {
    return;
  }
  const Element & element = (*this)[inIndex];
  const int level = element.Level();
  const wxPen oldPen = ioDC.GetPen();
  const wxBrush oldBrush = ioDC.GetBrush();
  const wxFont oldFont = ioDC.GetFont();

  wxRect textArea = inRect;
  textArea.SetLeft(inRect.x + (level + 1) * sIndent);
  if (!inPrinting) {
    ioDC.SetPen(*wxTRANSPARENT_PEN);
    ioDC.SetBrush(wxBrush(wxSystemSettings::GetColour(inSelected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
    ioDC.DrawRectangle(textArea);
  }
  ioDC.SetTextForeground(wxSystemSettings::GetColour(inSelected ? wxSYS_COLOUR_WINDOW : wxSYS_COLOUR_WINDOWTEXT));

  if (element.Type() == Element::eLeaf) {
    const STask & task = element.Leaf();
    ioDC.SetFont(inPrinting ? mPrintFont : mFont);
    const int right = inRect.x + inRect.width;
    // Every cell centres its text alike: the font's height, which on screen made the row's.
    const int charHeight = inPrinting ? ioDC.GetCharHeight() : mRowHeight - 2;
    for (int column = 0; column < WTimeSheetColumns::sColumnCount; ++column) {
      const auto c = static_cast<std::size_t>(column);
      int left = inRect.x + level * sIndent + mColumns->mOffset[c] - 4;
      int cellRight = left + mColumns->mWidth[c];
      left += 4;
      cellRight = std::min(cellRight - 4, right);
      const wxRect cell(left, inRect.y + 2, std::max(cellRight - left, 0), std::max(inRect.height - 4, 0));
      const wxString text = mEncoding->Decode(task.Subfield(static_cast<STask::EField>(column)));
      wxRect centred = cell;
      centred.y += (cell.height - charHeight) / 2;
      if (centred.y >= inRect.y && centred.GetBottom() <= inRect.GetBottom()) {
        // Within the row, the text's place and clipping are those of a centred cell.
        WCellText::Draw(ioDC, text, centred, false, inRect);
      } else {
        WCellText::Draw(ioDC, text, cell, true, inRect);
      }
    }
  } else if (element.Type() == Element::eBranch) {
    const TBranch<STask, STaskGroup> & branch = element.Branch();
    ioDC.SetFont(inPrinting ? mPrintBoldFont : mBoldFont);
    const wxString text = GroupRowText(inIndex);
    {
      wxDCClipper clip(ioDC, inRect);
      ioDC.DrawText(text, textArea.x + 4, inRect.y + 2);
    }
    const wxBitmap & box = branch.IsOpen() ? mMinusBitmap : mPlusBitmap;
    ioDC.DrawBitmap(box, inRect.x + level * sIndent + 5, inRect.y + 3, false);
  }
  if (!inPrinting && inFocus) {
    wxRendererNative::Get().DrawFocusRect(const_cast<WTreeListBox *>(this), ioDC, textArea);
  }
  ioDC.SetBrush(oldBrush);
  ioDC.SetPen(oldPen);
  ioDC.SetFont(oldFont);
}

wxString WTreeListBox::GroupRowText(std::size_t inIndex) const {
  if (inIndex >= size() || (*this)[inIndex].Type() != Element::eBranch) {
    return wxString();
  }
  const STaskGroup & group = (*this)[inIndex].Branch().Group();
  // As many hour digits as the total needs (no total of 32-bit seconds needs 10).
  return mEncoding->Decode(group.Heading()) + ":  " + wxString::FromAscii(STimeString(group.Duration(), 10, 2).c_str());
}

void WTreeListBox::OnDrawItem(wxDC & ioDC, const wxRect & inRect, size_t inIndex) const {
  DrawLine(ioDC, inIndex, inRect, false, IsSelected(inIndex), IsCurrent(inIndex) && HasFocus());
}

void WTreeListBox::OnDrawBackground(wxDC &, const wxRect &, size_t) const {
  // DrawLine fills the row itself.
}

wxCoord WTreeListBox::OnMeasureItem(size_t) const { return mRowHeight; }

std::int32_t WTreeListBox::GetNumPages(WPrintInfo & ioInfo) {
  SyncRows();
  mLinesPerPage = WPanePrinter::LinesPerPage(ioInfo, mRowHeight);
  return WPanePrinter::PageCount(size(), mLinesPerPage);
}

void WTreeListBox::Print(WPrintInfo & ioInfo) {
  SyncRows();
  mPrintFont = ioInfo.PrintFont(mFont);
  mPrintBoldFont = ioInfo.PrintFont(mBoldFont);
  WPanePrinter::Print(ioInfo, size(), mRowHeight, mLinesPerPage, mPrintFont,
                      [this](wxDC & ioDC, std::size_t inIndex, const wxRect & inRect) {
                        DrawLine(ioDC, inIndex, inRect, true, false, false);
                      });
}

void WTreeListBox::DrawLabels(wxDC & ioDC, const wxRect & inRect) {
  WPanePrinter::DrawLabels(ioDC, inRect, mPrintFont.IsOk() ? mPrintFont : mFont);
}

void WTreeListBox::FollowMessage(TVectorMessage<STask> inMessage) {
  switch (inMessage.code()) {
  case TVectorMessage<STask>::eInsert:
    if (mSelectedEntry != sNone) {
      mSelectedEntry = inMessage.IndexAfterInsert(mSelectedEntry);
    }
    break;
  case TVectorMessage<STask>::eDelete:
    if (mSelectedEntry != sNone) {
      mSelectedEntry = inMessage.Covers(mSelectedEntry) ? sNone : inMessage.IndexAfterDelete(mSelectedEntry);
    }
    break;
  case TVectorMessage<STask>::eChange:
    break;
  case TVectorMessage<STask>::eNotice:
    return; // the change or delete that follows says what happened
  }
  // One entry in or out while the groups stay: the rows can be patched instead of rebuilt.
  const bool single = !inMessage.IsScattered() && inMessage.end_index() == inMessage.begin_index() + 1 &&
                      inMessage.code() != TVectorMessage<STask>::eChange;
  if (!mRowsPending && single && mRowsBranches == mInternalTree.Branches().size() &&
      mRowsRebuilds == mPopulator.Rebuilds()) {
    mPatch = inMessage.code() == TVectorMessage<STask>::eInsert ? EPatch::eInsert : EPatch::eDelete;
    mPatchEntry = inMessage.begin_index();
  } else {
    mPatch = EPatch::eNone;
  }
  if (!mRowsPending) {
    mRowsPending = true;
    // The next paint brings the rows in step (once per burst of messages).
    if (GetHandle() != nullptr)
      Refresh();
  }
}

void WTreeListBox::SyncRows() {
  if (!mRowsPending) {
    return;
  }
  mRowsPending = false;
  const std::size_t top = GetVisibleRowsBegin();
  if (!mPopulator.IsListening()) {
    // The tree no longer follows the vector: show nothing until it is grouped again.
    clear();
    mRowsBranches = static_cast<std::size_t>(-1); // no patch until the rows are built again
    mSelectedEntry = sNone;
    SetItemCount(0);
    return;
  }
  if (!PatchRows()) {
    TTreeView<STask, STaskGroup>::Update();
  }
  NoteRowsBuilt();
  SetItemCount(size());
  PlaceRows(FindRememberedRow(), top);
  RememberSelection();
  Refresh();
}

void WTreeListBox::NoteRowsBuilt() {
  mPatch = EPatch::eNone;
  mRowsBranches = mInternalTree.Branches().size();
  mRowsRebuilds = mPopulator.Rebuilds();
}

bool WTreeListBox::PatchRows() {
  const EPatch patch = mPatch;
  mPatch = EPatch::eNone;
  if (patch == EPatch::eNone || mRowsBranches != mInternalTree.Branches().size() ||
      mRowsRebuilds != mPopulator.Rebuilds() || mPatchEntry >= mVector.size() + (patch == EPatch::eDelete ? 1 : 0)) {
    return false;
  }
  const std::uint32_t entry = mPatchEntry;
  if (patch == EPatch::eDelete) {
    RemoveLeafRow(entry);
    return true;
  }
  // The new entry's leaf: the tree knows the branch that holds it.
  const auto & branches = mInternalTree.Branches();
  const std::uint32_t holder = mPopulator.LeafBranch(entry);
  if (holder >= branches.size()) {
    return false;
  }
  const auto & elements = branches[holder];
  const auto leaf = std::find_if(elements.begin(), elements.end(), [entry](const Element & inElement) {
    return inElement.Type() == Element::eLeaf && inElement.LeafIndex() == entry;
  });
  if (leaf == elements.end()) {
    return false;
  }
  InsertLeafRow(holder, static_cast<std::size_t>(leaf - elements.begin()));
  return true;
}

void WTreeListBox::PlaceRows(int inRow, std::size_t inTop) {
  if (inRow != wxNOT_FOUND && static_cast<std::size_t>(inRow) < GetItemCount()) {
    SetSelection(inRow);
  } else {
    SetSelection(wxNOT_FOUND);
  }
  if (GetItemCount() > 0) {
    ScrollToRow(std::min(inTop, GetItemCount() - 1));
  }
}

std::uint32_t WTreeListBox::FirstLeafUnder(std::uint32_t inBranch) const {
  const auto & branches = mInternalTree.Branches();
  while (inBranch < branches.size() && !branches[inBranch].empty()) {
    const Element & first = branches[inBranch].front();
    if (first.Type() == Element::eLeaf) {
      return first.LeafIndex();
    }
    inBranch = first.BranchIndex();
  }
  return sNone;
}

void WTreeListBox::RememberSelection() {
  const int selection = GetSelection();
  if (selection == wxNOT_FOUND || static_cast<std::size_t>(selection) >= size()) {
    mSelectedEntry = sNone;
    return;
  }
  const Element & element = (*this)[static_cast<std::size_t>(selection)];
  mSelectedLevel = element.Level();
  mSelectedEntry = element.Type() == Element::eLeaf ? element.LeafIndex() : FirstLeafUnder(element.BranchIndex());
}

int WTreeListBox::FindRememberedRow() const {
  if (mSelectedEntry == sNone || mSelectedEntry >= mVector.size()) {
    return wxNOT_FOUND;
  }
  // The branch that holds the entry's leaf, and the leaf's place in it.
  const auto & branches = mInternalTree.Branches();
  auto placeIn = [this, &branches](std::uint32_t inBranch) {
    const auto & elements = branches[inBranch];
    const auto found = std::find_if(elements.begin(), elements.end(), [this](const Element & inElement) {
      return inElement.Type() == Element::eLeaf && inElement.LeafIndex() == mSelectedEntry;
    });
    return static_cast<std::size_t>(found - elements.begin());
  };
  std::uint32_t holder = mPopulator.LeafBranch(mSelectedEntry);
  std::size_t place = 0;
  if (holder >= branches.size() || (place = placeIn(holder)) == branches[holder].size()) {
    // The populator does not know (its tree does not follow the sheet just now): search.
    for (holder = 0; holder < branches.size() && (place = placeIn(holder)) == branches[holder].size(); ++holder) {
    }
    if (holder == branches.size()) {
      return wxNOT_FOUND;
    }
  }
  // What may stand for the selection, best first: the entry itself (if an entry was
  // selected), then its group at the selected level, then the groups above that. The first
  // one that shows wins.
  const std::int16_t leafLevel = mPopulator.Comparator().Levels();
  auto rowIfShown = [this](std::size_t inRow, Element::EType inType, std::uint32_t inIndex) {
    if (inRow >= size()) {
      return wxNOT_FOUND;
    }
    const Element & element = (*this)[inRow];
    const bool same = element.Type() == inType &&
                      (inType == Element::eLeaf ? element.LeafIndex() : element.BranchIndex()) == inIndex;
    return same ? static_cast<int>(inRow) : wxNOT_FOUND;
  };
  if (mSelectedLevel >= leafLevel) {
    const int row = rowIfShown(RowOfChild(holder, place), Element::eLeaf, mSelectedEntry);
    if (row != wxNOT_FOUND) {
      return row;
    }
  }
  std::int16_t level = static_cast<std::int16_t>(leafLevel - 1);
  for (std::uint32_t branch = holder; branch != sNone && branch < branches.size() && level >= 0;
       branch = branches[branch].ParentIndex(), --level) {
    if (level <= mSelectedLevel) {
      const int row = rowIfShown(RowOfBranch(branch), Element::eBranch, branch);
      if (row != wxNOT_FOUND) {
        return row;
      }
    }
  }
  return wxNOT_FOUND;
}

void WTreeListBox::OnPaint(wxPaintEvent & inEvent) {
  SyncRows();
  // Whatever changed the selection since, the rows are in step now: note what it shows.
  RememberSelection();
  if (GetItemCount() == 0) {
    // An empty list shows only the focus rectangle, and only while it has the focus.
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    if (HasFocus()) {
      wxRendererNative::Get().DrawFocusRect(this, dc, wxRect(0, 0, GetClientSize().x, mRowHeight));
    }
    return;
  }
  wxVListBox::OnPaint(inEvent);
}

void WTreeListBox::OnIdle(wxIdleEvent & inEvent) {
  inEvent.Skip();
  SyncRows();
  RememberSelection();
  if (mEncodingGeneration != mEncoding->Generation()) {
    mEncodingGeneration = mEncoding->Generation();
    Refresh();
  }
}

void WTreeListBox::OnLeftDown(wxMouseEvent & inEvent) {
  SyncRows();
  const wxPoint point = inEvent.GetPosition();
  const wxSize client = GetClientSize();
  const int row = VirtualHitTest(point.y);
  if (point.x < 0 || point.y < 0 || point.x >= client.x || point.y >= client.y || row == wxNOT_FOUND ||
      static_cast<std::size_t>(row) >= size()) {
    inEvent.Skip();
    return;
  }
  const auto index = static_cast<std::size_t>(row);
  const Element & element = (*this)[index];
  if (element.Type() != Element::eBranch || !GetControlBox(index, false).Contains(point)) {
    inEvent.Skip();
    return;
  }
  if (element.Branch().IsOpen()) {
    Collapse(index);
  } else {
    Expand(index);
  }
}

std::vector<std::uint32_t> WTreeListBox::SelectedEntries() {
  SyncRows();
  std::vector<std::uint32_t> entries;
  const int selection = GetSelection();
  if (selection == wxNOT_FOUND || static_cast<std::size_t>(selection) >= size()) {
    return entries;
  }
  const Element & element = (*this)[static_cast<std::size_t>(selection)];
  if (element.Type() == Element::eLeaf) {
    entries.push_back(element.LeafIndex());
    return entries;
  }
  // A group stands for every entry under it, in the order the tree shows them.
  const auto & branches = mInternalTree.Branches();
  std::vector<std::uint32_t> pending{element.BranchIndex()};
  while (!pending.empty()) {
    const std::uint32_t branch = pending.back();
    pending.pop_back();
    if (branch >= branches.size()) {
      continue;
    }
    const auto & elements = branches[branch];
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
      if (it->Type() == Element::eBranch) {
        pending.push_back(it->BranchIndex());
      }
    }
    for (const Element & member : elements) {
      if (member.Type() == Element::eLeaf) {
        entries.push_back(member.LeafIndex());
      }
    }
  }
  return entries;
}

void WTreeListBox::SelectEntry(std::uint32_t inIndex) {
  SyncRows();
  mSelectedEntry = inIndex;
  mSelectedLevel = mPopulator.Comparator().Levels();
  const int row = FindRememberedRow();
  PlaceRows(row, GetVisibleRowsBegin());
  if (row != wxNOT_FOUND && !IsRowVisible(static_cast<std::size_t>(row))) {
    ScrollToRow(static_cast<std::size_t>(row));
  }
  RememberSelection();
  Refresh();
}

void WTreeListBox::OnSelected(wxCommandEvent & inEvent) {
  inEvent.Skip();
  RememberSelection();
}
