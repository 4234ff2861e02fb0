// Test helpers for the file layer: scoped fault injection and catching file failures.
#pragma once

#include "files/SFileException.h"
#include "files/SSystemCalls.h"

#include <cstddef>
#include <exception>
#include <string>

#ifndef _WIN32
#include <cerrno>
#endif

namespace testsupport {

// System error codes for arming faults, named by what they mean: errno values on POSIX,
// the matching Win32 error codes on Windows.
#ifdef _WIN32
inline constexpr int kErrorIo = ERROR_IO_DEVICE;
inline constexpr int kErrorAccess = ERROR_ACCESS_DENIED;
inline constexpr int kErrorExists = ERROR_FILE_EXISTS;
inline constexpr int kErrorNoSpace = ERROR_DISK_FULL;
inline constexpr int kErrorBusy = ERROR_SHARING_VIOLATION;
inline constexpr int kErrorTooBig = ERROR_FILE_TOO_LARGE;
inline constexpr int kErrorInvalid = ERROR_INVALID_PARAMETER;
#else
inline constexpr int kErrorIo = EIO;
inline constexpr int kErrorAccess = EACCES;
inline constexpr int kErrorExists = EEXIST;
inline constexpr int kErrorNoSpace = ENOSPC;
inline constexpr int kErrorBusy = EBUSY;
inline constexpr int kErrorTooBig = EFBIG;
inline constexpr int kErrorInvalid = EINVAL;
#endif

/// Makes the nth next call of inOperation be interrupted (EINTR, which the file layer
/// retries); Windows file calls are never interrupted, so there it does nothing.
inline void InterruptNth([[maybe_unused]] SSystemCalls::EOperation inOperation, [[maybe_unused]] unsigned inNth) {
#ifndef _WIN32
  SSystemCalls::FailNth(inOperation, inNth, EINTR);
#endif
}

/// Starts with no fault armed and disarms every fault when it goes out of scope.
class ScopedSystemCallFaults {
public:
  ScopedSystemCallFaults() { SSystemCalls::Reset(); }
  ~ScopedSystemCallFaults() { SSystemCalls::Reset(); }
  ScopedSystemCallFaults(const ScopedSystemCallFaults &) = delete;
  ScopedSystemCallFaults & operator=(const ScopedSystemCallFaults &) = delete;
};

/// The message of the exception (of any standard type; a file failure's with its reason
/// only if inWithReason) inAction throws, or "<no failure>".
template <class Action>
std::string FileFailure(Action && inAction, bool inWithReason = false) {
  try {
    inAction();
  } catch (const SFileException & e) {
    return inWithReason ? e.what() : e.Message();
  } catch (const std::exception & e) {
    return e.what();
  }
  return "<no failure>";
}

} // namespace testsupport
