// The fault seam: which call an armed fault hits, and what it does there.
#include "generic/SSystemCalls.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

TEST(SSystemCalls, FailsExactlyTheNthNextCallOfItsOperation) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("a");
  testsupport::WriteFileBytes(path, "x");
  struct stat info;

  SSystemCalls::FailNth(SSystemCalls::eStat, 3, ENOTDIR);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 1u);
  // Calls of other operations do not count towards it.
  EXPECT_EQ(SSystemCalls::Lstat(path.c_str(), &info), 0);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), 0);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), 0);
  errno = 0;
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), -1);
  EXPECT_EQ(errno, ENOTDIR);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), 0);
}

TEST(SSystemCalls, CountsFromTheMomentOfArmingAndKeepsSeveralFaults) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("a");
  testsupport::WriteFileBytes(path, "x");
  struct stat info;

  SSystemCalls::FailNth(SSystemCalls::eStat, 1, EIO);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), -1);
  // Armed after two further calls happened while nothing was armed.
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), 0);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), 0);
  SSystemCalls::FailNth(SSystemCalls::eStat, 2, EACCES);
  SSystemCalls::FailNth(SSystemCalls::eStat, 4, ELOOP);
  SSystemCalls::FailNth(SSystemCalls::eLstat, 1, ENOENT);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 3u);
  std::string seen;
  for (int i = 0; i < 5; ++i) {
    errno = 0;
    const int result = SSystemCalls::Stat(path.c_str(), &info);
    seen += result == 0 ? "ok " : errno == EACCES ? "acces " : errno == ELOOP ? "loop " : "other ";
  }
  EXPECT_EQ(seen, "ok acces ok loop ok ");
  EXPECT_EQ(SSystemCalls::PendingFaults(), 1u);
  EXPECT_EQ(SSystemCalls::Lstat(path.c_str(), &info), -1);
  EXPECT_EQ(errno, ENOENT);

  // Re-arming the same call replaces the earlier fault; Reset disarms everything.
  SSystemCalls::FailNth(SSystemCalls::eStat, 1, EIO);
  SSystemCalls::FailNth(SSystemCalls::eStat, 1, EPERM);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 1u);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), -1);
  EXPECT_EQ(errno, EPERM);
  SSystemCalls::FailNth(SSystemCalls::eStat, 1, EIO);
  SSystemCalls::Reset();
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
  EXPECT_EQ(SSystemCalls::Stat(path.c_str(), &info), 0);
}

TEST(SSystemCalls, ShortTransfersMoveFewerBytesAndZeroMovesNone) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("a");
  const int fd = SSystemCalls::Open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 1, 3);
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 2, 0);
  EXPECT_EQ(SSystemCalls::Write(fd, "abcdef", 6), 3);
  EXPECT_EQ(SSystemCalls::Write(fd, "def", 3), 0);
  EXPECT_EQ(SSystemCalls::Write(fd, "def", 3), 3);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "abcdef");

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
