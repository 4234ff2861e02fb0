// The one seam between the file layer and the operating system.
#include "files/SSystemCalls.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

struct SSystemCalls::Fault {
  EOperation mOperation;
  unsigned long long mCall; // the call count at which the fault happens
  bool mIsShort;            // transfer at most mCount bytes instead of failing
  int mError;
  std::size_t mCount;
  std::function<void()> mAction; // run before the real call instead of failing it
};

bool SSystemCalls::sArmed = false;

namespace {

// Calls are counted only while some fault is armed; a fault is placed relative to the
// count at the moment it is armed, so uncounted calls before that do not matter.
std::array<unsigned long long, SSystemCalls::eOperationCount> sCalls{};

} // namespace

std::vector<SSystemCalls::Fault> & SSystemCalls::Faults() {
  static std::vector<Fault> faults;
  return faults;
}

void SSystemCalls::FailNth(EOperation inOperation, unsigned inNth, int inError) {
  std::vector<Fault> & faults = Faults();
  const unsigned long long call = sCalls[inOperation] + std::max(inNth, 1u);
  std::erase_if(faults, [&](const Fault & f) { return f.mOperation == inOperation && f.mCall == call; });
  faults.push_back(Fault{inOperation, call, false, inError, 0, {}});
  sArmed = true;
}

void SSystemCalls::ShortNth(EOperation inOperation, unsigned inNth, std::size_t inCount) {
  std::vector<Fault> & faults = Faults();
  const unsigned long long call = sCalls[inOperation] + std::max(inNth, 1u);
  std::erase_if(faults, [&](const Fault & f) { return f.mOperation == inOperation && f.mCall == call; });
  faults.push_back(Fault{inOperation, call, true, 0, inCount, {}});
  sArmed = true;
}

void SSystemCalls::BeforeNth(EOperation inOperation, unsigned inNth, std::function<void()> inAction) {
  std::vector<Fault> & faults = Faults();
  const unsigned long long call = sCalls[inOperation] + std::max(inNth, 1u);
  std::erase_if(faults, [&](const Fault & f) { return f.mOperation == inOperation && f.mCall == call; });
  faults.push_back(Fault{inOperation, call, false, 0, 0, std::move(inAction)});
  sArmed = true;
}

std::size_t SSystemCalls::PendingFaults() { return Faults().size(); }

void SSystemCalls::Reset() {
  Faults().clear();
  sCalls.fill(0);
  sArmed = false;
}

bool SSystemCalls::Take(EOperation inOperation, Fault & outFault) {
  const unsigned long long call = ++sCalls[inOperation];
  std::vector<Fault> & faults = Faults();
  const auto it = std::find_if(faults.begin(), faults.end(), [&](const Fault & f) {
    return f.mOperation == inOperation && f.mCall == call;
  });
  if (it == faults.end())
    return false;
  outFault = std::move(*it);
  faults.erase(it);
  // Keep counting while anything is armed; stop paying for it once everything happened.
  if (faults.empty()) {
    sArmed = false;
    sCalls.fill(0);
  }
  if (outFault.mAction) {
    // The action may make calls of its own; they are counted like any other.
    const std::function<void()> action = std::move(outFault.mAction);
    action();
    return false;
  }
  return true;
}

#ifdef _WIN32

// A failing call: the error is what GetLastError() reports afterwards.
#define TALLY_FAULT(op, failure)                                                                                  \
  Fault fault;                                                                                                     \
  if (sArmed && Take(op, fault) && !fault.mIsShort) [[unlikely]] {                                                \
    ::SetLastError(static_cast<DWORD>(fault.mError));                                                              \
    return failure;                                                                                                \
  }

HANDLE SSystemCalls::CreateFileA(LPCSTR inName, DWORD inAccess, DWORD inShare, LPSECURITY_ATTRIBUTES inSecurity,
                                 DWORD inDisposition, DWORD inFlags, HANDLE inTemplate) {
  TALLY_FAULT(eOpen, INVALID_HANDLE_VALUE)
  return ::CreateFileA(inName, inAccess, inShare, inSecurity, inDisposition, inFlags, inTemplate);
}

BOOL SSystemCalls::CloseHandle(HANDLE inHandle) {
  Fault fault;
  if (sArmed && Take(eClose, fault) && !fault.mIsShort) [[unlikely]] {
    ::CloseHandle(inHandle);
    ::SetLastError(static_cast<DWORD>(fault.mError));
    return FALSE;
  }
  return ::CloseHandle(inHandle);
}

BOOL SSystemCalls::ReadFile(HANDLE inHandle, LPVOID outBuffer, DWORD inCount, LPDWORD outRead,
                            LPOVERLAPPED inOverlapped) {
  Fault fault;
  if (sArmed && Take(eRead, fault)) [[unlikely]] {
    if (!fault.mIsShort) {
      ::SetLastError(static_cast<DWORD>(fault.mError));
      return FALSE;
    }
    if (fault.mCount == 0) {
      if (outRead)
        *outRead = 0;
      return TRUE;
    }
    inCount = static_cast<DWORD>(std::min<std::size_t>(inCount, fault.mCount));
  }
  return ::ReadFile(inHandle, outBuffer, inCount, outRead, inOverlapped);
}

BOOL SSystemCalls::WriteFile(HANDLE inHandle, LPCVOID inBuffer, DWORD inCount, LPDWORD outWritten,
                             LPOVERLAPPED inOverlapped) {
  Fault fault;
  if (sArmed && Take(eWrite, fault)) [[unlikely]] {
    if (!fault.mIsShort) {
      ::SetLastError(static_cast<DWORD>(fault.mError));
      return FALSE;
    }
    if (fault.mCount == 0) {
      if (outWritten)
        *outWritten = 0;
      return TRUE;
    }
    inCount = static_cast<DWORD>(std::min<std::size_t>(inCount, fault.mCount));
  }
  return ::WriteFile(inHandle, inBuffer, inCount, outWritten, inOverlapped);
}

BOOL SSystemCalls::SetFilePointerEx(HANDLE inHandle, LARGE_INTEGER inDistance, PLARGE_INTEGER outPosition,
                                    DWORD inMethod) {
  TALLY_FAULT(eLseek, FALSE)
  return ::SetFilePointerEx(inHandle, inDistance, outPosition, inMethod);
}

BOOL SSystemCalls::SetEndOfFile(HANDLE inHandle) {
  TALLY_FAULT(eFtruncate, FALSE)
  return ::SetEndOfFile(inHandle);
}

DWORD SSystemCalls::GetFileSize(HANDLE inHandle, LPDWORD outHigh) {
  TALLY_FAULT(eFstat, INVALID_FILE_SIZE)
  return ::GetFileSize(inHandle, outHigh);
}

DWORD SSystemCalls::GetFileType(HANDLE inHandle) {
  TALLY_FAULT(eFstat, FILE_TYPE_UNKNOWN)
  return ::GetFileType(inHandle);
}

HANDLE SSystemCalls::FindFirstFileA(LPCSTR inName, LPWIN32_FIND_DATAA outData) {
  TALLY_FAULT(eStat, INVALID_HANDLE_VALUE)
  return ::FindFirstFileA(inName, outData);
}

BOOL SSystemCalls::FindClose(HANDLE inHandle) {
  Fault fault;
  if (sArmed && Take(eFindClose, fault) && !fault.mIsShort) [[unlikely]] {
    ::FindClose(inHandle);
    ::SetLastError(static_cast<DWORD>(fault.mError));
    return FALSE;
  }
  return ::FindClose(inHandle);
}

BOOL SSystemCalls::FlushFileBuffers(HANDLE inHandle) {
  TALLY_FAULT(eFsync, FALSE)
  return ::FlushFileBuffers(inHandle);
}

BOOL SSystemCalls::MoveFileExA(LPCSTR inFrom, LPCSTR inTo, DWORD inFlags) {
  TALLY_FAULT(eRename, FALSE)
  return ::MoveFileExA(inFrom, inTo, inFlags);
}

BOOL SSystemCalls::DeleteFileA(LPCSTR inName) {
  TALLY_FAULT(eUnlink, FALSE)
  return ::DeleteFileA(inName);
}

#else // POSIX

// A failing call: -1 with errno set, the system's way.
#define TALLY_FAULT(op)                                                                                           \
  Fault fault;                                                                                                     \
  if (sArmed && Take(op, fault) && !fault.mIsShort) [[unlikely]] {                                                \
    errno = fault.mError;                                                                                          \
    return -1;                                                                                                     \
  }

int SSystemCalls::Open(const char * inPath, int inFlags, mode_t inMode) {
  TALLY_FAULT(eOpen)
  return ::open(inPath, inFlags, inMode);
}

int SSystemCalls::Close(int inFd) {
  Fault fault;
  if (sArmed && Take(eClose, fault) && !fault.mIsShort) [[unlikely]] {
    ::close(inFd); // the descriptor is gone even when close reports an error
    errno = fault.mError;
    return -1;
  }
  return ::close(inFd);
}

ssize_t SSystemCalls::Read(int inFd, void * outBuffer, std::size_t inCount) {
  Fault fault;
  if (sArmed && Take(eRead, fault)) [[unlikely]] {
    if (!fault.mIsShort) {
      errno = fault.mError;
      return -1;
    }
    if (fault.mCount == 0)
      return 0;
    inCount = std::min(inCount, fault.mCount);
  }
  return ::read(inFd, outBuffer, inCount);
}

ssize_t SSystemCalls::Write(int inFd, const void * inBuffer, std::size_t inCount) {
  Fault fault;
  if (sArmed && Take(eWrite, fault)) [[unlikely]] {
    if (!fault.mIsShort) {
      errno = fault.mError;
      return -1;
    }
    if (fault.mCount == 0)
      return 0;
    inCount = std::min(inCount, fault.mCount);
  }
  return ::write(inFd, inBuffer, inCount);
}

off_t SSystemCalls::Lseek(int inFd, off_t inOffset, int inWhence) {
  TALLY_FAULT(eLseek)
  return ::lseek(inFd, inOffset, inWhence);
}

int SSystemCalls::Ftruncate(int inFd, off_t inLength) {
  TALLY_FAULT(eFtruncate)
  return ::ftruncate(inFd, inLength);
}

int SSystemCalls::Fstat(int inFd, struct stat * outStat) {
  TALLY_FAULT(eFstat)
  return ::fstat(inFd, outStat);
}

int SSystemCalls::Stat(const char * inPath, struct stat * outStat) {
  TALLY_FAULT(eStat)
  return ::stat(inPath, outStat);
}

int SSystemCalls::Lstat(const char * inPath, struct stat * outStat) {
  TALLY_FAULT(eLstat)
  return ::lstat(inPath, outStat);
}

int SSystemCalls::Fsync(int inFd) {
  TALLY_FAULT(eFsync)
  return ::fsync(inFd);
}

int SSystemCalls::Rename(const char * inFrom, const char * inTo) {
  TALLY_FAULT(eRename)
  return ::rename(inFrom, inTo);
}

int SSystemCalls::Unlink(const char * inPath) {
  TALLY_FAULT(eUnlink)
  return ::unlink(inPath);
}

int SSystemCalls::Flock(int inFd, int inOperation) {
  TALLY_FAULT(eFlock)
  return ::flock(inFd, inOperation);
}

int SSystemCalls::Fchmod(int inFd, mode_t inMode) {
  TALLY_FAULT(eFchmod)
  return ::fchmod(inFd, inMode);
}

ssize_t SSystemCalls::Readlink(const char * inPath, char * outBuffer, std::size_t inSize) {
  TALLY_FAULT(eReadlink)
  return ::readlink(inPath, outBuffer, inSize);
}

int SSystemCalls::Fcntl(int inFd, int inCommand, int inArgument) {
  TALLY_FAULT(eFcntl)
  return ::fcntl(inFd, inCommand, inArgument);
}

int SSystemCalls::Fchown(int inFd, uid_t inOwner, gid_t inGroup) {
  TALLY_FAULT(eFchown)
  return ::fchown(inFd, inOwner, inGroup);
}

int SSystemCalls::Linkat(int inFromFolder, const char * inFrom, int inToFolder, const char * inTo, int inFlags) {
  TALLY_FAULT(eLinkat)
  return ::linkat(inFromFolder, inFrom, inToFolder, inTo, inFlags);
}

#endif

void SSystemCalls::AdviseHugePages([[maybe_unused]] const void * inBegin, [[maybe_unused]] std::size_t inBytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(inBegin);
  const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + inBytes) & ~(kHugePage - 1);
  if (end > begin)
    ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE); // refused: nothing changes
#endif
}
