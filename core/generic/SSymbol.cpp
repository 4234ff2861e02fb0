// Symbol values through their server.
#include "generic/SSymbol.h"

#include "generic/SSymbolServer.h"

STerm SSymbol::Resolve() const {
  if (mServer == nullptr)
    return STerm();
  return mServer->Resolve(*this);
}
