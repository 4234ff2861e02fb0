// SFile holds a file exclusively: a second open fails in this process and in another.
#include "files/SFile.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using testsupport::FileFailure;

#ifndef _WIN32
namespace {

// Runs a child that tries to open inPath and exits with 0 (opened), 1 (refused as held)
// or 2; it leaves with _exit, so no test machinery runs twice.
int TryOpenInChild(const std::string & inPath, SFile::EPermission inPermission) {
  const pid_t child = ::fork();
  if (child == 0) {
    SFile file{SFileSpec(inPath)};
    const std::string failure = FileFailure([&] { file.Open(inPermission); });
    ::_exit(failure == "<no failure>" ? 0 : failure == "A file could not be opened" ? 1 : 2);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace
#endif

TEST(SFileLock, ASecondOpenInThisProcessFailsUntilTheFirstCloses) {
  testsupport::TempDir dir;
  const std::string path = dir.file("held.txt");
  testsupport::WriteFileBytes(path, "abc");
  // Even a read-only hold keeps everyone else out.
  SFile first{SFileSpec(path)};
  first.Open(SFile::eRead);
  SFile second{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { second.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_FALSE(second.IsOpen());
  first.Close();
  second.Open(SFile::eReadWrite);
  EXPECT_TRUE(second.IsOpen());
  // The failed attempt did not disturb the holder.
  EXPECT_EQ(second.Length(), 3u);
}

#ifndef _WIN32 // Windows keeps others out by the same share mode that keeps this process out
TEST(SFileLock, AnotherProcessCannotOpenAHeldFile) {
  testsupport::TempDir dir;
  const std::string path = dir.file("held.txt");
  testsupport::WriteFileBytes(path, "abc");
  EXPECT_EQ(TryOpenInChild(path, SFile::eReadWrite), 0); // the probe works at all
  {
    SFile holder{SFileSpec(path)};
    holder.Open(SFile::eReadWrite);
    EXPECT_EQ(TryOpenInChild(path, SFile::eRead), 1);
    EXPECT_EQ(TryOpenInChild(path, SFile::eReadWrite), 1);
  }
  EXPECT_EQ(TryOpenInChild(path, SFile::eReadWrite), 0);
}
#endif
