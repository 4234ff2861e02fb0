// Test helpers for grouped task trees: building tasks, describing a tree compactly, checking
// every invariant a grouped tree must keep, and comparing two trees.
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
#include <sstream>
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

inline void DumpBranch(const Tree & inTree, std::uint32_t inBranch, std::ostringstream & out) {
  const Branch & branch = inTree.Branches()[inBranch];
  for (const Element & element : branch) {
    if (element.Type() == Element::eBranch) {
      const Branch & child = inTree.Branches()[element.BranchIndex()];
      out << "{" << child.Group().Heading() << ":" << static_cast<unsigned long>(child.Group().Duration());
      if (!child.IsOpen())
        out << "-";
      std::ostringstream inner;
      DumpBranch(inTree, element.BranchIndex(), inner);
      if (!inner.str().empty())
        out << " " << inner.str();
      out << "}";
    } else {
      if (!out.str().empty() && out.str().back() != '}')
        out << " ";
      out << element.LeafIndex();
    }
  }
}

/// The tree as "{heading:seconds leaves or subgroups}..." in display order; a closed group's
/// seconds are followed by "-". "<empty>" for a tree without branches.
inline std::string Dump(const Tree & inTree) {
  if (inTree.Branches().empty())
    return "<empty>";
  std::ostringstream out;
  DumpBranch(inTree, 0, out);
  return out.str();
}

inline bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::toupper(x) == std::toupper(y);
  });
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

inline std::string Check(const Tree & inTree, const TBroadcasterVector<STask> & inData, const C & inComparator) {
  return Checker(inTree, inData, inComparator).Check();
}

// The first entry under a branch.
inline std::uint32_t FirstEntry(const Tree & inTree, std::uint32_t inBranch) {
  const Element & first = inTree.Branches()[inBranch].front();
  return first.Type() == Element::eLeaf ? first.LeafIndex() : FirstEntry(inTree, first.BranchIndex());
}

inline std::string SameGroupsIn(const Tree & a, std::uint32_t inA, const Tree & b, std::uint32_t inB,
                                const C & inComparator, std::int16_t inDepth) {
  const Branch & left = a.Branches()[inA];
  const Branch & right = b.Branches()[inB];
  if (left.Group().Duration() != right.Group().Duration())
    return "totals differ at branches " + std::to_string(inA) + "/" + std::to_string(inB);
  if (inDepth == inComparator.Levels()) {
    auto sorted = [](const Branch & inBranch) {
      std::vector<std::uint32_t> leaves;
      for (const Element & e : inBranch)
        leaves.push_back(e.LeafIndex());
      std::sort(leaves.begin(), leaves.end());
      return leaves;
    };
    return sorted(left) == sorted(right) ? "" : "members differ at branches " + std::to_string(inA) + "/" + std::to_string(inB);
  }
  if (left.size() != right.size())
    return "group counts differ at branches " + std::to_string(inA) + "/" + std::to_string(inB);
  for (std::size_t i = 0; i < left.size(); ++i) {
    const std::uint32_t l = left[i].BranchIndex();
    const std::uint32_t r = right[i].BranchIndex();
    if (inComparator.Compare(FirstEntry(a, l), FirstEntry(b, r), inDepth) != 0)
      return "different groups at branches " + std::to_string(l) + "/" + std::to_string(r);
    const std::string inner = SameGroupsIn(a, l, b, r, inComparator, static_cast<std::int16_t>(inDepth + 1));
    if (!inner.empty())
      return inner;
  }
  return "";
}

/// Whether two trees of the same data hold the same groups, with the same members (in any
/// order within a group) and the same totals.
inline std::string SameGroups(const Tree & a, const Tree & b, const C & inComparator) {
  const bool emptyA = a.Branches().empty() || a.Branches()[0].empty();
  const bool emptyB = b.Branches().empty() || b.Branches()[0].empty();
  if (emptyA || emptyB)
    return emptyA == emptyB ? "" : "one tree is empty";
  return SameGroupsIn(a, 0, b, 0, inComparator, 0);
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
