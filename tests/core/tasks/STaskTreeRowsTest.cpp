// Rows patched for one entry in or out, and rows found from the tree alone, agree with the
// rows built afresh, whatever groups are closed.
#include "TaskTreeChecks.h"

#include "tasks/STaskVector.h"
#include <gtest/gtest.h>
#include <random>

TEST(STaskTreeRows, PatchedAndFoundRowsAreTheRowsBuiltWhateverIsClosed) {
  using namespace tasktree;
  std::mt19937 random(11);
  auto task = [&] {
    return Line("03/01/2026", "1:00", {char('A' + random() % 4)}, {char('0' + random() % 5)}, {char('a' + random() % 3)});
  };
  STaskVector tasks;
  for (int i = 0; i < 300; ++i)
    tasks.push_back(task());
  Tree tree(tasks);
  Populator populator(&tree, tasks, Levels(&tasks, {C::eWhoCode, C::eJobNumber, C::eTimeCode}));
  populator();
  auto at = [](const std::vector<Element> & inRows, Element::EType inType, std::uint32_t inIndex) {
    const auto found = std::find_if(inRows.begin(), inRows.end(), [&](const Element & e) {
      return e.Type() == inType && (inType == Element::eLeaf ? e.LeafIndex() : e.BranchIndex()) == inIndex;
    });
    return found == inRows.end() ? View::npos : std::size_t(found - inRows.begin());
  };
  auto placeOf = [&](std::uint32_t inEntry) {
    return at(tree.Branches()[populator.LeafBranch(inEntry)], Element::eLeaf, inEntry);
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
      round % 2 ? rows.RemoveLeafRow(entry) : rows.InsertLeafRow(populator.LeafBranch(entry), placeOf(entry));
    ASSERT_TRUE(rows == View(&tree, true)) << "round " << round;
    for (std::uint32_t branch = 1; branch < tree.Branches().size(); ++branch)
      ASSERT_EQ(rows.RowOfBranch(branch), at(rows, Element::eBranch, branch));
    for (std::uint32_t index = 0; index < tasks.size(); ++index)
      ASSERT_EQ(rows.RowOfChild(populator.LeafBranch(index), placeOf(index)), at(rows, Element::eLeaf, index));
  }
}
