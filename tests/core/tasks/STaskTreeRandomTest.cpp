// Randomized check of the grouped tree: a random time sheet grouped by a random comparator
// goes through thousands of random changes of the task vector; after each one the tree must
// keep every invariant, agree exactly with a tree kept by whole-tree walks on one thread
// (the other may be built on several), hold the same groups as a fresh grouping, and show
// only rows that exist.
#include "TaskTreeChecks.h"

#include "tasks/STaskThreads.h"
#include "tasks/STaskVector.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tasktree;

// Small pools so that groups collide, with case variants and texts around 7 and 8 bytes.
const std::vector<std::string> kWho = {"ab", "AB", "Ab", "cd", "x", "", "abcdefgh", "ABCDEFGH", "abcdefgi"};
const std::vector<std::string> kJob = {"10", "9", "100", "X01", "x01", ""};
const std::vector<std::string> kFee = {"A", "a", "B", "L"};
const std::vector<std::string> kDescription = {"review design", "Review Design", "review desk", "call", "",
                                               "abcdefg",       "abcdefgh",      "two\twords"};

class Generator {
public:
  explicit Generator(unsigned inSeed) : mRandom(inSeed) {}

  int Below(int inLimit) { return std::uniform_int_distribution<int>(0, inLimit - 1)(mRandom); }
  bool Chance(int inPercent) { return Below(100) < inPercent; }

  template <class V> const typename V::value_type & Pick(const V & inFrom) {
    return inFrom[static_cast<std::size_t>(Below(static_cast<int>(inFrom.size())))];
  }

  std::string Duration() {
    const int minutes = Below(6) * 20;
    return std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60) + ":00";
  }

  STask Task() {
    const int day = 1 + Below(4);
    std::string date = Chance(20) ? "1/" + std::to_string(day) + "/12" : "01/0" + std::to_string(day) + "/2012";
    return Line(date, Duration(), Pick(kWho), Pick(kJob), Pick(kFee), Pick(kDescription));
  }

  // A copy of `inTask` with a grouping field, the duration or the description changed, or
  // another task altogether.
  STask Changed(const STask & inTask) {
    auto field = [&](STask::EField inField) { return std::string(inTask.Subfield(inField)); };
    std::string date = field(STask::eDate), duration = field(STask::eDuration), who = field(STask::eWhoCode),
                job = field(STask::eJobNumber), fee = field(STask::eTimeCode), description = field(STask::eDescription);
    switch (Below(7)) {
    case 0: who = Pick(kWho); break;
    case 1: job = Pick(kJob); break;
    case 2: return Task();
    case 3: description = Pick(kDescription); break;
    case 4: date = "01/0" + std::to_string(1 + Below(4)) + "/2012"; break;
    default: duration = Duration(); break;
    }
    return Line(date, duration, who, job, fee, description);
  }

  std::vector<C::EField> Codes() {
    std::vector<C::EField> codes;
    const int levels = Below(5);
    for (int level = 0; level < levels; ++level) {
      const int code = 1 + Below(7);
      codes.push_back(static_cast<C::EField>(Chance(50) ? -code : code));
    }
    return codes;
  }

  std::mt19937 mRandom;
};

// Counts the rows a view must show: every child of an open branch, recursively.
std::size_t VisibleRows(const Tree & inTree, std::uint32_t inBranch) {
  std::size_t rows = 0;
  for (const Element & element : inTree.Branches()[inBranch]) {
    ++rows;
    if (element.Type() == Element::eBranch && inTree.Branches()[element.BranchIndex()].IsOpen())
      rows += VisibleRows(inTree, element.BranchIndex());
  }
  return rows;
}

class RandomRun {
public:
  explicit RandomRun(unsigned inSeed) : mSeed(inSeed), mRandom(inSeed) {}

  void Run(int inOperations) {
    const int entries = mRandom.Below(120);
    for (int i = 0; i < entries; ++i)
      mTasks.push_back(mRandom.Task());
    Regroup();
    for (mStep = 0; mStep < inOperations && !::testing::Test::HasFatalFailure(); ++mStep) {
      Operate();
      Verify();
    }
  }

private:
  void Regroup() {
    const std::vector<C::EField> codes = mRandom.Codes();
    mPopulator.SetComparator(Levels(&mTasks, codes));
    mWalked.SetComparator(Levels(&mTasks, codes));
  }

  std::uint32_t Size() const { return static_cast<std::uint32_t>(mTasks.size()); }

  // One change of the vector (or of the grouping or of the open state).
  void Operate() {
    const int choice = mRandom.Below(100);
    if (choice < 25 || mTasks.empty()) {
      const int run = 1 + mRandom.Below(mRandom.Chance(10) ? 40 : 4);
      for (int i = 0; i < run; ++i)
        mTasks.push_back(mRandom.Task());
    } else if (choice < 55) {
      const auto index = static_cast<std::size_t>(mRandom.Below(static_cast<int>(Size())));
      mTasks.set(index, mRandom.Changed(mTasks[index]));
    } else if (choice < 63) {
      // Removal in the middle or at the end.
      const std::uint32_t begin = static_cast<std::uint32_t>(mRandom.Below(static_cast<int>(Size())));
      const std::uint32_t end =
          std::min(Size(), begin + 1 + static_cast<std::uint32_t>(mRandom.Below(mRandom.Chance(20) ? 30 : 3)));
      mTasks.erase(begin, mRandom.Chance(30) ? Size() : end);
    } else if (choice < 70) {
      const auto at = static_cast<std::size_t>(mRandom.Below(static_cast<int>(Size()) + 1));
      if (mRandom.Chance(50)) {
        mTasks.insert(at, mRandom.Task());
      } else {
        std::vector<STask> more;
        for (int i = 1 + mRandom.Below(5); i > 0; --i)
          more.push_back(mRandom.Task());
        mTasks.insert(at, more.begin(), more.end());
      }
    } else if (choice < 72) {
      mTasks.clear();
    } else if (choice < 74) {
      STaskVector other;
      for (int i = mRandom.Below(60); i > 0; --i)
        other.push_back(mRandom.Task());
      mTasks = other;
    } else if (choice < 77) {
      Regroup();
    } else if (choice < 87) {
      // Close or open a group in both trees alike.
      if (mTree.Branches().size() > 1) {
        const auto branch = static_cast<std::size_t>(1 + mRandom.Below(static_cast<int>(mTree.Branches().size()) - 1));
        const bool close = mRandom.Chance(70);
        for (Tree * tree : {&mTree, &mWalkedTree})
          close ? tree->Branches()[branch].Close() : tree->Branches()[branch].Open();
      }
    } else if (choice < 89) {
      // Changes missed while not listening; the next message must bring the tree back.
      mPopulator.StopListening();
      mWalked.StopListening();
      for (int i = 1 + mRandom.Below(3); i > 0; --i) {
        mTasks.push_back(mRandom.Task());
        if (mRandom.Chance(50))
          mTasks.erase(0, 1);
      }
      mPopulator.StartListening();
      mWalked.StartListening();
      mTasks.push_back(mRandom.Task());
    } else {
      // Keep the time sheet from growing without end.
      if (Size() > 150) {
        mTasks.erase(0, Size() / 2);
      } else {
        const auto index = static_cast<std::size_t>(mRandom.Below(static_cast<int>(Size())));
        mTasks.set(index, mRandom.Task());
      }
    }
  }

  void Verify() {
    SCOPED_TRACE("seed " + std::to_string(mSeed) + ", step " + std::to_string(mStep));
    const C & comparator = mPopulator.Comparator();
    ASSERT_EQ(Check(mTree, mTasks, comparator), "") << Dump(mTree);
    ASSERT_TRUE(mTree.Branches().empty() || mTree.Branches()[0].Group().Duration() == mTasks.GetDuration());
    ASSERT_EQ(Identical(mTree, mWalkedTree), "") << Dump(mTree) << "\n" << Dump(mWalkedTree);
    // The rows name only what exists.
    View view(&mTree, true);
    ASSERT_EQ(view.size(), mTree.Branches().empty() ? 0 : VisibleRows(mTree, 0));
    for (const Element & row : view)
      if (row.Type() == Element::eLeaf)
        ASSERT_NO_THROW(row.Leaf());
      else
        ASSERT_NO_THROW(row.Branch());
  }

  unsigned mSeed;
  Generator mRandom;
  int mStep = 0;
  testsupport::ScopedTimeZone mZone{"America/New_York"};
  STaskVector mTasks;
  Tree mTree{mTasks};
  Populator mPopulator{&mTree, mTasks, C(&mTasks)};
  Tree mWalkedTree{mTasks};
  Populator mWalked{&mWalkedTree, mTasks, C(&mTasks)};

public:
  void WalkAlways() { mWalked.SetIndexedUpdates(false); }
};

// Odd seeds build their trees on 2 to 8 threads, however small: the walked tree, always
// built on one, must come out the same.
void RunSeed(unsigned inSeed, int inOperations) {
  const std::size_t threadedMinimum = C::sThreadedSortMinimum;
  if (inSeed % 2 != 0) {
    STaskThreads::SetCount(2 + inSeed % 7);
    C::sThreadedSortMinimum = 2;
  }
  RandomRun run(inSeed);
  run.WalkAlways();
  run.Run(inOperations);
  STaskThreads::SetCount(0);
  C::sThreadedSortMinimum = threadedMinimum;
}

TEST(STaskTreeRandom, FixedSeed) { RunSeed(20120101, 1500); }

TEST(STaskTreeRandom, SeveralSeeds) {
  for (unsigned seed = 1; seed <= 8 && !::testing::Test::HasFatalFailure(); ++seed)
    RunSeed(seed, 500);
  // TALLY_TREE_SEED=n runs one more seed, for reproducing or exploring.
  if (const char * extra = std::getenv("TALLY_TREE_SEED"))
    RunSeed(static_cast<unsigned>(std::strtoul(extra, nullptr, 10)), 3000);
}

} // namespace
