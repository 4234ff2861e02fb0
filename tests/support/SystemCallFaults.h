// Test helpers for the file layer: scoped fault injection and catching file failures.
#pragma once

#include "files/SFileException.h"
#include "files/SSystemCalls.h"

#include <cstddef>
#include <initializer_list>
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
inline constexpr int kErrorCrossDevice = ERROR_NOT_SAME_DEVICE;
inline constexpr int kErrorTooBig = ERROR_FILE_TOO_LARGE;
inline constexpr int kErrorInvalid = ERROR_INVALID_PARAMETER;
inline constexpr int kErrorNotFound = ERROR_FILE_NOT_FOUND;
inline constexpr int kErrorNotAFolder = ERROR_DIRECTORY;
inline constexpr int kErrorNotPermitted = ERROR_PRIVILEGE_NOT_HELD;
#else
inline constexpr int kErrorIo = EIO;
inline constexpr int kErrorAccess = EACCES;
inline constexpr int kErrorExists = EEXIST;
inline constexpr int kErrorNoSpace = ENOSPC;
inline constexpr int kErrorBusy = EBUSY;
inline constexpr int kErrorCrossDevice = EXDEV;
inline constexpr int kErrorTooBig = EFBIG;
inline constexpr int kErrorInvalid = EINVAL;
inline constexpr int kErrorNotFound = ENOENT;
inline constexpr int kErrorNotAFolder = ENOTDIR;
inline constexpr int kErrorNotPermitted = EPERM;
#endif

/// POSIX calls can be interrupted by a signal (EINTR), and the file layer retries them;
/// Windows file calls are never interrupted.
#ifdef _WIN32
inline constexpr bool kCallsCanBeInterrupted = false;
#else
inline constexpr bool kCallsCanBeInterrupted = true;
#endif
#ifdef _WIN32
inline constexpr int kErrorInterrupted = 0; // never armed
#else
inline constexpr int kErrorInterrupted = EINTR;
#endif

/// A step of ArmTransfers that is an interrupted call rather than a short transfer.
inline constexpr std::size_t kInterrupted = ~std::size_t(0);

/// Arms the next calls of inOperation (eRead or eWrite), one per step: a short transfer of
/// that many bytes, or an interrupted call (kInterrupted). Interruptions are left out
/// where calls are not interrupted (Windows), so the other steps stay in order.
inline void ArmTransfers(SSystemCalls::EOperation inOperation, std::initializer_list<std::size_t> inSteps) {
  unsigned call = 0;
  for (const std::size_t step : inSteps) {
    if (step != kInterrupted)
      SSystemCalls::ShortNth(inOperation, ++call, step);
    else if (kCallsCanBeInterrupted)
      SSystemCalls::FailNth(inOperation, ++call, kErrorInterrupted);
  }
}

/// Makes the nth next call of inOperation be interrupted, where calls can be (see above);
/// does nothing on Windows.
inline void InterruptNth(SSystemCalls::EOperation inOperation, unsigned inNth) {
  if (kCallsCanBeInterrupted)
    SSystemCalls::FailNth(inOperation, inNth, kErrorInterrupted);
}

/// Starts with no fault armed and disarms every fault when it goes out of scope.
class ScopedSystemCallFaults {
public:
  ScopedSystemCallFaults() { SSystemCalls::Reset(); }
  ~ScopedSystemCallFaults() { SSystemCalls::Reset(); }
  ScopedSystemCallFaults(const ScopedSystemCallFaults &) = delete;
  ScopedSystemCallFaults & operator=(const ScopedSystemCallFaults &) = delete;
};

/// The fixed message (without its reason) of the SFileException that inAction throws, or
/// "<no failure>".
template <class Action>
std::string FileFailure(Action && inAction) {
  try {
    inAction();
  } catch (const SFileException & e) {
    return e.Message();
  }
  return "<no failure>";
}

} // namespace testsupport
