// The row of an entry or a group found from the tree alone agrees with the rows built.
#include "TaskTreeChecks.h"

#include "tasks/STaskVector.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace tasktree;

TEST(STaskTreeRows, RowsFoundFromTheTreeAreTheRowsBuiltWhateverIsClosed) {
  std::mt19937 random(11);
  STaskVector tasks;
  for (int i = 0; i < 300; ++i)
    tasks.push_back(Line("03/01/2026", "1:00", std::string(1, static_cast<char>('A' + random() % 4)),
                         std::to_string(random() % 5), std::string(1, static_cast<char>('a' + random() % 3))));
  Tree tree(tasks);
  Populator populator(&tree, tasks, Levels(&tasks, {C::eWhoCode, C::eJobNumber, C::eTimeCode}));
  populator();
  for (int round = 0; round < 20; ++round) {
    for (std::size_t branch = 1; branch < tree.Branches().size(); ++branch)
      random() % 4 == 0 ? tree.Branches()[branch].Close() : tree.Branches()[branch].Open();
    View rows(&tree, true);
    for (std::uint32_t branch = 1; branch < tree.Branches().size(); ++branch) {
      const auto shown = std::find_if(rows.begin(), rows.end(), [&](const Element & e) {
        return e.Type() == Element::eBranch && e.BranchIndex() == branch;
      });
      ASSERT_EQ(rows.RowOfBranch(branch), shown == rows.end() ? View::npos : std::size_t(shown - rows.begin()));
    }
    for (std::uint32_t entry = 0; entry < tasks.size(); ++entry) {
      const std::uint32_t branch = populator.LeafBranch(entry);
      const Branch & holder = tree.Branches()[branch];
      const auto leaf = std::find(holder.begin(), holder.end(), Element(&tree, Element::eLeaf, entry, 3, branch));
      ASSERT_NE(leaf, holder.end());
      const auto shown = std::find_if(rows.begin(), rows.end(), [&](const Element & e) {
        return e.Type() == Element::eLeaf && e.LeafIndex() == entry;
      });
      ASSERT_EQ(rows.RowOfChild(branch, std::size_t(leaf - holder.begin())),
                shown == rows.end() ? View::npos : std::size_t(shown - rows.begin()));
    }
  }
}

} // namespace
