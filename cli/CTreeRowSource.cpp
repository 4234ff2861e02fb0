// The rows of a group tree.
#include "CTreeRowSource.h"

#include "CRowSink.h"
#include "trees/TTreeView.h"
#include "tasks/STaskVector.h"


namespace {

using Element = TTreeElement<STask, STaskGroup>;

} // namespace

CTreeRowSource::CTreeRowSource(Tree & inTree, const STaskVector & inTasks, std::int16_t inLevels, bool inSummary)
    : mTree(inTree), mTasks(inTasks), mLevels(inLevels), mSummary(inSummary) {}

void CTreeRowSource::Measure(std::uint32_t inIndex) {
  const auto & branch = mTree.Branches().at(inIndex);
  std::uint64_t count = 0;
  if (!branch.empty() && branch.front().Type() == Element::eLeaf && branch.back().Type() == Element::eLeaf) {
    // A deepest group holds nothing but its entries' leaves.
    count = branch.size();
  } else {
    for (const Element & element : branch) {
      if (element.Type() == Element::eLeaf) {
        ++count;
      } else if (element.Type() == Element::eBranch) {
        Measure(element.BranchIndex());
        count += mCount[element.BranchIndex()];
      }
    }
  }
  mCount[inIndex] = count;
  mSeconds[inIndex] = branch.Group().TotalSeconds();
}

void CTreeRowSource::Emit(CRowSink & ioSink) {
  auto & branches = mTree.Branches();
  mCount.assign(branches.size(), 0);
  mSeconds.assign(branches.size(), 0);
  if (!branches.empty())
    Measure(0);
  // Every group starts open; a summary closes the deepest ones, so their entries are not rows.
  for (auto & branch : branches) {
    bool hasLeaves = false;
    for (const Element & element : branch)
      if (element.Type() == Element::eLeaf) {
        hasLeaves = true;
        break;
      }
    if (mSummary && hasLeaves)
      branch.Close();
    else
      branch.Open();
  }
  const TTreeView<STask, STaskGroup> view(&mTree, true);

  CRowSink::Shape shape;
  shape.mGrouped = true;
  shape.mSummary = mSummary;
  shape.mLevels = mLevels;
  ioSink.Begin(shape);

  std::vector<CRowSink::Group> open;
  auto closeDownTo = [&](std::int16_t inLevel) {
    while (!open.empty() && open.back().mLevel >= inLevel) {
      ioSink.EndGroup(open.back());
      open.pop_back();
    }
  };
  for (const Element & row : view) {
    if (row.Type() == Element::eBranch) {
      closeDownTo(row.Level());
      const std::uint32_t index = row.BranchIndex();
      CRowSink::Group group;
      group.mLevel = row.Level();
      group.mHeading = branches.at(index).Group().Heading();
      group.mSeconds = mSeconds[index];
      group.mCount = mCount[index];
      group.mHasSubgroups = row.Level() + 1 < mLevels;
      ioSink.BeginGroup(group);
      open.push_back(group);
    } else if (row.Type() == Element::eLeaf) {
      ioSink.Entry(row.Leaf(), row.Level());
    }
  }
  closeDownTo(0);
  ioSink.End(mTasks.GetTotalSeconds(), mTasks.size());
}
