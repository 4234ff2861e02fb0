// SFile: creating, opening, lengths, positions, reading and writing, and every failure.
#include "files/SFile.h"
#include "files/SFileException.h"
#include "files/SSystemCalls.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <type_traits>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using testsupport::FileFailure;
using namespace testsupport; // the error names kError...

namespace {

const char kNoFailure[] = "<no failure>";

std::string ReadAll(SFile & ioFile) {
  std::string text(ioFile.Length(), '\0');
  ioFile.SetPosition(0);
  if (!text.empty())
    text.resize(ioFile.Read(text.data(), text.size()));
  return text;
}

} // namespace

TEST(SFileException, IsARuntimeErrorWithItsMessage) {
  static_assert(std::is_base_of_v<std::runtime_error, SFileException>);
  EXPECT_STREQ(SFileException("A file could not be opened").what(), "A file could not be opened");
  EXPECT_STREQ(SFileException(std::string("x y")).what(), "x y");
}

TEST(SFileInfo, KeepsFourCharacters) {
  EXPECT_EQ(SFileInfo(".txt").Extension(), ".txt");
  EXPECT_EQ(SFileInfo("ab").Extension(), "ab  ");
  EXPECT_EQ(SFileInfo("TEXTfile").Extension(), "TEXT");
  EXPECT_EQ(SFileInfo().Extension(), "    ");
}

TEST(SFile, CreatesAnEmptyFileOnlyWhereNothingExists) {
  testsupport::TempDir dir;
  const SFileSpec fileSpec(dir.file("new.txt").c_str());
  SFile file(fileSpec);
  EXPECT_EQ(file.GetFileSpec(), fileSpec);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.PickTarget());
  EXPECT_FALSE(file.ExistsOnDisk());
  EXPECT_FALSE(SFile::ExistsOnDisk(fileSpec));

  file.Create(SFileInfo(".txt"));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(file.ExistsOnDisk());
  EXPECT_EQ(file.Length(), 0u);

  testsupport::WriteFileBytes(fileSpec, "keep me");
  EXPECT_EQ(FileFailure([&] { file.Create(SFileInfo(".txt")); }), "A File could not be created");
  EXPECT_EQ(testsupport::ReadFileBytes(fileSpec), "keep me");

  // Nor over a folder, nor in a folder that does not exist.
  SFile folder(SFileSpec(dir.path().string()));
  EXPECT_EQ(FileFailure([&] { folder.Create(SFileInfo()); }), "A File could not be created");
  SFile nowhere(SFileSpec(dir.file("missing/new.txt")));
  EXPECT_EQ(FileFailure([&] { nowhere.Create(SFileInfo()); }), "A File could not be created");
  SFile unnamed(SFileSpec(""));
  EXPECT_EQ(FileFailure([&] { unnamed.Create(SFileInfo()); }), "A File could not be created");
}

TEST(SFile, ReportsAFailedCloseAfterCreating) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  SFile file(SFileSpec(dir.file("new.txt")));
  SSystemCalls::FailNth(SSystemCalls::eClose, 1, kErrorIo);
  EXPECT_EQ(FileFailure([&] { file.Create(SFileInfo()); }), "A newly created file could not be closed");
  EXPECT_TRUE(file.ExistsOnDisk());
  // The file is not left held.
  EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), kNoFailure);
}

TEST(SFile, ExistsOnDiskFindsFilesAndFolders) {
  testsupport::TempDir dir;
  EXPECT_TRUE(SFile::ExistsOnDisk(SFileSpec(dir.path().string())));
  EXPECT_FALSE(SFile::ExistsOnDisk(SFileSpec(dir.file("nothing"))));
  EXPECT_FALSE(SFile::ExistsOnDisk(SFileSpec("")));
  testsupport::WriteFileBytes(dir.file("f"), "");
  EXPECT_TRUE(SFile::ExistsOnDisk(SFileSpec(dir.file("f"))));

  // Wildcards name no file, though a directory search would take them as a pattern.
  for (const char * pattern : {"*", "?", "f*", "*.*"}) {
    EXPECT_FALSE(SFile::ExistsOnDisk(SFileSpec(dir.file(pattern)))) << pattern;
    EXPECT_EQ(FileFailure([&] { (void)SFile(SFileSpec(dir.file(pattern))).Length(); }),
              "The length of a file could not be read")
        << pattern;
  }
#ifdef _WIN32
  // A long path begins with "\\?\", which is no wildcard.
  EXPECT_TRUE(SFile::ExistsOnDisk(SFileSpec("\\\\?\\" + dir.file("f"))));
#endif
}

TEST(SFile, OpenFailsForMissingPathsFoldersAndSpecialFiles) {
  testsupport::TempDir dir;
  SFile missing(SFileSpec(dir.file("missing.txt")));
  for (SFile::EPermission permission : {SFile::eRead, SFile::eWrite, SFile::eReadWrite}) {
    EXPECT_EQ(FileFailure([&] { missing.Open(permission); }), "A file could not be opened");
    EXPECT_FALSE(missing.IsOpen());
  }
  EXPECT_FALSE(missing.ExistsOnDisk()); // opening never creates
  // The failed open left the invalid handle behind: reading and writing fail through the
  // system calls themselves.
  char byte = 0;
  EXPECT_EQ(FileFailure([&] { missing.Read(&byte, 1); }), "The contents of a file could not be read");
  EXPECT_EQ(FileFailure([&] { missing.Read(&byte, 0); }), "The contents of a file could not be read");
  EXPECT_EQ(FileFailure([&] { missing.Write("x", 1); }), "The contents of a file could not be Written");
  EXPECT_EQ(FileFailure([&] { missing.SetPosition(0); }),
            "The position in a file could not be set because the file was not open");

  SFile folder(SFileSpec(dir.path().string()));
  for (SFile::EPermission permission : {SFile::eRead, SFile::eWrite, SFile::eReadWrite}) {
    EXPECT_EQ(FileFailure([&] { folder.Open(permission); }), "A file could not be opened");
    EXPECT_FALSE(folder.IsOpen());
  }

#ifdef _WIN32
  // A named pipe would wait for its server to answer a read.
  const std::string pipeName = "\\\\.\\pipe\\" + dir.path().filename().string();
  const HANDLE server = ::CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 4, 64, 64, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  SFile pipe{SFileSpec(pipeName)};
  EXPECT_EQ(FileFailure([&] { pipe.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_FALSE(pipe.IsOpen());
  ::CloseHandle(server);

  // Device names open devices, not files.
  SFile device(SFileSpec("NUL"));
  EXPECT_EQ(FileFailure([&] { device.Open(SFile::eReadWrite); }), "A file could not be opened");
  EXPECT_FALSE(device.IsOpen());
#else
  // A FIFO would block an ordinary open until someone writes to it.
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  SFile pipe{SFileSpec(fifo)};
  EXPECT_EQ(FileFailure([&] { pipe.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_FALSE(pipe.IsOpen());

  SFile device(SFileSpec("/dev/null"));
  EXPECT_EQ(FileFailure([&] { device.Open(SFile::eReadWrite); }), "A file could not be opened");
#endif
}

TEST(SFile, OpenFailsWithoutPermission) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("locked.txt");
  testsupport::WriteFileBytes(path, "secret");
  SFile file{SFileSpec(path)};
#ifdef _WIN32
  // The real thing: a read-only file can be read but not written. (Windows has no
  // permission bits that would keep even the owner from reading.) Wine run by root lets
  // root write it, as root may on POSIX.
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  const HANDLE probe =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), "A file could not be opened");
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eWrite); }), "A file could not be opened");
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eRead); }), kNoFailure);
    file.Close();
  } else {
    ::CloseHandle(probe);
  }
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  if (::geteuid() != 0) {
    // The real thing, where permission bits apply.
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eRead); }), "A file could not be opened");
    ASSERT_EQ(::chmod(path.c_str(), 0400), 0);
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), "A file could not be opened");
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eRead); }), kNoFailure);
    file.Close();
  }
#endif
  SSystemCalls::FailNth(SSystemCalls::eOpen, 1, kErrorAccess);
  EXPECT_EQ(FileFailure([&] { file.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_FALSE(file.IsOpen());
}

TEST(SFile, OpenFailsWhenAnyStepAfterTheOpenFailsAndLeavesNothingHeld) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abc");
  SFile file{SFileSpec(path)};
#ifdef _WIN32
  // After the open only the kind of file is asked (GetFileType).
  for (SSystemCalls::EOperation step : {SSystemCalls::eFstat}) {
#else
  for (SSystemCalls::EOperation step : {SSystemCalls::eFstat, SSystemCalls::eFcntl, SSystemCalls::eFlock}) {
#endif
    SSystemCalls::FailNth(step, 1, kErrorIo);
    EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), "A file could not be opened") << step;
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(SSystemCalls::PendingFaults(), 0u) << step;
    SFile other{SFileSpec(path)};
    EXPECT_EQ(FileFailure([&] { other.Open(SFile::eReadWrite); }), kNoFailure) << step;
  }
}

TEST(SFile, OpensWithTheAskedAccess) {
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abc");
  char buffer[4];
  {
    SFile file{SFileSpec(path)};
    file.Open(SFile::eRead);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Read(buffer, 4), 3u);
    EXPECT_EQ(FileFailure([&] { file.Write("x", 1); }), "The contents of a file could not be Written");
    EXPECT_EQ(FileFailure([&] { file.SetLength(1); }), "The length of a file could not be set");
  }
  {
    SFile file{SFileSpec(path)};
    file.Open(SFile::eWrite);
    EXPECT_EQ(FileFailure([&] { file.Read(buffer, 1); }), "The contents of a file could not be read");
    EXPECT_EQ(file.Write("xy", 2), 2u);
  }
  EXPECT_EQ(testsupport::ReadFileBytes(path), "xyc");
  {
    SFile file{SFileSpec(path)};
    file.Open(SFile::eReadWrite);
    EXPECT_EQ(file.Read(buffer, 1), 1u);
    EXPECT_EQ(file.Write("Z", 1), 1u);
    EXPECT_EQ(ReadAll(file), "xZc");
  }
}

TEST(SFile, AnUnknownPermissionStillHoldsTheFileButCannotWrite) {
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abc");
  SFile file{SFileSpec(path)};
  file.Open(static_cast<SFile::EPermission>(7));
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Length(), 3u);
  EXPECT_EQ(FileFailure([&] { file.Write("x", 1); }), "The contents of a file could not be Written");
  SFile rival{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { rival.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_EQ(testsupport::ReadFileBytes(path), "abc");
}

TEST(SFile, CloseForgetsTheHandleEvenWhenClosingFails) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abc");
  SFile file{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { file.Close(); }), kNoFailure); // not open: nothing
  file.Open(SFile::eReadWrite);
  SSystemCalls::FailNth(SSystemCalls::eClose, 1, kErrorIo);
  EXPECT_EQ(FileFailure([&] { file.Close(); }), "A file could not be closed");
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(FileFailure([&] { file.Close(); }), kNoFailure);

  // An interrupted close has released the file all the same: no failure, no retry.
  file.Open(SFile::eReadWrite);
  testsupport::InterruptNth(SSystemCalls::eClose, 1);
  EXPECT_EQ(FileFailure([&] { file.Close(); }), kNoFailure);
  EXPECT_FALSE(file.IsOpen());
  file.Open(SFile::eReadWrite);
  EXPECT_TRUE(file.IsOpen());
}

TEST(SFile, LengthOfOpenAndClosedFiles) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "12345");
  SFile file{SFileSpec(path)};
  EXPECT_EQ(file.Length(), 5u);
  SFile missing{SFileSpec(dir.file("missing"))};
  EXPECT_EQ(FileFailure([&] { (void)missing.Length(); }), "The length of a file could not be read");
  SFile folder{SFileSpec(dir.path().string())};
  EXPECT_EQ(FileFailure([&] { (void)folder.Length(); }), "The length of a file could not be read");

  file.Open(SFile::eReadWrite);
  EXPECT_EQ(file.Length(), 5u);
  file.SetPosition(5);
  file.Write("678", 3);
  EXPECT_EQ(file.Length(), 8u);
  SSystemCalls::FailNth(SSystemCalls::eFstat, 1, kErrorIo);
  EXPECT_EQ(FileFailure([&] { (void)file.Length(); }), "The length of a file could not be read");
  file.Close();
  SSystemCalls::FailNth(SSystemCalls::eStat, 1, kErrorIo);
  EXPECT_EQ(FileFailure([&] { (void)file.Length(); }), "The length of a file could not be read");
  EXPECT_EQ(file.Length(), 8u);
}

TEST(SFile, SetLengthTruncatesAndExtendsAndLeavesThePositionAtTheEnd) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "0123456789");
  SFile file{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { file.SetLength(3); }),
            "The length of a file could not be set because the file was not open");
  EXPECT_EQ(testsupport::ReadFileBytes(path), "0123456789");

  file.Open(SFile::eReadWrite);
  file.SetPosition(7);
  file.SetLength(0);
  EXPECT_EQ(file.Length(), 0u);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "");
  file.Write("ab", 2); // lands at position 0
  EXPECT_EQ(testsupport::ReadFileBytes(path), "ab");

  file.SetLength(5); // extends with zero bytes; the position is at the new end
  file.Write("!", 1);
  EXPECT_EQ(testsupport::ReadFileBytes(path), std::string("ab\0\0\0!", 6));

  file.SetLength(1);
  file.Write("c", 1);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "ac");

  SSystemCalls::FailNth(SSystemCalls::eFtruncate, 1, kErrorTooBig);
  EXPECT_EQ(FileFailure([&] { file.SetLength(100); }), "The length of a file could not be set");
  EXPECT_EQ(file.Length(), 2u);
  testsupport::InterruptNth(SSystemCalls::eFtruncate, 1); // retried
  file.SetLength(1);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "a");
  SSystemCalls::FailNth(SSystemCalls::eLseek, 1, kErrorInvalid);
  EXPECT_EQ(FileFailure([&] { file.SetLength(1); }), "The length of a file could not be set");
}

TEST(SFile, SetLengthKeepsSizesBeyondFourGigabytes) {
  if (sizeof(unsigned long) < 8)
    GTEST_SKIP() << "unsigned long has 32 bits here";
  testsupport::TempDir dir;
  SFile file{SFileSpec(dir.file("big.txt"))};
  file.Create(SFileInfo());
  file.Open(SFile::eReadWrite);
  const unsigned long big = (5ul << 30) + 7; // sparse: takes no room on the disk
  file.SetLength(big);
  EXPECT_EQ(file.Length(), big);
  file.Write("x", 1);
  EXPECT_EQ(file.Length(), big + 1);
  file.Close();
  EXPECT_EQ(file.Length(), big + 1);
  EXPECT_EQ(std::filesystem::file_size(dir.file("big.txt")), big + 1);
  file.Open(SFile::eReadWrite);
  file.SetLength(0);
}

TEST(SFile, SetPositionMovesWhereReadsAndWritesHappen) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abcdef");
  SFile file{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { file.SetPosition(0); }),
            "The position in a file could not be set because the file was not open");
  file.Open(SFile::eReadWrite);
  char buffer[3];
  file.SetPosition(4);
  EXPECT_EQ(file.Read(buffer, 3), 2u);
  EXPECT_EQ(std::string(buffer, 2), "ef");
  file.SetPosition(1);
  file.Write("XY", 2);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "aXYdef");
  SSystemCalls::FailNth(SSystemCalls::eLseek, 1, kErrorInvalid);
  EXPECT_EQ(FileFailure([&] { file.SetPosition(0); }), "The position in a file could not be set");
  if (sizeof(unsigned long) >= 8) { // beyond what the system's offsets can hold
    EXPECT_EQ(FileFailure([&] { file.SetPosition(~0ul); }), "The position in a file could not be set");
  }
}

TEST(SFile, ReadStopsOnlyAtTheEndAndReadingNothingThereFails) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "hello");
  SFile file{SFileSpec(path)};
  char buffer[16] = {};
  // Not open: the system call itself fails.
  EXPECT_EQ(FileFailure([&] { file.Read(buffer, 4); }), "The contents of a file could not be read");
  EXPECT_EQ(FileFailure([&] { file.Read(buffer, 0); }), "The contents of a file could not be read");

  file.Open(SFile::eRead);
  EXPECT_EQ(file.Read(buffer, 0), 0u);
  EXPECT_EQ(file.Read(buffer, 2), 2u);
  EXPECT_EQ(file.Read(buffer + 2, sizeof buffer - 2), 3u);
  EXPECT_EQ(std::string(buffer), "hello");
  EXPECT_EQ(FileFailure([&] { file.Read(buffer, 1); }), "The contents of a file could not be read");
  EXPECT_EQ(file.Read(buffer, 0), 0u); // at the end, asking for nothing is fine

  file.SetPosition(0);
  SSystemCalls::FailNth(SSystemCalls::eRead, 1, kErrorIo);
  EXPECT_EQ(FileFailure([&] { file.Read(buffer, 5); }), "The contents of a file could not be read");
  // A failure after some bytes arrived is still a failure.
  file.SetPosition(0);
  SSystemCalls::ShortNth(SSystemCalls::eRead, 1, 2);
  SSystemCalls::FailNth(SSystemCalls::eRead, 2, kErrorIo);
  EXPECT_EQ(FileFailure([&] { file.Read(buffer, 5); }), "The contents of a file could not be read");
}

TEST(SFile, ReadGathersShortAndInterruptedTransfers) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "0123456789");
  SFile file{SFileSpec(path)};
  file.Open(SFile::eRead);
  testsupport::ArmTransfers(SSystemCalls::eRead, {3, kInterrupted, 1, kInterrupted});
  std::string buffer(10, '-');
  EXPECT_EQ(file.Read(buffer.data(), 10), 10u);
  EXPECT_EQ(buffer, "0123456789");
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
}

TEST(SFile, WriteGathersShortAndInterruptedTransfers) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  SFile file{SFileSpec(path)};
  file.Create(SFileInfo());
  file.Open(SFile::eReadWrite);
  testsupport::ArmTransfers(SSystemCalls::eWrite, {kInterrupted, 4, 1, kInterrupted});
  EXPECT_EQ(file.Write("abcdefghij", 10), 10u);
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "abcdefghij");
  EXPECT_EQ(file.Write("", 0), 0u);
}

TEST(SFile, WriteThatCannotWriteEverythingFails) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  SFile file{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { file.Write("abc", 3); }), "The contents of a file could not be Written");
  file.Create(SFileInfo());
  file.Open(SFile::eReadWrite);

  SSystemCalls::FailNth(SSystemCalls::eWrite, 1, kErrorNoSpace);
  EXPECT_EQ(FileFailure([&] { file.Write("abc", 3); }), "The contents of a file could not be Written");
  // The disk fills up part way: some bytes went, the rest cannot.
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 1, 2);
  SSystemCalls::FailNth(SSystemCalls::eWrite, 2, kErrorNoSpace);
  EXPECT_EQ(FileFailure([&] { file.Write("abcdef", 6); }), "The contents of a file could not be Written");
  // A write that moves nothing and reports no error.
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 1, 1);
  SSystemCalls::ShortNth(SSystemCalls::eWrite, 2, 0);
  EXPECT_EQ(FileFailure([&] { file.Write("xyz", 3); }), "The contents of a file could not be Written");
  EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
}

TEST(SFile, RandomTransfersArriveWhole) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  std::mt19937 random(20240611);
  for (int round = 0; round < 40; ++round) {
    const std::string path = dir.file("r" + std::to_string(round));
    std::string data(std::uniform_int_distribution<std::size_t>(1, 70000)(random), '\0');
    for (char & c : data)
      c = static_cast<char>(random());
    // Up to 30 calls each way are cut short or interrupted.
    for (SSystemCalls::EOperation op : {SSystemCalls::eWrite, SSystemCalls::eRead})
      for (unsigned call = 1; call <= 30; ++call)
        switch (random() % 3) {
        case 0: SSystemCalls::ShortNth(op, call, 1 + random() % 5000); break;
        case 1: testsupport::InterruptNth(op, call); break;
        default: break;
        }
    SFile file{SFileSpec(path)};
    file.Create(SFileInfo());
    file.Open(SFile::eReadWrite);
    ASSERT_EQ(file.Write(data.data(), data.size()), data.size());
    ASSERT_EQ(file.Length(), data.size());
    file.SetPosition(0);
    std::string back(data.size() + 10, '\0');
    ASSERT_EQ(file.Read(back.data(), back.size()), data.size());
    back.resize(data.size());
    ASSERT_EQ(back, data) << "round " << round;
    SSystemCalls::Reset();
  }
}

TEST(SFile, DestructorAndMoveHandOverTheHeldFile) {
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abc");
  {
    SFile first{SFileSpec(path)};
    first.Open(SFile::eReadWrite);
    SFile moved(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    EXPECT_EQ(moved.GetFileSpec(), path);
    EXPECT_EQ(moved.Length(), 3u);
    SFile other{SFileSpec(dir.file("other"))};
    other = std::move(moved);
    EXPECT_TRUE(other.IsOpen());
    EXPECT_EQ(other.GetFileSpec(), path);
    SFile rival{SFileSpec(path)};
    EXPECT_EQ(FileFailure([&] { rival.Open(SFile::eRead); }), "A file could not be opened");
  }
  // Every copy is gone, and the file with them.
  SFile again{SFileSpec(path)};
  EXPECT_EQ(FileFailure([&] { again.Open(SFile::eReadWrite); }), kNoFailure);
}

TEST(SFile, ReopeningAnOpenFileLetsGoOfTheFirstHandle) {
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "abc");
  SFile file{SFileSpec(path)};
  file.Open(SFile::eRead);
  // Were the first descriptor kept, its lock would make this second open fail.
  EXPECT_EQ(FileFailure([&] { file.Open(SFile::eReadWrite); }), kNoFailure);
  EXPECT_EQ(file.Write("X", 1), 1u);
  file.Close();
  EXPECT_EQ(testsupport::ReadFileBytes(path), "Xbc");
}
