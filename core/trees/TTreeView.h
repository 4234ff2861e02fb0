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

  /// The tree shown.
  TTree<T, G> * Tree() const { return mTree; }

protected:
  TTree<T, G> * mTree; // not owned
};
