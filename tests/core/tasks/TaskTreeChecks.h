// Test helpers for grouped task trees: building tasks, describing a tree compactly, checking
// every invariant a grouped tree must keep against a fresh grouping, and comparing two trees.
#pragma once

#include "tasks/STask.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskGroup.h"
#include "trees/TTree.h"
#include "trees/TTreeView.h"
#include "trees/TVectorPopulator.h"
#include "vectors/TBroadcasterVector.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tasktree {

using Tree = TTree<STask, STaskGroup>;
using Branch = TBranch<STask, STaskGroup>;
using Element = TTreeElement<STask, STaskGroup>;
using View = TTreeView<STask, STaskGroup>;
using Populator = TVectorPopulator<STask, STaskGroup, STaskComparator>;
using C = STaskComparator;
constexpr std::uint32_t kNone = Element::sNoIndex;

inline STask Make(const std::string & inLine) {
  return STask(SDateFormat::eMDY, inLine.data(), static_cast<unsigned int>(inLine.size()));
}

/// A task from its six fields.
inline STask Line(const std::string & inDate, const std::string & inDuration, const std::string & inWho,
                  const std::string & inJob = "1", const std::string & inFee = "A",
                  const std::string & inDescription = "d") {
  return Make(inDate + "\t" + inDuration + "\t" + inWho + "\t" + inJob + "\t" + inFee + "\t" + inDescription);
}

/// A comparator over `inVector` with the given codes as its levels.
inline C Levels(const TBroadcasterVector<STask> * inVector, std::vector<C::EField> inCodes) {
  const auto levels = static_cast<std::int16_t>(inCodes.size());
  inCodes.resize(7, C::eNop);
  C comparator(inCodes[0], inCodes[1], inCodes[2], inCodes[3], inCodes[4], inCodes[5], inCodes[6], levels);
  comparator.SetVector(inVector);
  return comparator;
}

// The elements of a branch: leaves by their entries, groups in braces.
inline std::string DumpBranch(const Tree & inTree, std::uint32_t inBranch) {
  std::string out;
  for (const Element & element : inTree.Branches()[inBranch]) {
    if (element.Type() != Element::eBranch) {
      out += (out.empty() || out.back() == '}' ? "" : " ") + std::to_string(element.LeafIndex());
      continue;
    }
    const Branch & child = inTree.Branches()[element.BranchIndex()];
    const std::string inner = DumpBranch(inTree, element.BranchIndex());
    out += "{" + child.Group().Heading() + ":" + std::to_string(static_cast<unsigned long>(child.Group().Duration())) +
           (child.IsOpen() ? "" : "-") + (inner.empty() ? "" : " ") + inner + "}";
  }
  return out;
}

/// The tree as "{heading:seconds leaves or subgroups}..." in display order; a closed group's
/// seconds are followed by "-". "<empty>" for a tree without branches.
inline std::string Dump(const Tree & inTree) {
  return inTree.Branches().empty() ? "<empty>" : DumpBranch(inTree, 0);
}

inline bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::toupper(x) == std::toupper(y);
  });
}

/// The groups under a branch as "{seconds subgroups members}", members sorted (their order
/// within a group is free); "" for a tree without entries.
inline std::string Groups(const Tree & inTree, std::uint32_t inBranch = 0) {
  if (inTree.Branches().empty() || inTree.Branches()[inBranch].empty())
    return "";
  const Branch & branch = inTree.Branches()[inBranch];
  std::string out = "{" + std::to_string(static_cast<unsigned long>(branch.Group().Duration()));
  std::vector<std::uint32_t> leaves;
  for (const Element & element : branch)
    if (element.Type() == Element::eBranch)
      out += Groups(inTree, element.BranchIndex());
    else
      leaves.push_back(element.LeafIndex());
  std::sort(leaves.begin(), leaves.end());
  for (const std::uint32_t leaf : leaves)
    out += " " + std::to_string(leaf);
  return out + "}";
}

// Walks the tree checking one branch; returns its leaves' entries in order.
class Checker {
public:
  Checker(const Tree & inTree, const TBroadcasterVector<STask> & inData, const C & inComparator)
      : mTree(inTree), mData(inData), mComparator(inComparator) {}

  /// The first broken invariant, empty when the tree is sound.
  std::string Check() {
    const auto & branches = mTree.Branches();
    if (mData.empty()) {
      if (!branches.empty() && (branches.size() != 1 || !branches[0].empty()))
        return "an empty vector leaves more than the bare root";
      return "";
    }
    if (branches.empty())
      return "no branches for " + std::to_string(mData.size()) + " entries";
    if (branches[0].ParentIndex() != kNone)
      return "the root has a parent";
    mBranchSeen.assign(branches.size(), 0);
    mLeafSeen.assign(mData.size(), 0);
    std::vector<std::uint32_t> entries;
    unsigned long total = 0;
    CheckBranch(0, 0, entries, total);
    if (!mError.empty())
      return mError;
    for (std::size_t b = 1; b < branches.size(); ++b)
      if (mBranchSeen[b] != 1)
        return "branch " + std::to_string(b) + " is named by " + std::to_string(mBranchSeen[b]) + " branch elements";
    for (std::size_t e = 0; e < mData.size(); ++e)
      if (mLeafSeen[e] != 1)
        return "entry " + std::to_string(e) + " has " + std::to_string(mLeafSeen[e]) + " leaves";
    return "";
  }

private:
  void Fail(const std::string & inWhat) { mError = mError.empty() ? inWhat : mError; }

  void CheckBranch(std::uint32_t inBranch, std::int16_t inDepth, std::vector<std::uint32_t> & outEntries,
                   unsigned long & outTotal) {
    const auto & branches = mTree.Branches();
    const Branch & branch = branches[inBranch];
    const std::int16_t levels = mComparator.Levels();
    const std::string where = "branch " + std::to_string(inBranch) + ": ";
    if (branch.empty())
      return Fail(where + "empty");
    std::uint32_t childSum = 0;
    std::uint32_t previousFirst = kNone;
    for (const Element & element : branch) {
      if (element.ParentIndex() != inBranch)
        return Fail(where + "element with parent " + std::to_string(element.ParentIndex()));
      if (element.Type() == Element::eBranch) {
        const std::uint32_t child = element.BranchIndex();
        if (inDepth >= levels || child >= branches.size() || child == 0 || element.Level() != inDepth)
          return Fail(where + "misplaced branch element " + std::to_string(child));
        if (branches[child].ParentIndex() != inBranch)
          return Fail(where + "child " + std::to_string(child) + " names another parent");
        if (++mBranchSeen[child] > 1)
          return Fail(where + "branch " + std::to_string(child) + " named twice");
        std::vector<std::uint32_t> members;
        unsigned long total = 0;
        CheckBranch(child, static_cast<std::int16_t>(inDepth + 1), members, total);
        if (!mError.empty())
          return;
        const STaskGroup & group = branches[child].Group();
        if (static_cast<std::uint32_t>(total) != static_cast<unsigned long>(group.Duration()))
          return Fail("branch " + std::to_string(child) + ": total differs from its entries' sum " + std::to_string(total));
        childSum += static_cast<std::uint32_t>(static_cast<unsigned long>(group.Duration()));
        // The members agree at this level (the levels above are checked by the enclosing groups).
        for (const std::uint32_t member : members)
          if (mComparator.Compare(members.front(), member, inDepth) != 0)
            return Fail("branch " + std::to_string(child) + ": entry " + std::to_string(member) + " differs from the first");
        // Siblings differ and stand in comparator order.
        if (previousFirst != kNone && mComparator.Compare(previousFirst, members.front(), inDepth) != -1)
          return Fail(where + "groups out of order before branch " + std::to_string(child));
        previousFirst = members.front();
        // The heading is the grouping field of the members (its spelling may be any member's).
        int code = mComparator.Field(inDepth);
        code = code < 0 ? -code : code;
        if (code >= 1 && code <= 6) {
          const std::string_view field = mData[members.front()].Subfield(static_cast<STask::EField>(code - 1));
          if (!SameText(group.Heading(), field))
            return Fail("branch " + std::to_string(child) + ": heading '" + group.Heading() + "' for '" + std::string(field) + "'");
        } else if (!group.Heading().empty()) {
          return Fail("branch " + std::to_string(child) + ": heading '" + group.Heading() + "' where none belongs");
        }
        outEntries.insert(outEntries.end(), members.begin(), members.end());
        outTotal += total;
      } else if (element.Type() == Element::eLeaf) {
        const std::uint32_t entry = element.LeafIndex();
        if (inDepth != levels || element.Level() != levels || entry >= mData.size())
          return Fail(where + "misplaced leaf " + std::to_string(entry));
        ++mLeafSeen[entry];
        outEntries.push_back(entry);
        const auto duration = static_cast<std::uint32_t>(static_cast<unsigned long>(mData[entry].GetDuration()));
        outTotal += duration;
        childSum += duration;
      } else {
        return Fail(where + "element of no type");
      }
    }
    if (childSum != static_cast<std::uint32_t>(static_cast<unsigned long>(branch.Group().Duration())))
      Fail(where + "total differs from the sum of its children");
    outTotal = static_cast<std::uint32_t>(outTotal);
  }

  const Tree & mTree;
  const TBroadcasterVector<STask> & mData;
  const C & mComparator;
  std::vector<int> mBranchSeen;
  std::vector<int> mLeafSeen;
  std::string mError;
};

/// The first broken invariant of the tree, or where it holds other groups than a fresh
/// grouping of the same data; empty when it is sound.
inline std::string Check(const Tree & inTree, TBroadcasterVector<STask> & inData, const C & inComparator) {
  const std::string broken = Checker(inTree, inData, inComparator).Check();
  if (!broken.empty())
    return broken;
  Tree fresh(inData);
  Populator rebuild(&fresh, inData, inComparator);
  rebuild();
  return Groups(inTree) == Groups(fresh) ? "" : "a fresh grouping differs: " + Dump(fresh);
}

/// Whether two trees are identical branch for branch and element for element.
inline std::string Identical(const Tree & a, const Tree & b) {
  if (a.Branches().size() != b.Branches().size())
    return "branch counts " + std::to_string(a.Branches().size()) + " and " + std::to_string(b.Branches().size());
  for (std::size_t i = 0; i < a.Branches().size(); ++i) {
    const Branch & l = a.Branches()[i];
    const Branch & r = b.Branches()[i];
    if (l.ParentIndex() != r.ParentIndex() || l.IsOpen() != r.IsOpen() || l.Group().Heading() != r.Group().Heading() ||
        l.Group().Duration() != r.Group().Duration() || l.size() != r.size())
      return "branch " + std::to_string(i) + " differs";
    for (std::size_t e = 0; e < l.size(); ++e)
      if (l[e].Type() != r[e].Type() || l[e].Level() != r[e].Level() || l[e].ParentIndex() != r[e].ParentIndex() ||
          l[e].LeafIndex() != r[e].LeafIndex() || l[e].BranchIndex() != r[e].BranchIndex())
        return "element " + std::to_string(e) + " of branch " + std::to_string(i) + " differs";
  }
  return "";
}

} // namespace tasktree
