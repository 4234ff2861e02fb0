// A flat or grouped list on its own in a shown frame, over a task vector the test fills.
#pragma once

#include <sstream>

#include <wx/frame.h>

#include "controls/WInPlaceEdit.h"
#include "other/WTextEncoding.h"
#include "other/WTimeSheetColumns.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "support/GuiTestSupport.h"
#include "trees/TTreeView.h"
#include "view/ViewTestSupport.h"

namespace viewtest {

template <class Pane>
class PaneHarness {
public:
  explicit PaneHarness(const std::vector<std::string> & inLines, const wxSize & inSize = wxSize(640, 400)) {
    Append(vector, inLines);
    frame = new wxFrame(nullptr, wxID_ANY, "Pane", wxPoint(10, 10), inSize);
    pane = new Pane(vector, columns, encoding);
    pane->Create(frame, wxID_ANY, wxPoint(0, 0), inSize, wxVSCROLL | wxBORDER_NONE);
    columns.SetDescriptionWidth(inSize.x - 20 - columns.FixedWidth());
    frame->Show();
    guitest::WaitUntil([this] { return pane->IsShownOnScreen() && pane->GetClientSize().y > 100; });
    guitest::Flush();
  }
  ~PaneHarness() {
    pane->Destroy();
    frame->Destroy();
    guitest::Flush();
  }
  PaneHarness(const PaneHarness &) = delete;
  PaneHarness & operator=(const PaneHarness &) = delete;

  /// The middle of the cell of column inColumn in visible row inRow.
  wxPoint Cell(std::size_t inRow, int inColumn) const {
    const auto column = static_cast<std::size_t>(inColumn);
    const wxRect row = pane->GetItemRect(inRow);
    return wxPoint(row.x + columns.mOffset[column] + std::min(columns.mWidth[column] / 2, 20), row.y + row.height / 2);
  }
  /// Double-clicks the cell and returns the edit box that opened (null if none).
  WInPlaceEdit * Open(std::size_t inRow, int inColumn) {
    Click(pane, Cell(inRow, inColumn), true);
    return pane->InPlaceEditControl();
  }
  /// Replaces the open box's text as if typed.
  void Type(const wxString & inText) {
    pane->InPlaceEditControl()->ChangeValue(inText);
    pane->InPlaceEditControl()->MarkDirty();
  }
  std::string Field(std::size_t inRow, int inField) const {
    return std::string(pane->get(static_cast<unsigned>(inRow)).Subfield(static_cast<STask::EField>(inField)));
  }

  /// Groups by the given fields, in order.
  void Group(std::initializer_list<STaskComparator::EField> inFields) {
    STaskComparator::EField f[7] = {};
    std::copy(inFields.begin(), inFields.end(), f);
    pane->Group(STaskComparator(f[0], f[1], f[2], f[3], f[4], f[5], f[6], static_cast<std::int16_t>(inFields.size())));
  }
  /// The row of the group headed inHeading at inLevel; -1 if none.
  int GroupRow(const std::string & inHeading, int inLevel = 0) const {
    for (std::size_t row = 0; row < pane->size(); ++row) {
      const auto & e = (*pane)[row];
      if (e.Level() == inLevel && IsGroup(e) && e.Branch().Group().Heading() == inHeading)
        return static_cast<int>(row);
    }
    return -1;
  }
  bool IsOpen(int inRow) const { return (*pane)[static_cast<std::size_t>(inRow)].Branch().IsOpen(); }
  /// The middle of the plus or minus box of group row inRow.
  wxPoint Box(std::size_t inRow) const { return pane->GetControlBox(inRow, false).GetPosition() + wxPoint(4, 4); }
  /// How the rows differ from a fresh view of the tree; empty when they do not.
  std::string Fault() const {
    std::ostringstream fault;
    TTreeView<STask, STaskGroup> fresh(&pane->InternalTree(), true);
    if (pane->GetItemCount() != pane->size() || fresh.size() != pane->size())
      fault << pane->GetItemCount() << " items, " << pane->size() << " rows, " << fresh.size() << " in the tree";
    for (std::size_t row = 0; fault.str().empty() && row < pane->size(); ++row) {
      const auto & e = (*pane)[row];
      if (!(e == fresh[row]) || (IsGroup(e) ? e.BranchIndex() >= pane->InternalTree().Branches().size()
                                            : e.LeafIndex() >= vector.size()))
        fault << "row " << row << " is stale";
    }
    return fault.str();
  }

  STaskVector vector;
  WTimeSheetColumns columns;
  WTextEncoding encoding{vector};
  wxFrame * frame = nullptr;
  Pane * pane = nullptr;

private:
  static bool IsGroup(const WTreeListBox::Element & inElement) { return inElement.Type() == WTreeListBox::Element::eBranch; }
};

using ListHarness = PaneHarness<WListListBox>;
using TreeHarness = PaneHarness<WTreeListBox>;

} // namespace viewtest
