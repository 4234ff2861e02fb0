// The visible rows of a group tree: copies of its elements in display order, where an open
// group shows its children and a closed one hides them. Row i is element i.
#pragma once

#include <cstddef>

#include "trees/TBranch.h"
#include "trees/TTree.h"
#include "trees/TTreeElement.h"

template <class T, class G>
class TTreeView : public TTreeElementVector<T, G> {
public:
  /// The rows of `inTree` (not owned); filled at once when `inUpdate`, empty otherwise.
  TTreeView(TTree<T, G> * inTree, bool inUpdate) : mTree(inTree) {
    if (inUpdate) {
      Update();
    }
  }

  /// Rebuilds every row from the tree; the root itself is never a row.
  void Update() {
    this->clear();
    if (mTree == nullptr || mTree->Branches().empty()) {
      return;
    }
    UpdateBranch(mTree->Branches()[0]);
  }

  /// Appends the rows of one branch's children: each child, and after an open group its
  /// own rows.
  void UpdateBranch(const TBranch<T, G> & inBranch) {
    if (HoldsLeavesOnly(inBranch)) {
      this->insert(this->end(), inBranch.begin(), inBranch.end());
      return;
    }
    for (const TTreeElement<T, G> & element : inBranch) {
      this->push_back(element);
      if (element.Type() == TTreeElement<T, G>::eBranch) {
        const TBranch<T, G> & branch = element.Branch();
        if (branch.IsOpen()) {
          UpdateBranch(branch);
        }
      }
    }
  }

  /// Opens the group of row `inRow` and puts its rows right after it, leaving the other
  /// rows alone; the number of rows added (0 for an entry or an open group).
  std::size_t OpenRow(std::size_t inRow) {
    if (inRow >= this->size() || (*this)[inRow].Type() != TTreeElement<T, G>::eBranch) {
      return 0;
    }
    TBranch<T, G> & branch = (*this)[inRow].Branch();
    if (branch.IsOpen()) {
      return 0;
    }
    branch.Open();
    TTreeView<T, G> rows(mTree, false);
    rows.UpdateBranch(branch);
    this->insert(this->begin() + static_cast<std::ptrdiff_t>(inRow + 1), rows.begin(), rows.end());
    return rows.size();
  }

  /// Closes the group of row `inRow` and removes the rows it showed, leaving the other rows
  /// alone; the number of rows removed (0 for an entry or a closed group).
  std::size_t CloseRow(std::size_t inRow) {
    if (inRow >= this->size() || (*this)[inRow].Type() != TTreeElement<T, G>::eBranch) {
      return 0;
    }
    TBranch<T, G> & branch = (*this)[inRow].Branch();
    if (!branch.IsOpen()) {
      return 0;
    }
    branch.Close();
    // The group's rows are the ones below it that lie deeper.
    const auto level = (*this)[inRow].Level();
    std::size_t end = inRow + 1;
    while (end < this->size() && (*this)[end].Level() > level) {
      ++end;
    }
    this->erase(this->begin() + static_cast<std::ptrdiff_t>(inRow + 1),
                this->begin() + static_cast<std::ptrdiff_t>(end));
    return end - inRow - 1;
  }

  /// Follows the removal of entry `inEntry` from the data while every group stayed: drops
  /// the entry's row (none while a closed group hides it) and lowers later entries' indices.
  void RemoveLeafRow(std::uint32_t inEntry) {
    std::size_t removed = this->size();
    for (std::size_t row = 0; row < this->size(); ++row) {
      TTreeElement<T, G> & element = (*this)[row];
      const std::uint32_t index = element.LeafIndex();
      if (element.Type() != TTreeElement<T, G>::eLeaf || index < inEntry) {
        continue;
      }
      if (index == inEntry) {
        removed = row;
      } else {
        element.SetLeafIndex(index - 1);
      }
    }
    if (removed < this->size()) {
      this->erase(this->begin() + static_cast<std::ptrdiff_t>(removed));
    }
  }

  /// Follows the insertion of one entry into the data while every group stayed: the tree
  /// holds its leaf as child `inPosition` of branch `inBranch`. Raises the indices of the
  /// entries at or after it and adds its row, unless a closed group hides it.
  void InsertLeafRow(std::uint32_t inBranch, std::size_t inPosition) {
    const TTreeElement<T, G> leaf = mTree->Branches().at(inBranch).at(inPosition);
    const std::uint32_t entry = leaf.LeafIndex();
    for (TTreeElement<T, G> & element : *this) {
      const std::uint32_t index = element.LeafIndex();
      if (element.Type() == TTreeElement<T, G>::eLeaf && index >= entry) {
        element.SetLeafIndex(index + 1);
      }
    }
    const std::size_t row = RowOfChild(inBranch, inPosition);
    if (row <= this->size()) {
      this->insert(this->begin() + static_cast<std::ptrdiff_t>(row), leaf);
    }
  }

  /// The row that shows child `inPosition` of branch `inBranch`, found from the tree alone
  /// (the rows need not be built); npos when a closed group hides it or the tree does not
  /// hold it. The cost follows the number of groups, not of entries.
  std::size_t RowOfChild(std::uint32_t inBranch, std::size_t inPosition) const {
    const auto & branches = mTree->Branches();
    std::size_t row = 0;
    bool first = true;
    while (inBranch < branches.size()) {
      const TBranch<T, G> & branch = branches[inBranch];
      // Above the child itself, the group on the way down must be open.
      if (inPosition >= branch.size() || (!first && !branch[inPosition].Branch().IsOpen())) {
        return npos;
      }
      row += RowsBefore(branch, inPosition) + (first ? 0 : 1);
      first = false;
      const std::uint32_t parent = branch.ParentIndex();
      if (parent == TTreeElement<T, G>::sNoIndex) {
        return inBranch == 0 ? row : npos;
      }
      if (parent >= branches.size()) {
        return npos;
      }
      inPosition = PositionOf(branches[parent], inBranch);
      inBranch = parent;
    }
    return npos;
  }

  /// The row that shows the group of branch `inBranch`; npos as for RowOfChild.
  std::size_t RowOfBranch(std::uint32_t inBranch) const {
    const auto & branches = mTree->Branches();
    if (inBranch >= branches.size()) {
      return npos;
    }
    const std::uint32_t parent = branches[inBranch].ParentIndex();
    return parent < branches.size() ? RowOfChild(parent, PositionOf(branches[parent], inBranch)) : npos;
  }

  /// The number of rows the children of `inBranch` show, an open group's rows included.
  static std::size_t RowsUnder(const TBranch<T, G> & inBranch) { return RowsBefore(inBranch, inBranch.size()); }

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  /// The tree shown.
  TTree<T, G> * Tree() const { return mTree; }

protected:
  // Whether every child of `inBranch` is a leaf (a branch at the deepest level).
  static bool HoldsLeavesOnly(const TBranch<T, G> & inBranch) {
    return !inBranch.empty() && inBranch.front().Type() == TTreeElement<T, G>::eLeaf &&
           inBranch.back().Type() == TTreeElement<T, G>::eLeaf;
  }

  // The place of the group of branch `inBranch` among the children of `inHolder`; its size
  // when it is not there.
  static std::size_t PositionOf(const TBranch<T, G> & inHolder, std::uint32_t inBranch) {
    for (std::size_t position = 0; position < inHolder.size(); ++position) {
      if (inHolder[position].Type() == TTreeElement<T, G>::eBranch && inHolder[position].BranchIndex() == inBranch) {
        return position;
      }
    }
    return inHolder.size();
  }

  // The rows the children of `inBranch` before `inPosition` show.
  static std::size_t RowsBefore(const TBranch<T, G> & inBranch, std::size_t inPosition) {
    if (HoldsLeavesOnly(inBranch)) {
      return inPosition;
    }
    std::size_t rows = 0;
    for (std::size_t position = 0; position < inPosition; ++position) {
      const TTreeElement<T, G> & element = inBranch[position];
      ++rows;
      if (element.Type() == TTreeElement<T, G>::eBranch && element.Branch().IsOpen()) {
        rows += RowsUnder(element.Branch());
      }
    }
    return rows;
  }

  TTree<T, G> * mTree; // not owned
};
