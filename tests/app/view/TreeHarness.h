// A grouped list on its own in a frame, over a task vector the test fills.
#pragma once

#include <string>
#include <vector>

#include <wx/frame.h>

#include "other/WTextEncoding.h"
#include "other/WTimeSheetColumns.h"
#include "panes/WTreeListBox.h"
#include "tasks/STaskVector.h"

namespace viewtest {

class TreeHarness {
public:
  explicit TreeHarness(const std::vector<std::string> & inLines, const wxSize & inSize = wxSize(640, 400));
  ~TreeHarness();
  TreeHarness(const TreeHarness &) = delete;
  TreeHarness & operator=(const TreeHarness &) = delete;

  /// Groups by the given fields, in order.
  void Group(std::initializer_list<STaskComparator::EField> inFields);
  /// The row showing the group headed `inHeading` at `inLevel`, -1 if none.
  int GroupRow(const std::string & inHeading, int inLevel = 0) const;
  /// The row showing entry `inIndex`, -1 if none.
  int EntryRow(std::uint32_t inIndex) const;
  /// The middle of the box of group row `inRow`.
  wxPoint Box(std::size_t inRow) const;
  /// Checks that the rows are exactly the visible rows of the tree and name only entries
  /// and groups that exist; describes the first fault, empty when there is none.
  std::string Fault() const;

  STaskVector vector;
  WTimeSheetColumns columns;
  WTextEncoding encoding{vector};
  wxFrame * frame = nullptr;
  WTreeListBox * tree = nullptr;
};

} // namespace viewtest
