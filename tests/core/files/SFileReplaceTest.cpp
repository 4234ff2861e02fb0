// The building blocks for replacing a file safely: resolving links, a temporary file
// beside the original, syncing, permissions, renaming over, removing, adopting.
#include "files/SFile.h"
#include "files/SSystemCalls.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using testsupport::FileFailure;
using namespace testsupport; // the error names kError...

namespace {

#ifndef _WIN32
mode_t PermissionsOf(const std::string & inPath) {
  struct stat info;
  return ::stat(inPath.c_str(), &info) == 0 ? info.st_mode & 07777 : mode_t(-1);
}
#endif

std::filesystem::path PathOf(const SFile & inFile) {
  return std::filesystem::path(static_cast<const std::string &>(inFile.GetFileSpec()));
}

std::ptrdiff_t FilesIn(const std::filesystem::path & inFolder) {
  return std::distance(std::filesystem::directory_iterator(inFolder), {});
}

} // namespace

TEST(SFileReplace, CreateTemporaryMakesAHeldPrivateFileBesideTheOriginal) {
  testsupport::TempDir dir;
  const std::string original = dir.file("sheet.txt");
  testsupport::WriteFileBytes(original, "old");
  std::set<std::string> names;
  for (int i = 0; i < 20; ++i) {
    SFile temporary = SFile::CreateTemporary(SFileSpec(original));
    EXPECT_TRUE(temporary.IsOpen());
    const std::filesystem::path path = PathOf(temporary);
    EXPECT_EQ(path.parent_path(), dir.path());
    EXPECT_TRUE(names.insert(path.filename().string()).second) << path;
#ifndef _WIN32 // no permission bits on Windows: nobody else can open it while it is held
    EXPECT_EQ(PermissionsOf(path.string()), 0600u);
#endif
    EXPECT_EQ(temporary.Length(), 0u);
    SFile rival{temporary.GetFileSpec()};
    EXPECT_EQ(FileFailure([&] { rival.Open(SFile::eRead); }), "A file could not be opened");
    EXPECT_EQ(temporary.Write("new", 3), 3u);
    temporary.SetPosition(0);
    char buffer[3];
    EXPECT_EQ(temporary.Read(buffer, 3), 3u);
    SFile::Remove(temporary.GetFileSpec());
  }
  EXPECT_EQ(FilesIn(dir.path()), 1);

  // A bare name puts it in the current folder; an over-long name still fits.
  const std::string longName(250, 'L');
  SFile beside = SFile::CreateTemporary(SFileSpec(dir.file(longName)));
  EXPECT_EQ(PathOf(beside).parent_path(), dir.path());
  SFile::Remove(beside.GetFileSpec());
}

TEST(SFileReplace, CreateTemporaryRetriesTakenNamesAndReportsOtherFailures) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string original = dir.file("sheet.txt");
  SSystemCalls::FailNth(SSystemCalls::eOpen, 1, kErrorExists);
  SSystemCalls::FailNth(SSystemCalls::eOpen, 2, kErrorExists);
  SFile temporary = SFile::CreateTemporary(SFileSpec(original));
  EXPECT_TRUE(temporary.IsOpen());
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
  SFile::Remove(temporary.GetFileSpec());
  temporary.Close(); // on Windows a file deleted while open goes only when it is closed

  SSystemCalls::FailNth(SSystemCalls::eOpen, 1, kErrorAccess);
  EXPECT_EQ(FileFailure([&] { (void)SFile::CreateTemporary(SFileSpec(original)); }),
            "A File could not be created");
  EXPECT_EQ(FileFailure([&] { (void)SFile::CreateTemporary(SFileSpec(dir.file("missing/sheet.txt"))); }),
            "A File could not be created");
#ifndef _WIN32 // Windows holds the file by the open itself, there is no second step
  // If it cannot be held, it is not left behind either.
  SSystemCalls::FailNth(SSystemCalls::eFlock, 1, ENOLCK);
  EXPECT_EQ(FileFailure([&] { (void)SFile::CreateTemporary(SFileSpec(original)); }),
            "A File could not be created");
#endif
  EXPECT_EQ(FilesIn(dir.path()), 0);
}

// The whole sequence a save goes through, in the order that works on every platform:
// the original is let go just before the temporary file moves over it.
TEST(SFileReplace, ReplacingAHeldFileThroughALinkKeepsTheLinkAndTheHold) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir.path() / "data");
  const std::string target = dir.file("data/sheet.txt");
  testsupport::WriteFileBytes(target, "old contents");
#ifdef _WIN32
  // No link (see ResolvedPathFollowsLinksToTheirFinalTarget): the file is opened by its name.
  const std::string link = target;
#else
  const std::string link = dir.file("sheet.txt");
  ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
  std::filesystem::create_symlink("data/sheet.txt", link);
#endif

  SFile file{SFileSpec(link)};
  file.Open(SFile::eReadWrite);

  const SFileSpec resolved(SFile::ResolvedPath(file.GetFileSpec()));
  SFile temporary = SFile::CreateTemporary(resolved);
  EXPECT_EQ(PathOf(temporary).parent_path(), dir.path() / "data");
  temporary.Write("new", 3);
  temporary.Sync();
  temporary.CopyPermissionsFrom(resolved);
#ifdef _WIN32
  // Windows will not move anything over a file that is held.
  EXPECT_EQ(FileFailure([&] { SFile::Rename(temporary.GetFileSpec(), resolved); }),
            "The contents of a file could not be Written");
  EXPECT_EQ(testsupport::ReadFileBytes(target), "old contents");
#endif
  file.Close();
  SFile::Rename(temporary.GetFileSpec(), resolved);
  file.Adopt(temporary);

  EXPECT_FALSE(temporary.IsOpen());
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.GetFileSpec(), link);
#ifndef _WIN32
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(PermissionsOf(target), 0604u);
#endif
  EXPECT_EQ(testsupport::ReadFileBytes(link), "new");
  EXPECT_EQ(FilesIn(dir.path() / "data"), 1);
  // The new file is the one held, and through this object.
  EXPECT_EQ(file.Length(), 3u);
  SFile rival{SFileSpec(target)};
  EXPECT_EQ(FileFailure([&] { rival.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_EQ(FileFailure([&] { rival.Open(SFile::eWrite); }), "A file could not be opened");
  file.SetLength(0);
  EXPECT_EQ(testsupport::ReadFileBytes(target), "");
  file.Close();
  EXPECT_EQ(FileFailure([&] { rival.Open(SFile::eRead); }), "<no failure>");
  EXPECT_EQ(rival.Length(), 0u);
}
