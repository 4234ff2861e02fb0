// Fills a group tree from a broadcasting vector with a grouping comparator and keeps it in
// step with the vector's messages: new entries are merged into their groups, removed ones
// taken out, changed ones moved, totals kept right and empty groups pruned.
//
// Besides the tree itself the populator keeps, for every entry, the index of the branch
// that holds its leaf. With it the messages that touch a few entries (a replacement, an
// append, a removal at the end) find their leaves directly instead of walking the whole
// tree; the results are the same as those of the walks, which remain in use for everything
// else and can be forced with SetIndexedUpdates(false). It also keeps, for every branch, the
// comparator's key of its members at its level (where the comparator offers keys), so that
// finding the group of a new entry seldom needs to read other entries.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "trees/TBranch.h"
#include "vectors/TBroadcasterVector.h"
#include "trees/TLeafChangeAdjuster.h"
#include "trees/TLeafDeletionAdjuster.h"
#include "trees/TLeafInsertionAdjuster.h"
#include "trees/TLeafPreDeletionAdjuster.h"
#include "trees/TParentAdjuster.h"
#include "trees/TTree.h"
#include "trees/TTreeElement.h"
#include "trees/TTreePopulator.h"
#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"

template <class T, class G, class C>
class TVectorPopulator : public TVectorListener<T>, public TTreePopulator {
  using Element = TTreeElement<T, G>;
  using Branch = TBranch<T, G>;
  static constexpr std::uint32_t sNoIndex = Element::sNoIndex;
  static constexpr std::size_t kPrefetchDistance = 16;

public:
  /// A populator of `ioTree` (not owned) from `ioData` (not owned) grouping by a copy of
  /// `inComparator`; it listens to `ioData` from now on. The tree is not filled yet.
  TVectorPopulator(TTree<T, G> * ioTree, TBroadcasterVector<T> & ioData, const C & inComparator)
      : mTree(ioTree), mData(ioData), mComparator(inComparator) {
    mData.AddListener(this);
  }
  TVectorPopulator(const TVectorPopulator &) = delete;
  TVectorPopulator & operator=(const TVectorPopulator &) = delete;

  /// Groups by a copy of `inComparator` from now on and rebuilds the tree.
  void SetComparator(const C & inComparator) {
    mComparator = inComparator;
    (*this)();
  }

  /// The grouping comparator.
  const C & Comparator() const { return mComparator; }

  /// Rebuilds the whole tree from the vector; every group starts open.
  void operator()() {
    Guarded([this] { FullPopulation(); });
  }

  /// Follows one message of the vector. After a pause in listening the tree may have missed
  /// messages: the first message then rebuilds it.
  void ListenToMessage(TVectorMessage<T> inMessage) override {
    const std::uint32_t begin = inMessage.begin_index();
    const std::uint32_t end = std::max(inMessage.begin_index(), inMessage.end_index());
    Guarded([&] {
      if (mMissedMessages) {
        FullPopulation();
        if (inMessage.code() != TVectorMessage<T>::eNotice) {
          return;
        }
      }
      if (inMessage.IsScattered()) {
        FollowBatch(inMessage);
        return;
      }
      switch (inMessage.code()) {
      case TVectorMessage<T>::eInsert:
        InsertDataElements(begin, end);
        break;
      case TVectorMessage<T>::eDelete:
        DeleteDataElements(begin, end);
        break;
      case TVectorMessage<T>::eChange:
        ChangeDataElements(begin, end);
        break;
      case TVectorMessage<T>::eNotice:
        PreDeleteDataElements(begin, end);
        break;
      }
    });
  }

  /// Stops following the vector; the tree goes stale until it is rebuilt.
  void StopListening() {
    mMissedMessages = true;
    TVectorListener<T>::StopListening();
  }

  /// The branch that holds the leaf of entry `inIndex`; sNoIndex when the tree does not
  /// hold every entry of the vector or `inIndex` is beyond it.
  std::uint32_t LeafBranch(std::uint32_t inIndex) const {
    return Holds(mData.size()) && inIndex < mLeafBranch.size() ? mLeafBranch[inIndex] : sNoIndex;
  }

  /// Counts the times the tree was emptied or built from scratch, so that a follower can
  /// tell a small change from a new tree.
  std::uint64_t Rebuilds() const { return mRebuilds; }

  /// With false, every message is handled by walking the whole tree, as the incremental
  /// shortcuts are meant to be equivalent to (used to check them); true by default.
  void SetIndexedUpdates(bool inIndexed) { mIndexed = inIndexed; }

protected:
  // Runs `inStep`; if it fails, empties the tree so that no stale index survives, and rethrows.
  template <class F>
  void Guarded(F && inStep) {
    try {
      inStep();
    } catch (...) {
      ClearTree();
      throw;
    }
  }

  std::vector<Branch> & Branches() { return mTree->Branches(); }

  // Removes every branch, and with them every leaf.
  void ClearTree() {
    ++mRebuilds;
    Branches().clear();
    mBranchKey.clear();
    mBranchKeyExact.clear();
    mLeafBranch.clear();
  }

  // Appends a new, empty branch under `inParentIndex` for a group at `inLevel` whose members
  // are equal at that level to entry `inEntry`; returns its index.
  std::uint32_t AddBranch(std::uint32_t inParentIndex, std::uint32_t inEntry, std::int16_t inLevel) {
    auto & branches = Branches();
    const auto index = static_cast<std::uint32_t>(branches.size());
    branches.emplace_back(mTree, inParentIndex);
    mBranchKey.push_back(0);
    mBranchKeyExact.push_back(0);
    SetBranchKey(index, inEntry, inLevel);
    return index;
  }
  // Notes the key at `inLevel` of entry `inEntry` as branch `inIndex`'s members' key.
  void SetBranchKey(std::uint32_t inIndex, std::uint32_t inEntry, std::int16_t inLevel) {
    std::uint64_t key = 0;
    bool exact = false;
    if (inLevel >= 0 && !mComparator.LevelKey(mData[inEntry], inLevel, key, exact)) {
      key = 0;
      exact = false;
    }
    mBranchKey[inIndex] = key;
    mBranchKeyExact[inIndex] = exact ? 1 : 0;
  }
  // The next branch of a population: appended, or with `ioSlot`, made in the slot it names
  // (already in the list), the cursor moving on to the next slot.
  std::uint32_t NextBranch(std::uint32_t inParentIndex, std::uint32_t inEntry, std::int16_t inLevel,
                           std::uint32_t * ioSlot) {
    if (ioSlot == nullptr)
      return AddBranch(inParentIndex, inEntry, inLevel);
    const std::uint32_t index = (*ioSlot)++;
    Branches()[index].SetParentIndex(inParentIndex);
    SetBranchKey(index, inEntry, inLevel);
    return index;
  }
  std::int16_t Levels() const { return mComparator.Levels(); }

  // The tree holds one leaf for each of the vector's `inCount` entries.
  bool Holds(std::size_t inCount) const { return !mTree->Branches().empty() && mLeafBranch.size() == inCount; }

  /// Builds the tree from scratch: the root, then the groups of the sorted entries.
  void FullPopulation() {
    auto & branches = Branches();
    ClearTree();
    mMissedMessages = false;
    const auto count = static_cast<std::uint32_t>(mData.size());
    mSorted.resize(count);
    for (std::uint32_t index = 0; index < count; ++index) {
      mSorted[index] = index;
    }
    SortWork();
    // Room for the groups, and some for those that merges will add.
    const std::size_t groups = 1 + CountGroups(0, count, 0);
    branches.reserve(groups + groups / 8);
    mBranchKey.reserve(branches.capacity());
    mBranchKeyExact.reserve(branches.capacity());
    mLeafBranch.assign(count, sNoIndex);
    AddBranch(sNoIndex, 0, -1);
    // (Shares need the break levels, which only the indexed mode keeps.)
    const unsigned threads = Levels() > 0 && mIndexed ? mComparator.Threads(count) : 1;
    if (threads > 1)
      PopulateOnThreads(threads);
    else
      Populate(0, Levels(), 0, 0, count);
  }

  /// Populates the whole work list under the root with the top groups shared out among
  /// `inThreads` threads. Each top group's branches take the indices the walk on one thread
  /// would give them, so the tree comes out the same.
  void PopulateOnThreads(unsigned inThreads) {
    auto & branches = Branches();
    const std::size_t count = mSorted.size();
    struct Top {
      std::size_t start, stop;
      std::uint32_t branch;
    };
    std::vector<Top> tops;
    auto next = static_cast<std::uint32_t>(branches.size());
    for (std::size_t start = 0; start < count;) {
      const std::size_t stop = RunEnd(start, count, 0);
      tops.push_back({start, stop, next});
      next += static_cast<std::uint32_t>(1 + CountGroups(start, stop, 1));
      start = stop;
    }
    branches.resize(next, Branch(mTree, sNoIndex));
    mBranchKey.resize(next);
    mBranchKeyExact.resize(next);
    branches[0].reserve(tops.size());
    for (const Top & top : tops) {
      branches[top.branch].SetParentIndex(0);
      SetBranchKey(top.branch, mSorted[top.start], 0);
      branches[0].emplace_back(mTree, Element::eBranch, top.branch, 0, 0);
    }
    // Each thread takes the top groups that start in its share of the entries; they touch
    // only their own branches and leaves.
    std::vector<std::size_t> firstTop(inThreads + 1, tops.size());
    for (unsigned thread = 0; thread < inThreads; ++thread)
      firstTop[thread] = static_cast<std::size_t>(
          std::ranges::lower_bound(tops, count * thread / inThreads, {}, &Top::start) - tops.begin());
    mComparator.RunThreads(inThreads, [&](unsigned inThread) {
      for (std::size_t at = firstTop[inThread]; at < firstTop[inThread + 1]; ++at) {
        std::uint32_t slot = tops[at].branch + 1;
        Populate(tops[at].branch, Levels(), 1, tops[at].start, tops[at].stop, &slot);
      }
    });
    for (const Top & top : tops)
      branches[top.branch].Group()(branches[0], mComparator, 0, mData[mSorted[top.start]]);
  }

  /// Places the sorted positions [inBegin, inEnd) of the work list under branch
  /// `inParentIndex`: one new group per run at a group level, leaves at the leaf level. New
  /// branches are appended, or with `ioSlot` made in the slots from there on.
  void Populate(std::uint32_t inParentIndex, std::int16_t inMax, std::int16_t inLevel, std::size_t inBegin,
                std::size_t inEnd, std::uint32_t * ioSlot = nullptr) {
    auto & branches = Branches();
    if (inLevel < inMax) {
      if (branches[inParentIndex].empty()) {
        branches[inParentIndex].reserve(CountRuns(inBegin, inEnd, inLevel));
      }
      for (std::size_t start = inBegin; start < inEnd;) {
        const std::size_t stop = RunEnd(start, inEnd, inLevel);
        const std::uint32_t branch = NextBranch(inParentIndex, mSorted[start], inLevel, ioSlot);
        branches[inParentIndex].emplace_back(mTree, Element::eBranch, branch, inLevel, inParentIndex);
        Populate(branch, inMax, static_cast<std::int16_t>(inLevel + 1), start, stop, ioSlot);
        branches[branch].Group()(branches[inParentIndex], mComparator, inLevel, mData[mSorted[start]]);
        start = stop;
      }
    } else {
      Branch & parent = branches[inParentIndex];
      if (parent.empty()) {
        parent.reserve(inEnd - inBegin);
      }
      // The work list is placed in order, one leaf after the other, while the entries lie
      // anywhere in memory: ask for them ahead, across group boundaries. (No branches around
      // the hints: the compiler drops conditional prefetches.)
      const std::size_t last = mSorted.size() - 1;
      const auto top = static_cast<std::uint32_t>(mData.size() - 1);
      for (std::size_t position = inBegin; position < inEnd; ++position) {
        mComparator.Prefetch(mData[std::min(mSorted[std::min(position + kPrefetchDistance, last)], top)]);
        mComparator.PrefetchContents(mData[std::min(mSorted[std::min(position + kPrefetchDistance / 2, last)], top)]);
        const std::uint32_t index = mSorted[position];
        parent.emplace_back(mTree, Element::eLeaf, index, inLevel, inParentIndex);
        parent.Group()(mData[index]);
        mLeafBranch[index] = inParentIndex;
      }
    }
  }

  /// Places the sorted positions [inBegin, inEnd) of the work list into the existing groups
  /// under branch `inParentIndex`, creating the groups that are missing at their sorted place.
  void MergePopulate(std::uint32_t inParentIndex, std::int16_t inMax, std::int16_t inLevel, std::size_t inBegin,
                     std::size_t inEnd) {
    if (inLevel >= inMax) {
      return;
    }
    auto & branches = Branches();
    for (std::size_t start = inBegin; start < inEnd;) {
      const std::size_t stop = RunEnd(start, inEnd, inLevel);
      const std::uint32_t first = mSorted[start];
      EStatus status = eUnprocessed;
      std::uint32_t target = 0;
      std::size_t insertion = branches[inParentIndex].size();
      if (mIndexed && AllBranchElements(branches[inParentIndex])) {
        // The groups stand in comparator order: search for the first that does not sort
        // before the run, keeping the comparison made with it.
        const Branch & parent = branches[inParentIndex];
        // Each group keeps the key of its members at its level: where the comparator gives
        // keys, most comparisons need not reach the group's first entry.
        std::uint64_t key = 0;
        bool exact = false;
        const bool keyed = mBranchKey.size() == branches.size() && mComparator.LevelKey(mData[first], inLevel, key, exact);
        auto compareGroup = [&](std::uint32_t inBranch) -> std::int16_t {
          if (keyed) {
            if (key != mBranchKey[inBranch]) {
              return key < mBranchKey[inBranch] ? -1 : 1;
            }
            if (exact) {
              return 0;
            }
          }
          return CompareDataToFirstLeaf(first, inBranch, inLevel);
        };
        std::size_t low = 0;
        std::size_t high = parent.size();
        std::int16_t order = -1;
        while (low < high) {
          const std::size_t middle = low + (high - low) / 2;
          const std::int16_t comparison = compareGroup(parent[middle].BranchIndex());
          if (comparison > 0) {
            low = middle + 1;
          } else {
            high = middle;
            order = comparison;
          }
        }
        insertion = low;
        if (low < parent.size()) {
          target = parent[low].BranchIndex();
          status = order == 0 ? eProcessed : ePending;
        }
      } else {
        const Branch & parent = branches[inParentIndex];
        for (std::size_t position = 0; position < parent.size(); ++position) {
          if (parent[position].Type() != Element::eBranch) {
            continue;
          }
          const std::int16_t order = CompareDataToFirstLeaf(first, parent[position].BranchIndex(), inLevel);
          if (order == 0) {
            target = parent[position].BranchIndex();
            status = eProcessed;
            break;
          }
          if (order < 0) {
            insertion = position;
            status = ePending;
            break;
          }
        }
      }
      if (status == eProcessed) {
        if (inLevel + 1 < inMax) {
          MergePopulate(target, inMax, static_cast<std::int16_t>(inLevel + 1), start, stop);
        } else {
          G added;
          for (std::size_t position = start; position < stop; ++position) {
            added(mData[mSorted[position]]);
          }
          Populate(target, inMax, static_cast<std::int16_t>(inLevel + 1), start, stop);
          AdjustParentGroups(target, inLevel, first, &added);
        }
      } else {
        const std::uint32_t branch = AddBranch(inParentIndex, first, inLevel);
        Branch & parent = branches[inParentIndex];
        parent.insert(parent.begin() + static_cast<std::ptrdiff_t>(insertion),
                      Element(mTree, Element::eBranch, branch, inLevel, inParentIndex));
        Populate(branch, inMax, static_cast<std::int16_t>(inLevel + 1), start, stop);
        AdjustParentGroups(branch, inLevel, first, nullptr);
      }
      start = stop;
    }
  }

  /// After a merge into branch `inBranchIndex` at `inLevel`: heads it with entry `inLeafIndex`
  /// and adds to every enclosing group what the merge added: `inAdded`, or the branch's whole
  /// total when it is new (`inAdded` null).
  void AdjustParentGroups(std::uint32_t inBranchIndex, std::int16_t inLevel, std::uint32_t inLeafIndex,
                          const G * inAdded) {
    auto & branches = Branches();
    Branch & branch = branches.at(inBranchIndex);
    const T & entry = mData.at(inLeafIndex);
    std::uint32_t parent = branch.ParentIndex();
    if (inAdded == nullptr) {
      if (parent == sNoIndex) {
        return;
      }
      branch.Group()(branches.at(parent), mComparator, inLevel, entry);
      for (parent = branches.at(parent).ParentIndex(); parent != sNoIndex; parent = branches.at(parent).ParentIndex()) {
        branch.Group()(branches.at(parent));
      }
    } else {
      G added = *inAdded;
      branch.Group().SetHeading(mComparator, inLevel, entry);
      for (; parent != sNoIndex; parent = branches.at(parent).ParentIndex()) {
        added(branches.at(parent));
      }
    }
  }

  /// -1, 0 or 1 comparing entry `inLeafIndex` at `inLevel` with the first leaf under branch
  /// `inBranchIndex`; -1 when the branch holds nothing.
  std::int16_t CompareDataToFirstLeaf(std::uint32_t inLeafIndex, std::uint32_t inBranchIndex, std::int16_t inLevel) const {
    const Branch & branch = mTree->Branches().at(inBranchIndex);
    if (branch.empty()) {
      return -1;
    }
    const Element & first = branch.front();
    if (first.Type() == Element::eLeaf) {
      return mComparator.BiasedCompare(inLeafIndex, first.LeafIndex(), inLevel, C::eFull);
    }
    if (first.Type() == Element::eBranch) {
      return CompareDataToFirstLeaf(inLeafIndex, first.BranchIndex(), inLevel);
    }
    return -1;
  }

  /// Removes every empty branch, and every enclosing branch left with nothing else, then
  /// renumbers what remains. Only branches that lost elements since the last pruning can be
  /// empty: `inCandidates` names them (in any order, repeats allowed).
  void PruneEmptyBranches(std::vector<std::uint32_t> & inCandidates) {
    auto & branches = Branches();
    mNoted.clear();
    bool rootRemoved = false;
    auto visit = [&](std::uint32_t inBranch) {
      if (!branches[inBranch].empty()) {
        return;
      }
      mNoted.push_back(inBranch);
      std::uint32_t last = inBranch;
      std::uint32_t parent = branches[inBranch].ParentIndex();
      while (parent != sNoIndex && branches[parent].size() <= 1) {
        mNoted.push_back(parent);
        last = parent;
        parent = branches[parent].ParentIndex();
      }
      if (parent == sNoIndex) {
        rootRemoved = true;
        return;
      }
      Branch & holder = branches[parent];
      const auto found = std::find_if(holder.begin(), holder.end(), [last](const Element & inElement) {
        return inElement.Type() == Element::eBranch && inElement.BranchIndex() == last;
      });
      if (found != holder.end()) {
        holder.erase(found);
      }
    };
    if (mIndexed) {
      std::sort(inCandidates.begin(), inCandidates.end());
      inCandidates.erase(std::unique(inCandidates.begin(), inCandidates.end()), inCandidates.end());
      for (const std::uint32_t candidate : inCandidates) {
        if (candidate < branches.size()) {
          visit(candidate);
        }
      }
    } else {
      for (std::uint32_t branch = 0; branch < branches.size(); ++branch) {
        visit(branch);
      }
    }
    if (mNoted.empty()) {
      return;
    }
    if (rootRemoved) {
      ClearTree();
      std::fill(mLeafBranch.begin(), mLeafBranch.end(), sNoIndex);
      return;
    }
    std::sort(mNoted.begin(), mNoted.end());
    mNoted.erase(std::unique(mNoted.begin(), mNoted.end()), mNoted.end());

    TParentAdjuster<T, G> adjuster(mNoted);
    const std::uint32_t first = mNoted.front();
    const bool single = mNoted.size() == 1;
    auto lowered = [&](std::uint32_t inIndex) {
      return single ? inIndex - (inIndex > first ? 1U : 0U) : adjuster.Lowered(inIndex);
    };
    if (mIndexed) {
      RenumberAndThinOut(lowered);
    } else {
      mTree->ElementIterate(adjuster);
      // Thin out the list, keeping the order of the survivors.
      auto noted = mNoted.begin();
      std::size_t kept = first;
      for (std::size_t branch = first; branch < branches.size(); ++branch) {
        if (noted != mNoted.end() && *noted == branch) {
          ++noted;
          continue;
        }
        mBranchKey[kept] = mBranchKey[branch];
        mBranchKeyExact[kept] = mBranchKeyExact[branch];
        branches[kept++] = std::move(branches[branch]);
      }
      branches.erase(branches.begin() + static_cast<std::ptrdiff_t>(kept), branches.end());
      mBranchKey.resize(kept);
      mBranchKeyExact.resize(kept);
    }
    for (std::uint32_t & branch : mLeafBranch) {
      if (branch != sNoIndex) {
        branch = lowered(branch);
      }
    }
  }

  // What the element walk with the parent adjuster and the removal of the noted branches
  // do, in one pass over the branch list: every branch in the list that is not noted is
  // linked to the root, a branch comes after its parent, and a branch holds leaves exactly
  // when it lies as deep as there are levels. So each survivor's own parent index and its
  // elements are renumbered where it stands, it moves down into place, and the leaves of
  // the branches before the first removed one, which keep their numbers, are not visited.
  template <class F>
  void RenumberAndThinOut(F && inLowered) {
    auto & branches = Branches();
    mDepth.resize(branches.size());
    auto noted = mNoted.begin();
    std::uint32_t kept = 0;
    const auto count = static_cast<std::uint32_t>(branches.size());
    for (std::uint32_t index = 0; index < count; ++index) {
      if (noted != mNoted.end() && *noted == index) {
        ++noted;
        continue;
      }
      Branch & branch = branches[index];
      const std::uint32_t parent = branch.ParentIndex();
      int depth = 0;
      if (parent != sNoIndex) {
        if (parent < index) {
          depth = mDepth[parent] + 1;
        } else {
          for (std::uint32_t up = parent; up != sNoIndex; up = branches[up].ParentIndex()) {
            ++depth;
          }
        }
        branch.SetParentIndex(inLowered(parent));
      }
      mDepth[index] = static_cast<std::uint8_t>(depth);
      if (depth < Levels()) {
        for (Element & element : branch) {
          element.SetParentIndex(kept);
          if (element.Type() == Element::eBranch) {
            element.SetBranchIndex(inLowered(element.BranchIndex()));
          }
        }
      } else if (index != kept) {
        for (Element & element : branch) {
          element.SetParentIndex(kept);
        }
      }
      if (index != kept) {
        branches[kept] = std::move(branch);
        mBranchKey[kept] = mBranchKey[index];
        mBranchKeyExact[kept] = mBranchKeyExact[index];
      }
      ++kept;
    }
    branches.erase(branches.begin() + static_cast<std::ptrdiff_t>(kept), branches.end());
    mBranchKey.resize(kept);
    mBranchKeyExact.resize(kept);
  }

  /// Entries [inBegin, inEnd) were inserted.
  void InsertDataElements(std::uint32_t inBegin, std::uint32_t inEnd) {
    const std::uint32_t count = inEnd - inBegin;
    auto & branches = Branches();
    const bool held = Holds(mData.size() - count) && inBegin <= mLeafBranch.size();
    if (branches.size() <= 1 || !held) {
      if (mIndexed && held && Levels() == 0 && inBegin == mLeafBranch.size()) {
        // Without levels every entry is a leaf of the root in vector order, so new entries
        // at the end simply follow.
        Branch & root = branches[0];
        root.Open();
        mLeafBranch.resize(mData.size(), 0);
        for (std::uint32_t index = inBegin; index < inEnd; ++index) {
          root.emplace_back(mTree, Element::eLeaf, index, 0, 0);
          root.Group()(mData[index]);
        }
        return;
      }
      FullPopulation();
      return;
    }
    if (!mIndexed) {
      TLeafInsertionAdjuster<T, G> adjuster(inBegin, inEnd);
      mTree->LeafIterate(adjuster);
    } else if (inBegin < mLeafBranch.size()) {
      // Entries before existing ones: every later leaf moves up.
      ShiftLeaves(inBegin, count);
    }
    mLeafBranch.insert(mLeafBranch.begin() + inBegin, count, sNoIndex);
    mSorted.resize(count);
    for (std::uint32_t index = 0; index < count; ++index) {
      mSorted[index] = inBegin + index;
    }
    SortWork();
    MergePopulate(0, Levels(), 0, 0, count);
  }

  /// Entries [inBegin, inEnd) were removed.
  void DeleteDataElements(std::uint32_t inBegin, std::uint32_t inEnd) {
    if (mData.empty()) {
      ClearTree();
      return;
    }
    const std::uint32_t count = inEnd - inBegin;
    if (!Holds(mData.size() + count) || inEnd > mLeafBranch.size()) {
      FullPopulation();
      return;
    }
    mTouched.assign(mLeafBranch.begin() + inBegin, mLeafBranch.begin() + inEnd);
    if (mIndexed && inEnd == mLeafBranch.size()) {
      // Nothing follows the removed entries: only their own branches change.
      std::sort(mTouched.begin(), mTouched.end());
      mTouched.erase(std::unique(mTouched.begin(), mTouched.end()), mTouched.end());
      for (const std::uint32_t branch : mTouched) {
        std::erase_if(Branches().at(branch), [&](const Element & inElement) {
          return inElement.Type() == Element::eLeaf && inElement.LeafIndex() >= inBegin;
        });
      }
    } else if (mIndexed) {
      // The removed leaves lie in the branches noted for them; every later leaf moves down.
      std::sort(mTouched.begin(), mTouched.end());
      mTouched.erase(std::unique(mTouched.begin(), mTouched.end()), mTouched.end());
      for (const std::uint32_t branch : mTouched) {
        std::erase_if(Branches().at(branch), [&](const Element & inElement) {
          return inElement.Type() == Element::eLeaf && inElement.LeafIndex() >= inBegin &&
                 inElement.LeafIndex() < inEnd;
        });
      }
      ShiftLeaves(inEnd, 0U - count);
    } else {
      TLeafDeletionAdjuster<T, G> adjuster(inBegin, inEnd);
      mTree->LeafIterate(adjuster);
    }
    mLeafBranch.erase(mLeafBranch.begin() + inBegin, mLeafBranch.begin() + inEnd);
    PruneEmptyBranches(mTouched);
    if (Branches().empty()) {
      FullPopulation();
    }
  }

  /// Entries [inBegin, inEnd) were replaced (their old values already left the totals).
  void ChangeDataElements(std::uint32_t inBegin, std::uint32_t inEnd) {
    if (!Holds(mData.size()) || inEnd > mLeafBranch.size()) {
      FullPopulation();
      return;
    }
    mOrphans.clear();
    TLeafChangeAdjuster<T, G, C> adjuster(inBegin, inEnd, mOrphans, &mComparator);
    mTouched.assign(mLeafBranch.begin() + inBegin, mLeafBranch.begin() + inEnd);
    if (mIndexed && inEnd - inBegin == 1) {
      Element * leaf = FindLeaf(inBegin);
      if (leaf == nullptr) {
        FullPopulation();
        return;
      }
      TTreeElementIteratorInfo<T, G> info{mTree, mLeafBranch[inBegin], leaf};
      adjuster(info);
    } else {
      mTree->LeafIterate(adjuster);
    }
    for (const std::uint32_t orphan : mOrphans) {
      mLeafBranch[orphan] = sNoIndex;
    }
    PruneEmptyBranches(mTouched);
    if (mOrphans.empty()) {
      return;
    }
    if (Branches().empty()) {
      // The last entries of the whole tree moved: the root went with them.
      FullPopulation();
      return;
    }
    mSorted.assign(mOrphans.begin(), mOrphans.end());
    SortWork();
    MergePopulate(0, Levels(), 0, 0, mSorted.size());
  }

  /// Entries [inBegin, inEnd) are about to be replaced or removed: their present values
  /// leave the totals.
  void PreDeleteDataElements(std::uint32_t inBegin, std::uint32_t inEnd) {
    if (mData.empty()) {
      return;
    }
    if (!Holds(mData.size()) || inEnd > mLeafBranch.size()) {
      FullPopulation();
    }
    TLeafPreDeletionAdjuster<T, G> adjuster(inBegin, inEnd);
    if (mIndexed) {
      for (std::uint32_t index = inBegin; index < inEnd; ++index) {
        Element leaf(mTree, Element::eLeaf, index, Levels(), mLeafBranch[index]);
        TTreeElementIteratorInfo<T, G> info{mTree, mLeafBranch[index], &leaf};
        adjuster(info);
      }
    } else {
      mTree->LeafIterate(adjuster);
    }
  }

  /// Follows a scattered message: a batch of entries anywhere in the vector was inserted,
  /// is about to be removed, or was removed. Each takes one pass over the leaves at most.
  void FollowBatch(const TVectorMessage<T> & inMessage) {
    switch (inMessage.code()) {
    case TVectorMessage<T>::eInsert:
      InsertBatch(inMessage);
      break;
    case TVectorMessage<T>::eDelete:
      DeleteBatch(inMessage);
      break;
    case TVectorMessage<T>::eNotice:
      if (mData.empty()) {
        return;
      }
      if (!Holds(mData.size())) {
        FullPopulation();
      }
      inMessage.ForEachIndex([this](std::uint32_t inIndex) {
        TLeafPreDeletionAdjuster<T, G> adjuster(inIndex, inIndex + 1);
        Element leaf(mTree, Element::eLeaf, inIndex, Levels(), mLeafBranch[inIndex]);
        TTreeElementIteratorInfo<T, G> info{mTree, mLeafBranch[inIndex], &leaf};
        adjuster(info);
      });
      break;
    case TVectorMessage<T>::eChange:
      FullPopulation();
      break;
    }
  }

  // Adds `inDelta` (modulo 2^32) to the entry index of every leaf at or beyond `inFrom`: what
  // the walks with the insertion and deletion adjusters do to the leaves they keep, in one
  // tight pass over the branches.
  void ShiftLeaves(std::uint32_t inFrom, std::uint32_t inDelta) {
    for (Branch & branch : Branches()) {
      for (Element & element : branch) {
        const std::uint32_t index = element.LeafIndex();
        if (element.Type() == Element::eLeaf && index >= inFrom) {
          element.SetLeafIndex(index + inDelta);
        }
      }
    }
  }

  // Gives every leaf the entry index mRenumber names for its present one, dropping the leaves
  // whose new index is sNoIndex.
  void RenumberLeaves() {
    for (Branch & branch : Branches()) {
      if (branch.empty() || branch.front().Type() != Element::eLeaf) {
        continue;
      }
      std::size_t kept = 0;
      for (std::size_t position = 0; position < branch.size(); ++position) {
        Element & element = branch[position];
        if (element.Type() == Element::eLeaf) {
          const std::uint32_t index = mRenumber[element.LeafIndex()];
          if (index == sNoIndex) {
            continue;
          }
          element.SetLeafIndex(index);
        }
        if (kept != position) {
          branch[kept] = element;
        }
        ++kept;
      }
      branch.erase(branch.begin() + static_cast<std::ptrdiff_t>(kept), branch.end());
    }
  }

  /// A batch of entries was inserted anywhere.
  void InsertBatch(const TVectorMessage<T> & inMessage) {
    const std::vector<std::uint32_t> & added = inMessage.Indices();
    const auto count = static_cast<std::uint32_t>(added.size());
    const std::size_t oldSize = mData.size() - count;
    if (Branches().size() <= 1 || !Holds(oldSize)) {
      FullPopulation();
      return;
    }
    mRenumber.resize(oldSize);
    std::size_t before = 0; // new entries before the old one at `index`
    for (std::uint32_t index = 0; index < oldSize; ++index) {
      while (before < count && added[before] - before <= index) {
        ++before;
      }
      mRenumber[index] = index + static_cast<std::uint32_t>(before);
    }
    RenumberLeaves();
    std::vector<std::uint32_t> leafBranch(mData.size(), sNoIndex);
    for (std::uint32_t index = 0; index < oldSize; ++index) {
      leafBranch[mRenumber[index]] = mLeafBranch[index];
    }
    mLeafBranch.swap(leafBranch);
    mSorted.assign(added.begin(), added.end());
    SortWork();
    MergePopulate(0, Levels(), 0, 0, count);
  }

  /// A batch of entries anywhere was removed (their durations already left the totals).
  void DeleteBatch(const TVectorMessage<T> & inMessage) {
    if (mData.empty()) {
      ClearTree();
      return;
    }
    const std::size_t oldSize = mData.size() + inMessage.Count();
    if (!Holds(oldSize)) {
      FullPopulation();
      return;
    }
    mTouched.clear();
    mRenumber.resize(oldSize);
    const std::vector<std::uint32_t> & removed = inMessage.Indices();
    std::size_t next = 0;
    for (std::uint32_t index = 0; index < oldSize; ++index) {
      if (next < removed.size() && removed[next] == index) {
        mTouched.push_back(mLeafBranch[index]);
        mRenumber[index] = sNoIndex;
        ++next;
      } else {
        mRenumber[index] = index - static_cast<std::uint32_t>(next);
        mLeafBranch[mRenumber[index]] = mLeafBranch[index];
      }
    }
    mLeafBranch.resize(mData.size());
    RenumberLeaves();
    PruneEmptyBranches(mTouched);
    if (Branches().empty()) {
      FullPopulation();
    }
  }

  // The leaf of entry `inIndex` in the branch that holds it, null if it is not there.
  Element * FindLeaf(std::uint32_t inIndex) {
    const std::uint32_t branch = mLeafBranch[inIndex];
    if (branch >= Branches().size()) {
      return nullptr;
    }
    for (Element & element : Branches()[branch]) {
      if (element.Type() == Element::eLeaf && element.LeafIndex() == inIndex) {
        return &element;
      }
    }
    return nullptr;
  }

  static bool AllBranchElements(const Branch & inBranch) {
    return inBranch.empty() || (inBranch.front().Type() == Element::eBranch && inBranch.back().Type() == Element::eBranch);
  }

  // Sorts the work list with a copy of the comparator, noting where the levels break.
  void SortWork() {
    mBreaks.resize(mSorted.size());
    const C comparator(mComparator);
    comparator.Sort(mSorted.data(), mSorted.data() + mSorted.size(), mBreaks.data());
  }

  // The end of the run that starts at sorted position `inStart` (before `inEnd`) at `inLevel`:
  // the first position whose entry differs from the run's first one at that level.
  std::size_t RunEnd(std::size_t inStart, std::size_t inEnd, std::int16_t inLevel) const {
    std::size_t position = inStart + 1;
    if (mIndexed) {
      // The levels above are equal within the range, so the first break at this level
      // or above ends the run (equality at a level is transitive).
      while (position < inEnd && mBreaks[position] > inLevel) {
        ++position;
      }
    } else {
      while (position < inEnd && !mComparator(mSorted[inStart], mSorted[position], inLevel)) {
        ++position;
      }
    }
    return position;
  }

  // The number of runs at `inLevel` in [inBegin, inEnd).
  std::size_t CountRuns(std::size_t inBegin, std::size_t inEnd, std::int16_t inLevel) const {
    if (!mIndexed || inBegin >= inEnd) {
      return 0;
    }
    std::size_t runs = 1;
    for (std::size_t position = inBegin + 1; position < inEnd; ++position) {
      runs += mBreaks[position] <= inLevel ? 1 : 0;
    }
    return runs;
  }

  // The number of groups a population of [inBegin, inEnd) from `inLevel` down creates.
  std::size_t CountGroups(std::size_t inBegin, std::size_t inEnd, std::int16_t inLevel) const {
    std::size_t groups = 0;
    for (std::int16_t level = inLevel; level < Levels(); ++level) {
      groups += CountRuns(inBegin, inEnd, level);
    }
    return groups;
  }

  TTree<T, G> * mTree;             // not owned
  TBroadcasterVector<T> & mData;   // not owned
  C mComparator;

private:
  bool mIndexed = true;
  std::uint64_t mRebuilds = 0;
  bool mMissedMessages = false;            // listening was stopped since the last full population
  std::vector<std::uint32_t> mLeafBranch;  // entry index -> branch holding its leaf
  std::vector<std::uint32_t> mSorted;      // work list of entry indices, sorted
  std::vector<std::uint8_t> mBreaks;       // first level at which each sorted entry differs from the one before
  std::vector<std::uint32_t> mNoted;       // branches to remove, while pruning
  std::vector<std::uint32_t> mTouched;     // branches that lost leaves in the current message
  std::vector<std::uint32_t> mOrphans;     // changed entries to merge again
  std::vector<std::uint32_t> mRenumber;    // old entry index -> new one, while following a batch
  std::vector<std::uint8_t> mDepth;        // depth of each branch, while renumbering
  std::vector<std::uint64_t> mBranchKey;   // per branch: its members' key at its level
  std::vector<std::uint8_t> mBranchKeyExact; // per branch: equal keys mean equal members
};
