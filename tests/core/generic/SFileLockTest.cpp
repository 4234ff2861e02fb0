// SFile holds a file exclusively: a second open fails in this process and in another.
#include "generic/SFile.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::FileFailure;

namespace {

// Exit codes of a child that tries to open a file.
constexpr int kChildOpened = 10;
constexpr int kChildRefused = 11;
constexpr int kChildOther = 12;

// Runs a child that tries to open inPath and reports through its exit code. The child
// leaves at once with _exit, so no test machinery runs twice.
int TryOpenInChild(const std::string & inPath, SFile::EPermission inPermission) {
  const pid_t child = ::fork();
  if (child == 0) {
    int code = kChildOther;
    try {
      SFile file{SFileSpec(inPath)};
      file.Open(inPermission);
      code = kChildOpened;
    } catch (const SFileException & e) {
      code = std::string(e.what()) == "A file could not be opened" ? kChildRefused : kChildOther;
    } catch (...) {
    }
    ::_exit(code);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

} // namespace

TEST(SFileLock, ASecondOpenInThisProcessFailsUntilTheFirstCloses) {
  testsupport::TempDir dir;
  const std::string path = dir.file("held.txt");
  testsupport::WriteFileBytes(path, "abc");
  SFile first{SFileSpec(path)};
  first.Open(SFile::eReadWrite);
  for (SFile::EPermission permission : {SFile::eRead, SFile::eWrite, SFile::eReadWrite}) {
    SFile second{SFileSpec(path)};
    EXPECT_EQ(FileFailure([&] { second.Open(permission); }), "A file could not be opened");
    EXPECT_FALSE(second.IsOpen());
  }
  // Even a read-only hold keeps everyone else out.
  first.Close();
  first.Open(SFile::eRead);
  SFile second{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { second.Open(SFile::eRead); }), "A file could not be opened");
  first.Close();
  second.Open(SFile::eReadWrite);
  EXPECT_TRUE(second.IsOpen());
  // The failed attempt did not disturb the holder.
  EXPECT_EQ(second.Length(), 3u);
}

TEST(SFileLock, AnotherProcessCannotOpenAHeldFile) {
  testsupport::TempDir dir;
  const std::string path = dir.file("held.txt");
  testsupport::WriteFileBytes(path, "abc");
  EXPECT_EQ(TryOpenInChild(path, SFile::eReadWrite), kChildOpened); // the probe works at all
  {
    SFile holder{SFileSpec(path)};
    holder.Open(SFile::eReadWrite);
    EXPECT_EQ(TryOpenInChild(path, SFile::eRead), kChildRefused);
    EXPECT_EQ(TryOpenInChild(path, SFile::eReadWrite), kChildRefused);
  }
  EXPECT_EQ(TryOpenInChild(path, SFile::eReadWrite), kChildOpened);
}

TEST(SFileLock, AFileHeldByAnotherProcessCannotBeOpenedHere) {
  testsupport::TempDir dir;
  const std::string path = dir.file("held.txt");
  testsupport::WriteFileBytes(path, "abc");
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(ready[0]);
    ::close(release[1]);
    char signal = 'n';
    try {
      SFile file{SFileSpec(path)};
      file.Open(SFile::eReadWrite);
      signal = 'y';
      (void)!::write(ready[1], &signal, 1);
      (void)!::read(release[0], &signal, 1); // hold until the parent says so
    } catch (...) {
      (void)!::write(ready[1], &signal, 1);
    }
    ::_exit(0);
  }
  ::close(ready[1]);
  ::close(release[0]);
  char signal = 0;
  ASSERT_EQ(::read(ready[0], &signal, 1), 1);
  EXPECT_EQ(signal, 'y');

  SFile file{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { file.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), "A file could not be opened");
  // The content can still be read by others who do not ask for the hold.
  EXPECT_EQ(testsupport::ReadFileBytes(path), "abc");

  ::close(release[1]); // the child reads end-of-file and lets go
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::close(ready[0]);
  EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), "<no failure>");
}
