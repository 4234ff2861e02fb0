// Instantiates the group-tree templates for tasks once, so that every member is compiled with
// the library, including those the program itself does not use yet.
#include "trees/TBranch.h"
#include "trees/TLeafChangeAdjuster.h"
#include "trees/TLeafDeletionAdjuster.h"
#include "trees/TLeafInsertionAdjuster.h"
#include "trees/TLeafPreDeletionAdjuster.h"
#include "trees/TMultiLevelComparator.h"
#include "trees/TParentAdjuster.h"
#include "trees/TTree.h"
#include "trees/TTreeElement.h"
#include "trees/TTreeView.h"
#include "trees/TVectorPopulator.h"
#include "tasks/STask.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskGroup.h"

template class TMultiLevelComparator<STask>;
template class TTreeElement<STask, STaskGroup>;
template class TBranch<STask, STaskGroup>;
template class TTree<STask, STaskGroup>;
template class TTreeView<STask, STaskGroup>;
template class TLeafPreDeletionAdjuster<STask, STaskGroup>;
template class TLeafDeletionAdjuster<STask, STaskGroup>;
template class TLeafInsertionAdjuster<STask, STaskGroup>;
template class TLeafChangeAdjuster<STask, STaskGroup, STaskComparator>;
template class TParentAdjuster<STask, STaskGroup>;
template class TVectorPopulator<STask, STaskGroup, STaskComparator>;
