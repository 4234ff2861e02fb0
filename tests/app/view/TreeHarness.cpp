// A grouped list on its own in a frame.
#include "view/TreeHarness.h"

#include <sstream>

#include "trees/TTreeView.h"
#include "support/GuiTestSupport.h"
#include "view/ViewTestSupport.h"

namespace viewtest {

TreeHarness::TreeHarness(const std::vector<std::string> & inLines, const wxSize & inSize) {
  Append(vector, inLines);
  frame = new wxFrame(nullptr, wxID_ANY, "Tree", wxPoint(10, 10), inSize);
  tree = new WTreeListBox(vector, columns, encoding);
  tree->Create(frame, wxID_ANY, wxPoint(0, 0), inSize, wxVSCROLL | wxBORDER_NONE);
  columns.SetDescriptionWidth(inSize.x - 20 - columns.FixedWidth());
  frame->Show();
  guitest::WaitUntil([this] { return tree->IsShownOnScreen() && tree->GetClientSize().y > 100; });
  guitest::Flush();
}

TreeHarness::~TreeHarness() {
  tree->Destroy();
  frame->Destroy();
  guitest::Flush();
}

void TreeHarness::Group(std::initializer_list<STaskComparator::EField> inFields) {
  STaskComparator::EField codes[7] = {};
  std::size_t level = 0;
  for (STaskComparator::EField field : inFields) {
    codes[level++] = field;
  }
  tree->Group(STaskComparator(codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6],
                              static_cast<std::int16_t>(level)));
}

int TreeHarness::GroupRow(const std::string & inHeading, int inLevel) const {
  for (std::size_t row = 0; row < tree->size(); ++row) {
    const auto & element = (*tree)[row];
    if (element.Type() == WTreeListBox::Element::eBranch && element.Level() == inLevel &&
        element.Branch().Group().Heading() == inHeading) {
      return static_cast<int>(row);
    }
  }
  return -1;
}

int TreeHarness::EntryRow(std::uint32_t inIndex) const {
  for (std::size_t row = 0; row < tree->size(); ++row) {
    const auto & element = (*tree)[row];
    if (element.Type() == WTreeListBox::Element::eLeaf && element.LeafIndex() == inIndex) {
      return static_cast<int>(row);
    }
  }
  return -1;
}

wxPoint TreeHarness::Box(std::size_t inRow) const {
  const wxRect box = tree->GetControlBox(inRow, false);
  return box.GetPosition() + wxPoint(4, 4);
}

std::string TreeHarness::Fault() const {
  std::ostringstream fault;
  if (tree->GetItemCount() != tree->size()) {
    fault << "item count " << tree->GetItemCount() << " for " << tree->size() << " rows";
    return fault.str();
  }
  TTreeView<STask, STaskGroup> fresh(&tree->InternalTree(), true);
  if (fresh.size() != tree->size()) {
    fault << fresh.size() << " visible rows in the tree, " << tree->size() << " shown";
    return fault.str();
  }
  const auto & branches = tree->InternalTree().Branches();
  for (std::size_t row = 0; row < tree->size(); ++row) {
    const auto & element = (*tree)[row];
    if (!(element == fresh[row])) {
      fault << "row " << row << " differs from the tree";
      return fault.str();
    }
    if (element.Type() == WTreeListBox::Element::eLeaf && element.LeafIndex() >= vector.size()) {
      fault << "row " << row << " names entry " << element.LeafIndex() << " of " << vector.size();
      return fault.str();
    }
    if (element.Type() == WTreeListBox::Element::eBranch && element.BranchIndex() >= branches.size()) {
      fault << "row " << row << " names group " << element.BranchIndex() << " of " << branches.size();
      return fault.str();
    }
  }
  return std::string();
}

} // namespace viewtest
