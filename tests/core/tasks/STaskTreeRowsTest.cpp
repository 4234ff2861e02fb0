// Rows patched for one entry in or out, and rows found from the tree alone, agree with the
// rows built afresh, whatever groups are closed.
#include "TaskTreeChecks.h"

#include "tasks/STaskVector.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace tasktree;

TEST(STaskTreeRows, PatchedAndFoundRowsAreTheRowsBuiltWhateverIsClosed) {
  std::mt19937 random(11);
  auto task = [&] {
    return Line("03/01/2026", "1:00", std::string(1, static_cast<char>('A' + random() % 4)),
                std::to_string(random() % 5), std::string(1, static_cast<char>('a' + random() % 3)));
  };
  STaskVector tasks;
  for (int i = 0; i < 300; ++i)
    tasks.push_back(task());
  Tree tree(tasks);
  Populator populator(&tree, tasks, Levels(&tasks, {C::eWhoCode, C::eJobNumber, C::eTimeCode}));
  populator();
  auto leafOf = [&](std::uint32_t inEntry) {
    const Branch & holder = tree.Branches()[populator.LeafBranch(inEntry)];
    return std::size_t(std::find(holder.begin(), holder.end(), Element(&tree, Element::eLeaf, inEntry, 3,
                                                                        populator.LeafBranch(inEntry))) - holder.begin());
  };
  for (int round = 0; round < 60; ++round) {
    for (std::size_t branch = 1; branch < tree.Branches().size(); ++branch)
      random() % 4 == 0 ? tree.Branches()[branch].Close() : tree.Branches()[branch].Open();
    View rows(&tree, true);
    const std::size_t groups = tree.Branches().size();
    const auto entry = static_cast<std::uint32_t>(random() % tasks.size());
    round % 2 ? tasks.erase(entry, entry + 1) : tasks.insert(entry, task());
    if (tree.Branches().size() != groups)
      rows.Update(); // a group came or went: no patch
    else
      round % 2 ? rows.RemoveLeafRow(entry) : rows.InsertLeafRow(populator.LeafBranch(entry), leafOf(entry));
    View fresh(&tree, true);
    ASSERT_TRUE(rows == fresh) << "round " << round;
    for (std::uint32_t branch = 1; branch < tree.Branches().size(); ++branch) {
      const auto found = std::find_if(rows.begin(), rows.end(), [&](const Element & e) {
        return e.Type() == Element::eBranch && e.BranchIndex() == branch;
      });
      ASSERT_EQ(rows.RowOfBranch(branch), found == rows.end() ? View::npos : std::size_t(found - rows.begin()));
    }
    for (std::uint32_t entry = 0; entry < tasks.size(); ++entry) {
      const auto shown = std::find_if(rows.begin(), rows.end(), [&](const Element & e) {
        return e.Type() == Element::eLeaf && e.LeafIndex() == entry;
      });
      ASSERT_EQ(rows.RowOfChild(populator.LeafBranch(entry), leafOf(entry)),
                shown == rows.end() ? View::npos : std::size_t(shown - rows.begin()));
    }
  }
}

} // namespace
