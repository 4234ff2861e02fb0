// The supplier of symbol values: publishes its symbols into a table and answers their values.
#pragma once

#include "syntax/SSymbol.h"
#include "syntax/STerm.h"

class SSymbolServer {
public:
  virtual ~SSymbolServer() = default;

  /// The current value of one of this server's symbols.
  virtual STerm Resolve(const SSymbol & symbol) const = 0;
  /// Sets `value` to what Resolve gives, reusing its storage where a server can.
  virtual void ResolveInto(const SSymbol & symbol, STerm & value) const { value = Resolve(symbol); }
  /// Appends this server's symbols to `symbols`; the base appends none.
  virtual void Populate(SSymbolVector & symbols) { (void)symbols; }
};
