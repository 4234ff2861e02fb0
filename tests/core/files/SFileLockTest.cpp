// SFile holds a file exclusively: a second open fails in this process and in another.
#include "files/SFile.h"

#include "support/ChildProcess.h"
#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using testsupport::FileFailure;

namespace {

// Exit codes of a child that tries to open a file.
constexpr int kChildOpened = 10;
constexpr int kChildRefused = 11;
constexpr int kChildOther = 12;

// What a child does: try to open the file, and report how that went.
int TryOpen(const std::string & inPath, SFile::EPermission inPermission, SFile & outFile) {
  try {
    outFile = SFile{SFileSpec(inPath)};
    outFile.Open(inPermission);
    return kChildOpened;
  } catch (const SFileException & e) {
    return e.Message() == "A file could not be opened" ? kChildRefused : kChildOther;
  } catch (...) {
    return kChildOther;
  }
}

#ifdef _WIN32

// The child is testsupport's file holder (ChildProcess.h), defined below.
int TryOpenInChild(const std::string & inPath, SFile::EPermission inPermission) {
  return testsupport::WaitForChildTest(testsupport::StartFileHolder(inPath, inPermission));
}

#else

// Runs a child that tries to open inPath and reports through its exit code. The child
// leaves at once with _exit, so no test machinery runs twice.
int TryOpenInChild(const std::string & inPath, SFile::EPermission inPermission) {
  const pid_t child = ::fork();
  if (child == 0) {
    SFile file{SFileSpec("")};
    ::_exit(TryOpen(inPath, inPermission, file));
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

#endif

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

#ifdef _WIN32

// The file holder of ChildProcess.h, for the tests above and others; it does nothing
// unless one of them started it.
TEST(SFileLockChild, DISABLED_OpensTheFileItIsGiven) {
  const char * path = std::getenv(testsupport::kHolderPath);
  const char * permission = std::getenv(testsupport::kHolderPermission);
  if (path == nullptr || permission == nullptr)
    GTEST_SKIP() << "runs only as a child process that other tests start";
  SFile file{SFileSpec("")};
  const int outcome = TryOpen(path, static_cast<SFile::EPermission>(std::atoi(permission)), file);
  const auto handle = [](const char * inName) {
    const char * value = std::getenv(inName);
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value ? std::strtoull(value, nullptr, 10) : 0));
  };
  if (const HANDLE ready = handle(testsupport::kHolderReady)) {
    const char signal = outcome == kChildOpened ? 'y' : 'n';
    DWORD count = 0;
    ::WriteFile(ready, &signal, 1, &count, nullptr);
    char ignored;
    ::ReadFile(handle(testsupport::kHolderRelease), &ignored, 1, &count, nullptr); // hold until released
    file.Close();
    ::ExitProcess(0);
  }
  file.Close();
  ::ExitProcess(static_cast<UINT>(outcome));
}

#endif
