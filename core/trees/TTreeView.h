// The visible rows of a group tree: copies of its elements in display order, where an open
// group shows its children and a closed one hides them. Row i is element i.
#pragma once

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

  /// The tree shown.
  TTree<T, G> * Tree() const { return mTree; }

protected:
  TTree<T, G> * mTree; // not owned
};
