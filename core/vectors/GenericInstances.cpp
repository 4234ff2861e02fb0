// Instantiates the broadcasting templates once with a simple element type, so that every member
// is compiled with the library, including those the program itself does not use yet.
#include "vectors/TBroadcaster.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TFilter.h"
#include "vectors/TListener.h"
#include "vectors/TVectorListener.h"
#include "vectors/TVectorMap.h"
#include "vectors/TVectorMapFilter.h"
#include "vectors/TVectorMessage.h"
#include "vectors/TVectorMessageChange.h"
#include "vectors/TVectorMessageDelete.h"
#include "vectors/TVectorMessageInsert.h"
#include "vectors/TVectorMessageNotice.h"

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
