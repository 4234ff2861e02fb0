// A named value of the filter language whose current value comes from a symbol server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "syntax/STerm.h"

class SSymbolServer;

class SSymbol : public std::string {
public:
  enum EType { eNumber = 0, eString = 1, eDate = 2, eDuration = 3, eFunction = 4 };

  /// A symbol called `name` whose value `server` (not owned, may be null) supplies under `id`.
  SSymbol(const std::string & name, SSymbolServer * server, EType type, long id)
      : std::string(name), mServer(server), mType(type), mID(static_cast<std::int32_t>(id)) {}

  EType Type() const { return mType; }
  std::int32_t ID() const { return mID; }
  SSymbolServer * Server() const { return mServer; }

  /// The symbol's current value; the null term when it has no server.
  STerm Resolve() const;
  /// Sets `value` to the symbol's current value, reusing its storage where the server can.
  void ResolveInto(STerm & value) const;

private:
  SSymbolServer * mServer;
  EType mType;
  std::int32_t mID;
};

/// A symbol table; a symbol's position in it, from 1, is what a symbol token records.
using SSymbolVector = std::vector<SSymbol>;
