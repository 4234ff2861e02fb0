// Grouping tasks into a tree and keeping it in step with the vector: full population,
// inserts, deletes, changes and notices, pruning and renumbering, headings and totals.
#include "TaskTreeChecks.h"

#include "tasks/STaskVector.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using namespace tasktree;

class STaskTreeTest : public ::testing::Test {
protected:
  testsupport::ScopedTimeZone mZone{"America/New_York"};
  STaskVector mTasks;
  Tree mTree{mTasks};
  Populator mPopulator{&mTree, mTasks, C(&mTasks)};
  // The same grouping, kept by walking the whole tree on every message.
  Tree mWalkedTree{mTasks};
  Populator mWalked{&mWalkedTree, mTasks, C(&mTasks)};

  STaskTreeTest() { mWalked.SetIndexedUpdates(false); }

  void Group(std::vector<C::EField> inCodes) {
    mPopulator.SetComparator(Levels(&mTasks, inCodes));
    mWalked.SetComparator(Levels(&mTasks, inCodes));
  }

  // The tree is sound, the walking populator agrees, and a fresh grouping holds the same groups.
  void Verify() {
    SCOPED_TRACE(Dump(mTree));
    EXPECT_EQ(Check(mTree, mTasks, mPopulator.Comparator()), "");
    EXPECT_EQ(Identical(mTree, mWalkedTree), "") << Dump(mWalkedTree);
    Tree fresh(mTasks);
    Populator rebuild(&fresh, mTasks, mPopulator.Comparator());
    rebuild();
    EXPECT_EQ(SameGroups(mTree, fresh, mPopulator.Comparator()), "") << Dump(fresh);
  }

  void Add(const STask & inTask) { mTasks.push_back(inTask); }
};

TEST_F(STaskTreeTest, EmptyVectorGivesTheRootAlone) {
  Group({C::eWhoCode});
  ASSERT_EQ(mTree.Branches().size(), 1u);
  EXPECT_TRUE(mTree.Branches()[0].empty());
  EXPECT_EQ(mTree.Branches()[0].ParentIndex(), kNone);
  View view(&mTree, true);
  EXPECT_TRUE(view.empty());
  // The first insert into the bare root rebuilds the tree.
  Add(Line("01/01/2012", "1:00:00", "b"));
  EXPECT_EQ(Dump(mTree), "{b:3600 0}");
  Verify();
}

TEST_F(STaskTreeTest, ZeroLevelsListEveryEntryUnderTheRoot) {
  Add(Line("01/03/2012", "1:00:00", "c"));
  Add(Line("01/01/2012", "0:30:00", "a"));
  Add(Line("01/02/2012", "0:15:00", "b"));
  Group({});
  EXPECT_EQ(Dump(mTree), "0 1 2");
  EXPECT_EQ(mTree.Branches().size(), 1u);
  for (const Element & leaf : mTree.Branches()[0]) {
    EXPECT_EQ(leaf.Level(), 0);
    EXPECT_EQ(leaf.Type(), Element::eLeaf);
  }
  View view(&mTree, true);
  EXPECT_EQ(view.size(), 3u);
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 6300u);
  Add(Line("01/04/2012", "0:01:00", "d"));
  EXPECT_EQ(Dump(mTree), "0 1 2 3");
  Verify();
  mTasks.erase(1, 2);
  EXPECT_EQ(Dump(mTree), "0 1 2");
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 4560u);
  Verify();
  mTasks.set(std::size_t{0}, Line("01/03/2012", "2:00:00", "z"));
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 8160u);
  Verify();
}

TEST_F(STaskTreeTest, OneLevelGivesOneGroupPerValueInOrder) {
  Add(Line("01/01/2012", "1:00:00", "Bob"));   // 0
  Add(Line("01/02/2012", "0:30:00", "al"));    // 1
  Add(Line("01/03/2012", "0:15:00", "BOB"));   // 2
  Add(Line("01/04/2012", "2:00:00", "AL"));    // 3
  Add(Line("01/05/2012", "0:45:00", ""));      // 4
  Group({C::eWhoCode});
  // Text that differs only in case groups together under the spelling that sorts first.
  EXPECT_EQ(Dump(mTree), "{:2700 4}{al:9000 1 3}{Bob:4500 0 2}");
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 16200u);
  Verify();
  Group({C::eNotWhoCode});
  EXPECT_EQ(Dump(mTree), "{Bob:4500 0 2}{al:9000 1 3}{:2700 4}");
  Verify();
  // A group's heading is the field as written, durations included.
  Group({C::eNotDuration});
  EXPECT_EQ(Dump(mTree), "{2:00:00:7200 3}{1:00:00:3600 0}{0:45:00:2700 4}{0:30:00:1800 1}{0:15:00:900 2}");
  // Order in file gives every entry a group of its own, without heading.
  Group({C::eNotOrderInFile});
  EXPECT_EQ(Dump(mTree), "{:2700 4}{:7200 3}{:900 2}{:1800 1}{:3600 0}");
  Verify();
}

TEST_F(STaskTreeTest, TwoLevelsNestAndTotal) {
  Add(Line("01/02/2012", "1:00:00", "b", "10"));  // 0
  Add(Line("01/01/2012", "0:30:00", "a", "9"));   // 1
  Add(Line("01/03/2012", "0:15:00", "b", "9"));   // 2
  Add(Line("01/04/2012", "2:00:00", "a", "9"));   // 3
  Add(Line("01/05/2012", "0:45:00", "b", "10"));  // 4
  Group({C::eWhoCode, C::eJobNumber});
  EXPECT_EQ(Dump(mTree), "{a:9000 {9:9000 1 3}}{b:7200 {10:6300 0 4}{9:900 2}}");
  // Branches are numbered depth first, each group before its subgroups.
  const auto & branches = mTree.Branches();
  ASSERT_EQ(branches.size(), 6u);
  EXPECT_EQ(branches[1].Group().Heading(), "a");
  EXPECT_EQ(branches[2].Group().Heading(), "9");
  EXPECT_EQ(branches[3].Group().Heading(), "b");
  EXPECT_EQ(branches[4].Group().Heading(), "10");
  EXPECT_EQ(branches[2].ParentIndex(), 1u);
  EXPECT_EQ(branches[4].ParentIndex(), 3u);
  EXPECT_EQ(branches[4][0].Level(), 2);
  EXPECT_EQ(branches[3][0].Level(), 1);
  EXPECT_EQ(branches[0][1].Level(), 0);
  Verify();
}

TEST_F(STaskTreeTest, InsertsMergeIntoTheirGroups) {
  Add(Line("01/01/2012", "1:00:00", "b", "1"));  // 0
  Add(Line("01/01/2012", "1:00:00", "d", "1"));  // 1
  Add(Line("01/01/2012", "1:00:00", "b", "2"));  // 2
  Group({C::eWhoCode, C::eJobNumber});
  EXPECT_EQ(Dump(mTree), "{b:7200 {1:3600 0}{2:3600 2}}{d:3600 {1:3600 1}}");
  // A new group lands at its sorted place among its siblings.
  Add(Line("01/01/2012", "0:10:00", "c", "5"));  // 3
  EXPECT_EQ(Dump(mTree), "{b:7200 {1:3600 0}{2:3600 2}}{c:600 {5:600 3}}{d:3600 {1:3600 1}}");
  Verify();
  Add(Line("01/01/2012", "0:10:00", "a", "5"));  // 4
  Add(Line("01/01/2012", "0:01:00", "e", "5"));  // 5
  EXPECT_EQ(Dump(mTree), "{a:600 {5:600 4}}{b:7200 {1:3600 0}{2:3600 2}}{c:600 {5:600 3}}{d:3600 {1:3600 1}}{e:60 {5:60 5}}");
  // Into an existing group: the leaf goes to its end and every total rises by its duration.
  Add(Line("01/01/2012", "0:20:00", "B", "1"));  // 6
  EXPECT_EQ(Dump(mTree),
            "{a:600 {5:600 4}}{b:8400 {1:4800 0 6}{2:3600 2}}{c:600 {5:600 3}}{d:3600 {1:3600 1}}{e:60 {5:60 5}}");
  Verify();
  // A new subgroup inside an existing group.
  Add(Line("01/01/2012", "0:05:00", "b", "15"));  // 7
  EXPECT_EQ(Dump(mTree), "{a:600 {5:600 4}}{b:8700 {1:4800 0 6}{15:300 7}{2:3600 2}}{c:600 {5:600 3}}"
                         "{d:3600 {1:3600 1}}{e:60 {5:60 5}}");
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 13560u);
  Verify();
  // Entries inserted before others renumber the leaves behind them.
  mTasks.insert(1, Line("01/01/2012", "0:02:00", "c", "5"));
  EXPECT_EQ(Dump(mTree), "{a:600 {5:600 5}}{b:8700 {1:4800 0 7}{15:300 8}{2:3600 3}}{c:720 {5:720 4 1}}"
                         "{d:3600 {1:3600 2}}{e:60 {5:60 6}}");
  Verify();
}

TEST_F(STaskTreeTest, DeletesPruneEmptyGroupsAndRenumber) {
  Add(Line("01/01/2012", "1:00:00", "a", "1"));  // 0
  Add(Line("01/01/2012", "1:00:00", "b", "1"));  // 1
  Add(Line("01/01/2012", "1:00:00", "b", "2"));  // 2
  Add(Line("01/01/2012", "1:00:00", "c", "1"));  // 3
  Add(Line("01/01/2012", "1:00:00", "c", "1"));  // 4
  Add(Line("01/01/2012", "1:00:00", "d", "3"));  // 5
  Group({C::eWhoCode, C::eJobNumber});
  EXPECT_EQ(Dump(mTree), "{a:3600 {1:3600 0}}{b:7200 {1:3600 1}{2:3600 2}}{c:7200 {1:7200 3 4}}{d:3600 {3:3600 5}}");
  EXPECT_EQ(mTree.Branches().size(), 10u);
  // The only entry of a: its job group and then the who group go; everything after is
  // renumbered, leaves and branches alike.
  mTasks.erase(0, 1);
  EXPECT_EQ(Dump(mTree), "{b:7200 {1:3600 0}{2:3600 1}}{c:7200 {1:7200 2 3}}{d:3600 {3:3600 4}}");
  EXPECT_EQ(mTree.Branches().size(), 8u);
  Verify();
  // One of two jobs of b: only the job group goes.
  mTasks.erase(1, 2);
  EXPECT_EQ(Dump(mTree), "{b:3600 {1:3600 0}}{c:7200 {1:7200 1 2}}{d:3600 {3:3600 3}}");
  Verify();
  // One entry of a group of two: the group stays with a lower total.
  mTasks.erase(2, 3);
  EXPECT_EQ(Dump(mTree), "{b:3600 {1:3600 0}}{c:3600 {1:3600 1}}{d:3600 {3:3600 2}}");
  Verify();
  // Removing at the end.
  mTasks.erase(1, 3);
  EXPECT_EQ(Dump(mTree), "{b:3600 {1:3600 0}}");
  EXPECT_EQ(mTree.Branches().size(), 3u);
  Verify();
  // Removing everything leaves no branches at all; the next insert rebuilds.
  mTasks.clear();
  EXPECT_TRUE(mTree.Branches().empty());
  EXPECT_EQ(Dump(mTree), "<empty>");
  View view(&mTree, true);
  EXPECT_TRUE(view.empty());
  Add(Line("01/01/2012", "0:01:00", "z", "1"));
  EXPECT_EQ(Dump(mTree), "{z:60 {1:60 0}}");
  Verify();
}

TEST_F(STaskTreeTest, ChangesKeepOrMoveLeaves) {
  Add(Line("01/01/2012", "1:00:00", "a", "1", "A", "x"));  // 0
  Add(Line("01/01/2012", "1:00:00", "a", "1", "A", "y"));  // 1
  Add(Line("01/01/2012", "1:00:00", "b", "1", "A", "z"));  // 2
  Add(Line("01/01/2012", "1:00:00", "c", "2", "A", "w"));  // 3
  Group({C::eWhoCode, C::eJobNumber});
  EXPECT_EQ(Dump(mTree), "{a:7200 {1:7200 0 1}}{b:3600 {1:3600 2}}{c:3600 {2:3600 3}}");
  // Another field of an entry that shares its group: the leaf stays, the totals follow.
  mTasks.set(std::size_t{0}, Line("01/01/2012", "1:30:00", "a", "1", "A", "changed"));
  EXPECT_EQ(Dump(mTree), "{a:9000 {1:9000 0 1}}{b:3600 {1:3600 2}}{c:3600 {2:3600 3}}");
  Verify();
  // A grouping field: the entry goes to the end of the group it now belongs to; the group
  // it joins takes its spelling, the enclosing groups keep theirs.
  mTasks.set(std::size_t{0}, Line("01/01/2012", "1:30:00", "B", "1", "A", "changed"));
  EXPECT_EQ(Dump(mTree), "{a:3600 {1:3600 1}}{b:9000 {1:9000 2 0}}{c:3600 {2:3600 3}}");
  EXPECT_EQ(mTree.Branches()[mTree.Branches()[0][1].BranchIndex()].Group().Heading(), "b");
  mTasks.set(std::size_t{0}, Line("01/01/2012", "1:30:00", "B", "1", "A", "changed"));
  EXPECT_EQ(Dump(mTree), "{a:3600 {1:3600 1}}{b:9000 {1:9000 2 0}}{c:3600 {2:3600 3}}");
  Verify();
  // Into a group that does not exist yet: it is created at its sorted place; the emptied
  // old group disappears.
  mTasks.set(std::size_t{1}, Line("01/01/2012", "1:00:00", "bb", "1"));
  EXPECT_EQ(Dump(mTree), "{b:9000 {1:9000 2 0}}{bb:3600 {1:3600 1}}{c:3600 {2:3600 3}}");
  Verify();
  // An entry alone in its group is taken out and merged again even when its group stays:
  // the group reappears open, at its sorted place.
  const std::uint32_t c = mTree.Branches()[0][2].BranchIndex();
  mTree.Branches()[c].Close();
  mWalkedTree.Branches()[c].Close();
  EXPECT_EQ(Dump(mTree), "{b:9000 {1:9000 2 0}}{bb:3600 {1:3600 1}}{c:3600- {2:3600 3}}");
  mTasks.set(std::size_t{3}, Line("01/01/2012", "0:10:00", "C", "2"));
  EXPECT_EQ(Dump(mTree), "{b:9000 {1:9000 2 0}}{bb:3600 {1:3600 1}}{C:600 {2:600 3}}");
  Verify();
  // A closed group keeps its state while it keeps members.
  const std::uint32_t b = mTree.Branches()[0][0].BranchIndex();
  mTree.Branches()[b].Close();
  mWalkedTree.Branches()[b].Close();
  mTasks.set(std::size_t{2}, Line("01/01/2012", "0:20:00", "b", "1", "A", "z"));
  EXPECT_EQ(Dump(mTree), "{b:6600- {1:6600 2 0}}{bb:3600 {1:3600 1}}{C:600 {2:600 3}}");
  Verify();
  View view(&mTree, true);
  EXPECT_EQ(view.size(), 7u);
}

TEST_F(STaskTreeTest, ChangingTheLastEntriesRebuildsTheTree) {
  Add(Line("01/01/2012", "1:00:00", "a", "1"));
  Group({C::eWhoCode, C::eJobNumber});
  mTree.Branches()[1].Close();
  // The only entry moves: the root goes with its groups, and the tree is built afresh.
  mTasks.set(std::size_t{0}, Line("01/01/2012", "2:00:00", "b", "7"));
  EXPECT_EQ(Dump(mTree), "{b:7200 {7:7200 0}}");
  Verify();
  // Without levels the same happens to a lone leaf whose entry changes.
  Group({});
  mTasks.set(std::size_t{0}, Line("01/01/2012", "0:30:00", "b", "7"));
  EXPECT_EQ(Dump(mTree), "0");
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 1800u);
  Verify();
}

TEST_F(STaskTreeTest, NoticesTakeValuesOutOfTheTotals) {
  Add(Line("01/01/2012", "1:00:00", "a", "1"));
  Add(Line("01/01/2012", "0:30:00", "a", "2"));
  Add(Line("01/01/2012", "0:15:00", "b", "1"));
  Group({C::eWhoCode, C::eJobNumber});
  // A notice alone (as sent before a replacement) subtracts the entries' present durations
  // from their groups and every enclosing group.
  mPopulator.ListenToMessage(TVectorMessageNotice<STask>(0, 2));
  EXPECT_EQ(Dump(mTree), "{a:0 {1:0 0}{2:0 1}}{b:900 {1:900 2}}");
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 900u);
}

TEST_F(STaskTreeTest, HeadingsOfEmptyFieldsAndDates) {
  Add(Line("1/2/12", "1:00", "", "1"));
  Add(Line("01/02/2012", "1:00", "", "1"));
  Add(Line("01/03/2012", "1:30", "x", ""));
  Group({C::eDate, C::eWhoCode, C::eJobNumber});
  // Dates head their groups as the line holds them (short dates were written out in full).
  EXPECT_EQ(Dump(mTree), "{01/02/2012:7200 {:7200 {1:7200 0 1}}}{01/03/2012:5400 {x:5400 {:5400 2}}}");
  Verify();
}

TEST_F(STaskTreeTest, RegroupingRebuildsAndOpensEveryGroup) {
  Add(Line("01/01/2012", "1:00", "a"));
  Add(Line("01/01/2012", "1:00", "b"));
  Group({C::eWhoCode});
  mTree.Branches()[1].Close();
  EXPECT_EQ(Dump(mTree), "{a:3600- 0}{b:3600 1}");
  EXPECT_FALSE(mTree.Branches()[1].IsOpen());
  mPopulator();
  EXPECT_TRUE(mTree.Branches()[1].IsOpen());
  EXPECT_EQ(Dump(mTree), "{a:3600 0}{b:3600 1}");
}

TEST_F(STaskTreeTest, AStaleTreeIsRebuiltNotTrusted) {
  Add(Line("01/01/2012", "1:00", "a"));
  Add(Line("01/01/2012", "1:00", "b"));
  Group({C::eWhoCode});
  // Messages missed while not listening leave the tree behind the vector...
  mPopulator.StopListening();
  Add(Line("01/01/2012", "1:00", "c"));
  mTasks.erase(0, 1);
  mPopulator.StartListening();
  // ...so the next message that does not fit it rebuilds it instead of following stale indices.
  Add(Line("01/01/2012", "1:00", "d"));
  EXPECT_EQ(Dump(mTree), "{b:3600 0}{c:3600 1}{d:3600 2}");
  EXPECT_EQ(Check(mTree, mTasks, mPopulator.Comparator()), "");
  mPopulator.StopListening();
  Add(Line("01/01/2012", "1:00", "e"));
  mPopulator.StartListening();
  mTasks.set(std::size_t{0}, Line("01/01/2012", "2:00", "b"));
  EXPECT_EQ(Dump(mTree), "{b:7200 0}{c:3600 1}{d:3600 2}{e:3600 3}");
  mPopulator.StopListening();
  Add(Line("01/01/2012", "1:00", "f"));
  mPopulator.StartListening();
  mTasks.erase(0, 1);
  EXPECT_EQ(Dump(mTree), "{c:3600 0}{d:3600 1}{e:3600 2}{f:3600 3}");
  EXPECT_EQ(Check(mTree, mTasks, mPopulator.Comparator()), "");
}

TEST_F(STaskTreeTest, AComparatorWithoutVectorFailsAndLeavesNoStaleTree) {
  Add(Line("01/01/2012", "1:00", "a"));
  Add(Line("01/01/2012", "1:00", "b"));
  Group({C::eWhoCode});
  C unbound(C::eWhoCode, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, C::eNop, 1);
  try {
    mPopulator.SetComparator(unbound);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error & e) {
    EXPECT_EQ(std::string(e.what()), "TMultiLevelComparator not initialized with vector before invocation.");
  }
  EXPECT_TRUE(mTree.Branches().empty());
  View view(&mTree, true);
  EXPECT_TRUE(view.empty());
}

TEST_F(STaskTreeTest, PopulatorsUnregisterWhenDestroyed) {
  {
    Tree tree(mTasks);
    Populator populator(&tree, mTasks, Levels(&mTasks, {C::eWhoCode}));
    populator();
  }
  // The vector no longer reaches the destroyed populator.
  Add(Line("01/01/2012", "1:00", "a"));
  Group({C::eWhoCode});
  Verify();
}

} // namespace
