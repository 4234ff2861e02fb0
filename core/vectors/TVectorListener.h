// The base of every listener of a broadcasting vector.
#pragma once

#include "vectors/TListener.h"
#include "vectors/TVectorMessage.h"

/// A listener of the change messages of a TBroadcasterVector<T>.
template <class T>
class TVectorListener : public TListener<TVectorMessage<T>> {};
