// Test helpers for the file layer: scoped fault injection and catching file failures.
#pragma once

#include "generic/SFileException.h"
#include "generic/SSystemCalls.h"

#include <string>

namespace testsupport {

/// Starts with no fault armed and disarms every fault when it goes out of scope.
class ScopedSystemCallFaults {
public:
  ScopedSystemCallFaults() { SSystemCalls::Reset(); }
  ~ScopedSystemCallFaults() { SSystemCalls::Reset(); }
  ScopedSystemCallFaults(const ScopedSystemCallFaults &) = delete;
  ScopedSystemCallFaults & operator=(const ScopedSystemCallFaults &) = delete;
};

/// The message of the SFileException that inAction throws, or "<no failure>".
template <class Action>
std::string FileFailure(Action && inAction) {
  try {
    inAction();
  } catch (const SFileException & e) {
    return e.what();
  }
  return "<no failure>";
}

} // namespace testsupport
