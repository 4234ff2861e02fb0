// Files shared between runs: a file replaced between its open and its hold, a file that
// another run creates or holds meanwhile, symbolic links to nothing, killed saves, reasons
// after failure messages, read-only inputs, owners kept.
#include "core/tasks/DocumentTestHelpers.h"
#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

const std::string kOld = "01/02/2013\t1:00:00\tAB\t1001\tA\told entry\n";
const std::string kNew = "01/03/2013\t2:00:00\tCD\t1002\tB\tthe other run's entry\n";

// The whole message, reason included, of the failure an action throws.
const auto WhatOf = [](auto && inAction) { return testsupport::FileFailure(inAction, true); };

// The task of inLine (which ends in a line feed); only the POSIX races use it.
[[maybe_unused]] STask TaskOf(const std::string & inLine) {
  return STask(SDateFormat(SDateFormat::eMDY), inLine.data(), static_cast<unsigned>(inLine.size() - 1));
}

TEST(SFileRace, FailuresSayWhy) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("sheet.txt");
  WriteFileBytes(path, kOld);
  struct Case {
    const char * mName;
    SSystemCalls::EOperation mOperation;
    int mError;
    std::string mExpected;
  };
  const Case cases[] = {
      {"no access", SSystemCalls::eOpen, testsupport::kErrorAccess, "A file could not be opened: permission denied"},
      {"held", SSystemCalls::eOpen, testsupport::kErrorBusy, "A file could not be opened: it is in use by another program"},
#ifdef _WIN32
      {"descriptors", SSystemCalls::eOpen, ERROR_TOO_MANY_OPEN_FILES, "A file could not be opened: too many open files"},
#else
      {"locked", SSystemCalls::eFlock, EWOULDBLOCK, "A file could not be opened: it is in use by another program"},
      {"descriptors", SSystemCalls::eOpen, EMFILE, "A file could not be opened: too many open files"},
#endif
      {"disk full", SSystemCalls::eWrite, testsupport::kErrorNoSpace,
       "The contents of a file could not be Written: no space left on the device"},
  };
  for (const Case & c : cases) {
    SCOPED_TRACE(c.mName);
    SFile file{SFileSpec(path)};
    SSystemCalls::FailNth(c.mOperation, 1, c.mError);
    EXPECT_EQ(WhatOf([&] {
                file.Open(SFile::eReadWrite);
                file.Write("x", 1);
              }),
              c.mExpected);
    SSystemCalls::Reset();
  }
  EXPECT_EQ(ReadFileBytes(path), kOld);
}

#ifndef _WIN32

// Renames a file with inBytes over inPath, as another run's save does.
void ReplaceBehindOurBack(const std::string & inPath, const std::string & inBytes) {
  WriteFileBytes(inPath + ".other", inBytes);
  std::filesystem::rename(inPath + ".other", inPath);
}

TEST(SFileRace, AFileReplacedBeforeItIsHeldIsOpenedAgain) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("sheet.txt");
  WriteFileBytes(path, kOld);
  // Another run renames its result over the path between our open and our lock.
  SSystemCalls::BeforeNth(SSystemCalls::eFlock, 1, [&] { ReplaceBehindOurBack(path, kNew); });
  doctest::TestDocument document;
  document.SetStream(doctest::FileStream(path));
  document.Load();
  ASSERT_EQ(document.GetData().size(), 1u);
  EXPECT_EQ(std::string(document.GetData()[0]), kNew.substr(0, kNew.size() - 1));
  document.Save();
  EXPECT_EQ(ReadFileBytes(path), kNew);

  // A path that is replaced again and again is given up on with a clear reason.
  document.Disconnect();
  for (unsigned n = 1; n <= 8; ++n)
    SSystemCalls::BeforeNth(SSystemCalls::eFlock, n, [&] { ReplaceBehindOurBack(path, kOld); });
  EXPECT_EQ(WhatOf([&] { document.Connect(); }),
            "A file could not be opened: another program kept replacing it");
}

TEST(SFileRace, ARefusedSaveRemovesOnlyAFileItMadeAndHolds) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("new.txt");
  // Another run creates the file after our check (our create fails), or holds the file we
  // just created before we do (our open fails): its file stays.
  for (const unsigned open : {1u, 2u}) {
    SCOPED_TRACE(open);
    std::filesystem::remove(path);
    SFile rival{SFileSpec(path)};
    SSystemCalls::BeforeNth(SSystemCalls::eOpen, open, [&] {
      WriteFileBytes(path, kNew);
      rival.Open(SFile::eReadWrite);
    });
    doctest::TestDocument document;
    EXPECT_NE(WhatOf([&] { document.SaveAs(SFileSpec(path)); }), "<no failure>");
    EXPECT_TRUE(rival.IsOpen());
    rival.Close();
    EXPECT_EQ(ReadFileBytes(path), kNew);
  }
  // A save that fails after creating and holding its new file takes it away again.
  std::filesystem::remove(path);
  SSystemCalls::FailNth(SSystemCalls::eFsync, 1, EIO);
  doctest::TestDocument document;
  EXPECT_EQ(WhatOf([&] { document.SaveAs(SFileSpec(path)); }),
            "The contents of a file could not be Written: input/output error");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SFileRace, SymbolicLinksToNothingAreWrittenWhereTheyPointAndNeverDeleted) {
  testsupport::TempDir dir;
  namespace fs = std::filesystem;
  fs::create_symlink("missing.txt", dir.path() / "dangling");
  fs::create_symlink("dangling", dir.path() / "chain");
  fs::create_symlink("loop-b", dir.path() / "loop-a");
  fs::create_symlink("loop-a", dir.path() / "loop-b");
  struct Case {
    const char * mName;
    std::string mFailure;
  };
  const Case cases[] = {{"dangling", "<no failure>"},
                        {"chain", "<no failure>"},
                        {"loop-a", "A File could not be created: its symbolic links loop"}};
  for (const Case & c : cases) {
    SCOPED_TRACE(c.mName);
    fs::remove(dir.path() / "missing.txt");
    doctest::TestDocument document;
    document.Data().GetData().push_back(TaskOf(kOld));
    document.Data().SetLineBreakFormat(SLineBreakFormat(SLineBreakFormat::eUNIX));
    EXPECT_EQ(WhatOf([&] { document.SaveAs(SFileSpec(dir.file(c.mName))); }), c.mFailure);
    EXPECT_TRUE(fs::is_symlink(dir.path() / c.mName));
    if (c.mFailure == "<no failure>") {
      EXPECT_EQ(ReadFileBytes(dir.file("missing.txt")), kOld);
    }
  }
  EXPECT_TRUE(fs::is_symlink(dir.path() / "loop-b"));
}

TEST(SFileRace, ASaveKilledBeforeItsRenameLeavesNoTemporary) {
  testsupport::TempDir dir;
  const std::string path = dir.file("sheet.txt");
  WriteFileBytes(path, kOld);
  const pid_t child = ::fork();
  if (child == 0) {
    doctest::TestDocument document;
    document.SetStream(doctest::FileStream(path));
    document.Load();
    document.Data().GetData().push_back(TaskOf(kNew));
    SSystemCalls::BeforeNth(SSystemCalls::eFsync, 1, [] { ::raise(SIGKILL); });
    document.Save();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(ReadFileBytes(path), kOld);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(SFileRace, InputsNeedOnlyReadAccess) {
  testsupport::TempDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  const std::string path = dir.file("sheet.txt");
  WriteFileBytes(path, kOld + kNew);
  ::chmod(path.c_str(), 0444);
  // As somebody who may only read the file (root may write anything).
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0)
      ::_exit(3);
    doctest::TestDocument readOnly;
    readOnly.Data().SetIsReadOnly(true);
    readOnly.SetStream(doctest::FileStream(path));
    auto merged = doctest::FileStream(path);
    merged->SetReadOnly(true);
    auto writable = doctest::FileStream(path);
    const bool read = WhatOf([&] { readOnly.Load(); readOnly.Merge(merged.get()); }) == "<no failure>";
    const bool refused = WhatOf([&] { writable->Reserve(); }) == "A file could not be opened: permission denied";
    ::_exit(read && readOnly.GetData().size() == 4 && refused ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(SFileRace, ASaveByRootKeepsTheOwnerAndGroup) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "only a privileged process can save another user's file as theirs";
  testsupport::TempDir dir;
  const std::string path = dir.file("sheet.txt");
  WriteFileBytes(path, kOld);
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  ::chmod(path.c_str(), 0640);
  doctest::TestDocument document;
  document.SetStream(doctest::FileStream(path));
  document.Load();
  document.Data().GetData().push_back(TaskOf(kNew));
  document.Save();
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFileBytes(path), kOld + kNew);
}

#endif

} // namespace
