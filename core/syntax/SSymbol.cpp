// Symbol values through their server.
#include "syntax/SSymbol.h"

#include "syntax/SSymbolServer.h"

STerm SSymbol::Resolve() const {
  if (mServer == nullptr)
    return STerm();
  return mServer->Resolve(*this);
}

void SSymbol::ResolveInto(STerm & value) const {
  if (mServer == nullptr)
    value.Reset();
  else
    mServer->ResolveInto(*this, value);
}
