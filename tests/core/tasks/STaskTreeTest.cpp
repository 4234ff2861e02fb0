// Grouping tasks into a tree and keeping it in step with the vector: full population,
// inserts, deletes, changes and notices, pruning and renumbering, headings and totals.
#include "TaskTreeChecks.h"

#include "tasks/STaskVector.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

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

  // The tree is sound and as a fresh grouping, and the walking populator agrees.
  void Verify() {
    SCOPED_TRACE(Dump(mTree));
    EXPECT_EQ(Check(mTree, mTasks, mPopulator.Comparator()), "");
    EXPECT_EQ(Identical(mTree, mWalkedTree), "") << Dump(mWalkedTree);
  }

  void Add(const STask & inTask) { mTasks.push_back(inTask); }
};

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

TEST_F(STaskTreeTest, GroupTotalsBeyondThirtyTwoBitsStayExact) {
  // 1111111:06:40 is 4,000,000,000 seconds; two of them pass what 32 bits hold.
  Add(Line("01/01/2012", "1111111:06:40", "a"));
  Add(Line("01/02/2012", "1111111:06:40", "a"));
  Add(Line("01/03/2012", "1:00:00", "b"));
  Group({C::eWhoCode});
  const auto & root = mTree.Branches()[0].Group();
  EXPECT_EQ(root.TotalSeconds(), 8000003600u);
  EXPECT_EQ(static_cast<unsigned long>(root.Duration()), 4294967295ul);
  // Replacing one large entry brings the sums back in range, exactly.
  mTasks.set(std::size_t{1}, Line("01/02/2012", "0:30:00", "a"));
  EXPECT_EQ(mTree.Branches()[0].Group().TotalSeconds(), 4000005400u);
  EXPECT_EQ(static_cast<unsigned long>(mTree.Branches()[0].Group().Duration()), 4000005400ul);
  Verify();
}

} // namespace
