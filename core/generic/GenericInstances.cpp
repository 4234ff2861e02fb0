// Instantiates the broadcasting templates once with a simple element type, so that every member
// is compiled with the library, including those the program itself does not use yet.
#include "generic/TBroadcaster.h"
#include "generic/TBroadcasterVector.h"
#include "generic/TFilter.h"
#include "generic/TListener.h"
#include "generic/TVectorListener.h"
#include "generic/TVectorMap.h"
#include "generic/TVectorMapFilter.h"
#include "generic/TVectorMessage.h"
#include "generic/TVectorMessageChange.h"
#include "generic/TVectorMessageDelete.h"
#include "generic/TVectorMessageInsert.h"
#include "generic/TVectorMessageNotice.h"

template class TBroadcaster<int>;
template class TListener<int>;
template class TVectorMessage<int>;
template class TVectorMessageInsert<int>;
template class TVectorMessageDelete<int>;
template class TVectorMessageChange<int>;
template class TVectorMessageNotice<int>;
template class TBroadcasterVector<int>;
template class TVectorMap<int>;
template class TFilter<int>;
template class TVectorMapFilter<int>;
