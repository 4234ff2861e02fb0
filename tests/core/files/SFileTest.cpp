// SFile: creating, opening, lengths, positions, reading and writing, and every failure.
#include "files/SFile.h"
#include "files/SSystemCalls.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using testsupport::FileFailure;
using namespace testsupport; // the error names kError...

static const char kNoFailure[] = "<no failure>";

TEST(SFile, CreatesAnEmptyFileOnlyWhereNothingExists) {
  testsupport::TempDir dir;
  const SFileSpec fileSpec(dir.file("new.txt").c_str());
  SFile file(fileSpec);
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

  // Nor over a folder, nor in a folder that does not exist, nor without a name.
  for (const std::string & path : {dir.path().string(), dir.file("missing/new.txt"), std::string()}) {
    SFile other{SFileSpec(path)};
    EXPECT_EQ(FileFailure([&] { other.Create(SFileInfo()); }), "A File could not be created") << path;
  }
}

TEST(SFile, OpenFailsForMissingPathsFoldersAndSpecialFiles) {
  testsupport::TempDir dir;
  SFile missing(SFileSpec(dir.file("missing.txt"))), folder(SFileSpec(dir.path().string()));
  for (SFile * file : {&missing, &folder})
    for (SFile::EPermission permission : {SFile::eRead, SFile::eWrite, SFile::eReadWrite}) {
      EXPECT_EQ(FileFailure([&] { file->Open(permission); }), "A file could not be opened");
      EXPECT_FALSE(file->IsOpen());
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

#ifndef _WIN32 // a FIFO would block an ordinary open until someone writes to it
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  SFile pipe{SFileSpec(fifo)};
  EXPECT_EQ(FileFailure([&] { pipe.Open(SFile::eRead); }), "A file could not be opened");
  EXPECT_FALSE(pipe.IsOpen());

  SFile device(SFileSpec("/dev/null"));
  EXPECT_EQ(FileFailure([&] { device.Open(SFile::eReadWrite); }), "A file could not be opened");
#endif
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

TEST(SFile, ReadStopsOnlyAtTheEndAndReadingNothingThereFails) {
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("t.txt");
  testsupport::WriteFileBytes(path, "hello");
  SFile file{SFileSpec(path)};
  char buffer[16] = {};

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
