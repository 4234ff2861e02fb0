// Another program's exclusive hold on a file.
#include "support/ExclusiveFileHolder.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#if defined(_WIN32)

ExclusiveFileHolder::ExclusiveFileHolder(const std::string & inPath) {
  HANDLE handle = ::CreateFileA(inPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  mIsHeld = handle != INVALID_HANDLE_VALUE;
  mHandle = mIsHeld ? handle : nullptr;
}

void ExclusiveFileHolder::Release() {
  if (mHandle != nullptr)
    ::CloseHandle(mHandle);
  mHandle = nullptr;
  mIsHeld = false;
}

#else

ExclusiveFileHolder::ExclusiveFileHolder(const std::string & inPath) {
  mDescriptor = ::open(inPath.c_str(), O_RDWR);
  mIsHeld = mDescriptor >= 0 && ::flock(mDescriptor, LOCK_EX | LOCK_NB) == 0;
}

void ExclusiveFileHolder::Release() {
  if (mDescriptor >= 0)
    ::close(mDescriptor);
  mDescriptor = -1;
  mIsHeld = false;
}

#endif

ExclusiveFileHolder::~ExclusiveFileHolder() { Release(); }
