// The fault seam: which call an armed fault hits, and what it does there.
#include "files/SSystemCalls.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace testsupport; // the error names kError...

namespace {

// The operation whose calls the tests count (stat; a directory search on Windows), one
// other operation (lstat; opening on Windows), and the error a failed call left behind.
#ifdef _WIN32
const SSystemCalls::EOperation kCounted = SSystemCalls::eStat;
const SSystemCalls::EOperation kOther = SSystemCalls::eOpen;

bool CountedCall(const std::string & inPath) {
  WIN32_FIND_DATAA data;
  const HANDLE search = SSystemCalls::FindFirstFileA(inPath.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  ::FindClose(search);
  return true;
}

bool OtherCall(const std::string & inPath) {
  const HANDLE file = SSystemCalls::CreateFileA(inPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  ::CloseHandle(file);
  return true;
}

int LastError() { return static_cast<int>(::GetLastError()); }
void ClearError() { ::SetLastError(0); }
#else
const SSystemCalls::EOperation kCounted = SSystemCalls::eStat;
const SSystemCalls::EOperation kOther = SSystemCalls::eLstat;

bool CountedCall(const std::string & inPath) {
  struct stat info;
  return SSystemCalls::Stat(inPath.c_str(), &info) == 0;
}

bool OtherCall(const std::string & inPath) {
  struct stat info;
  return SSystemCalls::Lstat(inPath.c_str(), &info) == 0;
}

int LastError() { return errno; }
void ClearError() { errno = 0; }
#endif

} // namespace

TEST(SSystemCalls, FailsExactlyTheNthNextCallOfItsOperation) {
  ScopedSystemCallFaults faults;
  TempDir dir;
  const std::string path = dir.file("a");
  WriteFileBytes(path, "x");

  SSystemCalls::FailNth(kCounted, 3, kErrorNotAFolder);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 1u);
  // Calls of other operations do not count towards it.
  EXPECT_TRUE(OtherCall(path));
  EXPECT_TRUE(CountedCall(path));
  EXPECT_TRUE(CountedCall(path));
  ClearError();
  EXPECT_FALSE(CountedCall(path));
  EXPECT_EQ(LastError(), kErrorNotAFolder);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
  EXPECT_TRUE(CountedCall(path));
}

TEST(SSystemCalls, CountsFromTheMomentOfArmingAndKeepsSeveralFaults) {
  ScopedSystemCallFaults faults;
  TempDir dir;
  const std::string path = dir.file("a");
  WriteFileBytes(path, "x");

  SSystemCalls::FailNth(kCounted, 1, kErrorIo);
  EXPECT_FALSE(CountedCall(path));
  // Armed after two further calls happened while nothing was armed.
  EXPECT_TRUE(CountedCall(path));
  EXPECT_TRUE(CountedCall(path));
  SSystemCalls::FailNth(kCounted, 2, kErrorAccess);
  SSystemCalls::FailNth(kCounted, 4, kErrorNotAFolder);
  SSystemCalls::FailNth(kOther, 1, kErrorNotFound);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 3u);
  std::string seen;
  for (int i = 0; i < 5; ++i) {
    ClearError();
    const bool ok = CountedCall(path);
    const int error = LastError();
    seen += ok ? "ok " : error == kErrorAccess ? "access " : error == kErrorNotAFolder ? "folder " : "other ";
  }
  EXPECT_EQ(seen, "ok access ok folder ok ");
  EXPECT_EQ(SSystemCalls::PendingFaults(), 1u);
  EXPECT_FALSE(OtherCall(path));
  EXPECT_EQ(LastError(), kErrorNotFound);

  // Re-arming the same call replaces the earlier fault; Reset disarms everything.
  SSystemCalls::FailNth(kCounted, 1, kErrorIo);
  SSystemCalls::FailNth(kCounted, 1, kErrorNotPermitted);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 1u);
  EXPECT_FALSE(CountedCall(path));
  EXPECT_EQ(LastError(), kErrorNotPermitted);
  SSystemCalls::FailNth(kCounted, 1, kErrorIo);
  SSystemCalls::Reset();
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
  EXPECT_TRUE(CountedCall(path));
}

#ifdef _WIN32

TEST(SSystemCalls, ShortTransfersMoveFewerBytesAndZeroMovesNone) {
  ScopedSystemCallFaults faults;
  TempDir dir;
  const std::string path = dir.file("a");
  const HANDLE file = SSystemCalls::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD done = 99;
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 1, 3);
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 2, 0);
  EXPECT_TRUE(SSystemCalls::WriteFile(file, "abcdef", 6, &done, nullptr));
  EXPECT_EQ(done, 3u);
  EXPECT_TRUE(SSystemCalls::WriteFile(file, "def", 3, &done, nullptr));
  EXPECT_EQ(done, 0u);
  EXPECT_TRUE(SSystemCalls::WriteFile(file, "def", 3, &done, nullptr));
  EXPECT_EQ(done, 3u);
  EXPECT_EQ(ReadFileBytes(path), "abcdef");

  LARGE_INTEGER start{};
  ASSERT_TRUE(SSystemCalls::SetFilePointerEx(file, start, nullptr, FILE_BEGIN));
  char buffer[8] = {};
  SSystemCalls::ShortNth(SSystemCalls::eRead, 1, 2);
  SSystemCalls::ShortNth(SSystemCalls::eRead, 2, 0);
  EXPECT_TRUE(SSystemCalls::ReadFile(file, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(done, 2u);
  EXPECT_TRUE(SSystemCalls::ReadFile(file, buffer + 2, sizeof buffer - 2, &done, nullptr));
  EXPECT_EQ(done, 0u);
  EXPECT_TRUE(SSystemCalls::ReadFile(file, buffer + 2, sizeof buffer - 2, &done, nullptr));
  EXPECT_EQ(done, 4u);
  EXPECT_EQ(std::string(buffer, 6), "abcdef");

  // A failing close still releases the handle, as the system does.
  SSystemCalls::FailNth(SSystemCalls::eClose, 1, kErrorIo);
  EXPECT_FALSE(SSystemCalls::CloseHandle(file));
  EXPECT_EQ(LastError(), kErrorIo);
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(file, &flags));
  EXPECT_EQ(LastError(), ERROR_INVALID_HANDLE);
}

#else

TEST(SSystemCalls, ShortTransfersMoveFewerBytesAndZeroMovesNone) {
  ScopedSystemCallFaults faults;
  TempDir dir;
  const std::string path = dir.file("a");
  const int fd = SSystemCalls::Open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 1, 3);
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 2, 0);
  EXPECT_EQ(SSystemCalls::Write(fd, "abcdef", 6), 3);
  EXPECT_EQ(SSystemCalls::Write(fd, "def", 3), 0);
  EXPECT_EQ(SSystemCalls::Write(fd, "def", 3), 3);
  EXPECT_EQ(ReadFileBytes(path), "abcdef");

  ASSERT_EQ(SSystemCalls::Lseek(fd, 0, SEEK_SET), 0);
  char buffer[8] = {};
  SSystemCalls::ShortNth(SSystemCalls::eRead, 1, 2);
  SSystemCalls::ShortNth(SSystemCalls::eRead, 2, 0);
  EXPECT_EQ(SSystemCalls::Read(fd, buffer, sizeof buffer), 2);
  EXPECT_EQ(SSystemCalls::Read(fd, buffer + 2, sizeof buffer - 2), 0);
  EXPECT_EQ(SSystemCalls::Read(fd, buffer + 2, sizeof buffer - 2), 4);
  EXPECT_EQ(std::string(buffer, 6), "abcdef");

  // A failing close still releases the descriptor, as the system does.
  SSystemCalls::FailNth(SSystemCalls::eClose, 1, EIO);
  EXPECT_EQ(SSystemCalls::Close(fd), -1);
  EXPECT_EQ(errno, EIO);
  EXPECT_EQ(::fcntl(fd, F_GETFD), -1);
  EXPECT_EQ(errno, EBADF);
}

#endif
