// Instantiates the group-tree templates for tasks once, so that every member is compiled with
// the library, including those the program itself does not use yet.
#include "generic/TBranch.h"
#include "generic/TLeafChangeAdjuster.h"
#include "generic/TLeafDeletionAdjuster.h"
#include "generic/TLeafInsertionAdjuster.h"
#include "generic/TLeafPreDeletionAdjuster.h"
#include "generic/TMultiLevelComparator.h"
#include "generic/TParentAdjuster.h"
#include "generic/TTree.h"
#include "generic/TTreeElement.h"
#include "generic/TTreeView.h"
#include "generic/TVectorPopulator.h"
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
