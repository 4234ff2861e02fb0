// The group tree with a simple element type: element accessors, the flattened view by open
// state, and the leaf and element walks (including walks whose operation erases leaves).
#include "trees/TBranch.h"
#include "vectors/TBroadcasterVector.h"
#include "trees/TTree.h"
#include "trees/TTreeElement.h"
#include "trees/TTreeGroup.h"
#include "trees/TTreeView.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// A group of integers: the sum of its members.
class SumGroup : public TTreeGroup<int, SumGroup> {
public:
  void operator()(const int & inEntry) override { mSum += inEntry; }
  void operator()(TBranch<int, SumGroup> & ioParent, const TMultiLevelComparator<int> &, std::int16_t,
                  const int &) override {
    (*this)(ioParent);
  }
  void operator()(TBranch<int, SumGroup> & ioParent) override { ioParent.Group().mSum += mSum; }
  SumGroup & operator-=(const int & inEntry) override {
    mSum -= inEntry;
    return *this;
  }
  SumGroup & operator+=(const int & inEntry) override {
    mSum += inEntry;
    return *this;
  }
  void SetHeading(const TMultiLevelComparator<int> &, std::int16_t, const int &) override {}
  int mSum = 0;
};

using Tree = TTree<int, SumGroup>;
using Branch = TBranch<int, SumGroup>;
using Element = TTreeElement<int, SumGroup>;
using View = TTreeView<int, SumGroup>;
using Info = TTreeElementIteratorInfo<int, SumGroup>;
constexpr std::uint32_t kNone = Element::sNoIndex;

// Builds a tree by hand: root(0) holds A(1) and D(4); A holds B(2) and C(3);
// B holds entries 0 and 1, C entry 2, D entries 3 and 4.
struct Fixture {
  TBroadcasterVector<int> data;
  Tree tree{data};

  Fixture() {
    for (int value : {10, 20, 30, 40, 50}) {
      data.push_back(value);
    }
    auto & branches = tree.Branches();
    branches.emplace_back(&tree, kNone);
    branches.emplace_back(&tree, 0); // A
    branches.emplace_back(&tree, 1); // B
    branches.emplace_back(&tree, 1); // C
    branches.emplace_back(&tree, 0); // D
    branches[0].emplace_back(&tree, Element::eBranch, 1, 0, 0);
    branches[0].emplace_back(&tree, Element::eBranch, 4, 0, 0);
    branches[1].emplace_back(&tree, Element::eBranch, 2, 1, 1);
    branches[1].emplace_back(&tree, Element::eBranch, 3, 1, 1);
    branches[2].emplace_back(&tree, Element::eLeaf, 0, 2, 2);
    branches[2].emplace_back(&tree, Element::eLeaf, 1, 2, 2);
    branches[3].emplace_back(&tree, Element::eLeaf, 2, 2, 3);
    branches[4].emplace_back(&tree, Element::eLeaf, 3, 2, 4);
    branches[4].emplace_back(&tree, Element::eLeaf, 4, 2, 4);
  }
};

// A row as "B2" (branch element naming branch 2) or "L3" (leaf of entry 3).
std::string Rows(const View & inView) {
  std::string rows;
  for (const Element & element : inView) {
    rows += element.Type() == Element::eBranch ? "B" : "L";
    rows += std::to_string(element.Type() == Element::eBranch ? element.BranchIndex() : element.LeafIndex());
    rows += " ";
  }
  return rows;
}

// Records the leaves it meets and erases those its predicate picks.
class LeafRecorder : public TTreeLeafOperation<int, SumGroup> {
public:
  explicit LeafRecorder(bool (*inErase)(std::uint32_t)) : mErase(inErase) {}
  void operator()(Info & ioInfo) override {
    const std::uint32_t index = ioInfo.mElement->LeafIndex();
    mVisited.push_back(index);
    EXPECT_EQ(ioInfo.mElement->ParentIndex(), ioInfo.mParent);
    if (mErase(index)) {
      auto & branch = ioInfo.mTree->Branches()[ioInfo.mParent];
      branch.erase(branch.begin() + (ioInfo.mElement - branch.data()));
    }
  }
  std::vector<std::uint32_t> mVisited;

private:
  bool (*mErase)(std::uint32_t);
};

TEST(TTree, ViewFollowsOpenState) {
  Fixture f;
  View view(&f.tree, true);
  EXPECT_EQ(Rows(view), "B1 B2 L0 L1 B3 L2 B4 L3 L4 ");

  // Closing the top group hides everything beneath it, open subgroups included.
  f.tree.Branches()[2].Close();
  view.Update();
  EXPECT_EQ(Rows(view), "B1 B2 B3 L2 B4 L3 L4 ");
  f.tree.Branches()[1].Close();
  view.Update();
  EXPECT_EQ(Rows(view), "B1 B4 L3 L4 ");
  // Reopening it brings back the subgroups in the state they had.
  f.tree.Branches()[1].Open();
  view.Update();
  EXPECT_EQ(Rows(view), "B1 B2 B3 L2 B4 L3 L4 ");

  // A view built without update is empty until asked; an empty tree shows nothing.
  View lazy(&f.tree, false);
  EXPECT_TRUE(lazy.empty());
  TBroadcasterVector<int> nothing;
  Tree empty(nothing);
  View emptyView(&empty, true);
  EXPECT_TRUE(emptyView.empty());
  // The root alone shows nothing either.
  empty.Branches().emplace_back(&empty, kNone);
  emptyView.Update();
  EXPECT_TRUE(emptyView.empty());
}

TEST(TTree, LeafWalk) {
  Fixture f;
  LeafRecorder visit([](std::uint32_t) { return false; });
  f.tree.LeafIterate(visit);
  EXPECT_EQ(visit.mVisited, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));

  // Walking one branch visits only its leaves.
  LeafRecorder part([](std::uint32_t) { return false; });
  f.tree.Branches()[1].LeafIterate(part);
  EXPECT_EQ(part.mVisited, (std::vector<std::uint32_t>{0, 1, 2}));

  // Erasing every other leaf still visits each leaf once.
  LeafRecorder odd([](std::uint32_t inIndex) { return inIndex % 2 == 1; });
  f.tree.LeafIterate(odd);
  EXPECT_EQ(odd.mVisited, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
  View view(&f.tree, true);
  EXPECT_EQ(Rows(view), "B1 B2 L0 B3 L2 B4 L4 ");

  // Erasing every leaf it meets visits every leaf exactly once and empties the branches.
  Fixture g;
  LeafRecorder all([](std::uint32_t) { return true; });
  g.tree.LeafIterate(all);
  EXPECT_EQ(all.mVisited, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(g.tree.Branches()[2].empty());
  EXPECT_TRUE(g.tree.Branches()[3].empty());
  EXPECT_TRUE(g.tree.Branches()[4].empty());
  EXPECT_EQ(g.tree.Branches()[1].size(), 2u);

  // An empty tree walks nothing.
  TBroadcasterVector<int> nothing;
  Tree empty(nothing);
  LeafRecorder none([](std::uint32_t) { return true; });
  empty.LeafIterate(none);
  EXPECT_TRUE(none.mVisited.empty());
}

} // namespace
