// The time sheet file through a document: byte-exact round trips in all three line-break
// forms and across date orders, odd and huge input, files that cannot be had, and
// writing that replaces the file whole or not at all.
#include "core/DateTestHelpers.h"
#include "core/tasks/DocumentTestHelpers.h"
#include "files/SSystemCalls.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using doctest::CanOpen;
using doctest::FileStream;
using doctest::NamesIn;
using doctest::TestDocument;
using F = SDateFormat;
using L = SLineBreakFormat;
using testsupport::FileFailure;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

const char kOpenFailed[] = "A file could not be opened";
const char kReadFailed[] = "The contents of a file could not be read";
const char kWriteFailed[] = "The contents of a file could not be Written";
const char kCreateFailed[] = "A File could not be created";

// Valid entries with full month-first dates: every duration form, tabs in descriptions,
// bytes beyond ASCII, empty fields.
std::vector<std::string> SampleLines(std::size_t inCount, unsigned inSeed = 7) {
  std::mt19937 random(inSeed);
  const char * const durations[] = {"1:30:00", "0:15", "2.5", "8", "0:00:01", ""};
  const char * const descriptions[] = {"Design review", "Site visit\twith a tab", "caf\xc3\xa9 \xe2\x82\xac",
                                       "", "\x80\xff raw bytes", "memo  two spaces "};
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < inCount; ++i) {
    char date[16];
    const unsigned month = 1 + random() % 12, day = 1 + random() % 28, year = 1971 + random() % 60;
    std::snprintf(date, sizeof date, "%02u/%02u/%04u", month, day, year);
    lines.push_back(std::string(date) + "\t" + durations[random() % 6] + "\t" + (random() % 2 ? "JD" : "mk") +
                    "\t" + std::to_string(1000 + random() % 50) + "\t" + "ABC"[random() % 3] + "\t" +
                    descriptions[random() % 6]);
  }
  return lines;
}

std::string Join(const std::vector<std::string> & inLines, const std::string & inBreak) {
  std::string bytes;
  for (const std::string & line : inLines)
    bytes += line + inBreak;
  return bytes;
}

// A document on inPath, in date order inOrder, loaded.
std::unique_ptr<TestDocument> Loaded(const std::string & inPath, F inOrder = F::eMDY, F inFileOrder = F::eMDY) {
  auto document = std::make_unique<TestDocument>();
  document->Data().SetDateFormat(inOrder);
  document->SetStream(FileStream(inPath, inFileOrder));
  document->Load();
  return document;
}

// After a failed load the document is clean and broadcasting again.
void ExpectCleanAndBroadcasting(const STaskDocument & inDocument) {
  EXPECT_FALSE(inDocument.IsDirty());
  EXPECT_TRUE(inDocument.IsBroadcasting());
}

void Append(STaskDocument & ioDocument, const std::string & inLine) {
  STaskDocumentData(ioDocument).GetData().push_back(
      STask(ioDocument.GetDateFormat(), inLine.data(), static_cast<unsigned>(inLine.size())));
}

} // namespace

TEST(STaskFileStream, UnchangedFilesAreWrittenBackByteForByteInEachLineBreak) {
  testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::TempDir dir;
  const std::vector<std::string> lines = SampleLines(500);
  for (const auto & [lineBreak, format] : {std::pair<std::string, L::EFormat>{"\r\n", L::eDOS},
                                            {"\n", L::eUNIX},
                                            {"\r", L::eMac}}) {
    for (F order : {F::eMDY, F::eDMY, F::eYMD}) {
      const std::string path = dir.file("sheet.txt");
      const std::string bytes = Join(lines, lineBreak);
      WriteFileBytes(path, bytes);
      auto document = Loaded(path, order);
      ASSERT_EQ(document->GetData().size(), lines.size());
      EXPECT_EQ(document->GetLineBreakFormat().GetFormat(), format);
      if (order != F::eMDY) { // in memory the dates are in the document's order
        EXPECT_EQ(document->GetData()[0].GetDateFormat(), order);
        EXPECT_NE(std::string(document->GetData()[0]).substr(0, 10), lines[0].substr(0, 10));
      }
      document->SetDirty();
      document->Save();
      EXPECT_FALSE(document->IsDirty());
      EXPECT_EQ(ReadFileBytes(path), bytes) << lineBreak.size() << " " << order.GetFormat();
      EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"sheet.txt"});
    }
  }
}

TEST(STaskFileStream, OddInputLoadsAsLinesAndSavesBack) {
  testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::TempDir dir;
  const std::string path = dir.file("odd.txt");
  // Every byte value inside lines, NUL included.
  std::string all = "12/25/2012\t1:00\tJD\t1\tA\t";
  for (int c = 0; c < 256; ++c)
    if (c != '\r' && c != '\n')
      all.push_back(static_cast<char>(c));
  const struct {
    const char * mName;
    std::string mBytes;
    std::size_t mCount;
    L::EFormat mFormat; // the document's before and after loading
    std::string mSaved;
  } cases[] = {
      {"every byte", all + "\r\n" + all + "\r\n", 2, L::eDOS, all + "\r\n" + all + "\r\n"},
      // No line break at all: the document keeps its format, the break is added on saving.
      {"no break", "12/25/2012\t1:00\tJD\t1\tA\tno break", 1, L::eUNIX, "12/25/2012\t1:00\tJD\t1\tA\tno break\n"},
      // Nothing but line breaks: one task dated today per break.
      {"only breaks", "\r\n\r\n\r\n\r\n", 4, L::eDOS, ""},
  };
  for (const auto & c : cases) {
    SCOPED_TRACE(c.mName);
    WriteFileBytes(path, c.mBytes);
    TestDocument document;
    document.Data().SetDateFormat(F::eMDY);
    document.Data().SetLineBreakFormat(c.mFormat);
    document.SetStream(FileStream(path));
    document.Load();
    ASSERT_EQ(document.GetData().size(), c.mCount);
    EXPECT_EQ(document.GetLineBreakFormat().GetFormat(), c.mFormat);
    EXPECT_TRUE(c.mCount != 2 || document.GetData()[1] == all);
    if (c.mSaved.empty() && c.mCount > 0) {
      EXPECT_EQ(datetest::Local(document.GetData()[3].GetDate()), datetest::Today());
      EXPECT_EQ(static_cast<unsigned long>(document.GetData().GetDuration()), 0u);
      continue;
    }
    document.Save();
    EXPECT_EQ(ReadFileBytes(path), c.mSaved);
  }
}

TEST(STaskFileStream, FilesThatCannotBeHadFailWithTheirMessages) {
  testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;

  // A missing file is created empty (as a time sheet) and held.
  const std::string missing = dir.file("new.txt");
  auto document = Loaded(missing);
  EXPECT_EQ(document->GetData().size(), 0u);
  EXPECT_TRUE(std::filesystem::is_regular_file(missing));
  EXPECT_EQ(std::filesystem::file_size(missing), 0u);
  EXPECT_FALSE(CanOpen(missing));
  document.reset();
  EXPECT_TRUE(CanOpen(missing));

  // No permission to read or write (refused by the system, as for a user who lacks it).
  const std::string locked = dir.file("locked.txt");
  WriteFileBytes(locked, "12/25/2012\t1:00\n");
  for (int error : {EACCES, EPERM, EROFS}) {
    TestDocument refused;
    refused.SetStream(FileStream(locked));
    SSystemCalls::FailNth(SSystemCalls::eOpen, 1, error);
    EXPECT_EQ(FileFailure([&] { refused.Load(); }), kOpenFailed);
    ExpectCleanAndBroadcasting(refused);
    EXPECT_TRUE(CanOpen(locked));
  }

  // A read that fails, or yields nothing from a file that is not empty.
  for (bool shortRead : {false, true}) {
    TestDocument failing;
    failing.SetStream(FileStream(dir.file("readfail.txt")));
    WriteFileBytes(dir.file("readfail.txt"), "12/25/2012\t1:00\n");
    if (shortRead)
      SSystemCalls::ShortNth(SSystemCalls::eRead, 1, 0);
    else
      SSystemCalls::FailNth(SSystemCalls::eRead, 1, EIO);
    EXPECT_EQ(FileFailure([&] { failing.Load(); }), kReadFailed);
    ExpectCleanAndBroadcasting(failing);
    EXPECT_EQ(failing.GetData().size(), 0u);
  }
}

// Saving replaces the file only once the new contents are complete and on the disk.
TEST(STaskFileStream, AFailedSaveLeavesTheFileAsItWas) {
  testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::ScopedSystemCallFaults faults;
  testsupport::TempDir dir;
  const std::string path = dir.file("sheet.txt");
  // Big enough for several write blocks.
  const std::string original = Join(SampleLines(90000, 11), "\r\n");
  ASSERT_GT(original.size(), std::size_t(3) << 20);
  WriteFileBytes(path, original);
  ::chmod(path.c_str(), 0640);

  struct Fault {
    const char * name;
    std::function<void()> arm;
  };
  using S = SSystemCalls;
  const std::vector<Fault> faultsToTry = {
      {"disk full on the first write", [] { S::FailNth(S::eWrite, 1, ENOSPC); }},
      {"disk full on the third write", [] { S::FailNth(S::eWrite, 3, ENOSPC); }},
      {"no progress on the second write", [] { S::ShortNth(S::eWrite, 2, 0); }},
      {"fsync fails", [] { S::FailNth(S::eFsync, 1, EIO); }},
      {"rename fails", [] { S::FailNth(S::eRename, 1, EXDEV); }},
#ifndef _WIN32 // no permissions to copy on Windows
      {"fchmod fails", [] { S::FailNth(S::eFchmod, 1, EPERM); }},
#endif
      {"sizing fails", [] { S::FailNth(S::eFtruncate, 1, EFBIG); }},
      {"temporary cannot be created", [] { S::FailNth(S::eOpen, 1, EACCES); }},
      {"seek fails", [] { S::FailNth(S::eLseek, 2, EIO); }},
  };
  auto document = Loaded(path);
  Append(*document, "12/31/2012\t9:00\tZZ\t9\tZ\tadded");
  ASSERT_TRUE(document->IsDirty());
  for (const Fault & fault : faultsToTry) {
    fault.arm();
    const std::string message = FileFailure([&] { document->Save(); });
    EXPECT_NE(message, "<no failure>") << fault.name;
    EXPECT_TRUE(message == kWriteFailed || message == kCreateFailed ||
                message == "The length of a file could not be set" ||
                message == "The position in a file could not be set")
        << fault.name << ": " << message;
    EXPECT_EQ(S::PendingFaults(), 0u) << fault.name << ": the fault did not happen";
    S::Reset();
    EXPECT_TRUE(ReadFileBytes(path) == original) << fault.name;
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"sheet.txt"}) << fault.name;
    EXPECT_FALSE(CanOpen(path)) << fault.name << ": the document must still hold its file";
    EXPECT_TRUE(document->IsDirty()) << fault.name;
    EXPECT_EQ(document->GetData().size(), 90001u);
  }

  // The next save goes through, keeps the permissions and the hold.
  document->Save();
  EXPECT_FALSE(document->IsDirty());
  EXPECT_TRUE(ReadFileBytes(path) == original + "12/31/2012\t9:00\tZZ\t9\tZ\tadded\r\n");
#ifndef _WIN32 // no permission bits on Windows
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
#endif
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"sheet.txt"});
  EXPECT_FALSE(CanOpen(path));
  // The file now held is the new one: loading again reads the new contents.
  document->Load();
  EXPECT_EQ(document->GetData().size(), 90001u);

#ifdef _WIN32
  // The move is made durable by the move itself (MOVEFILE_WRITE_THROUGH): there is no
  // later step that could fail.
#else
  // The folder cannot be made durable after the rename: the new file is in place and
  // held, but the save reports the failure and the document stays dirty.
  Append(*document, "01/01/2013\t1:00\tZZ\t9\tZ\tmore");
  S::FailNth(S::eFsync, 2, EIO);
  EXPECT_EQ(FileFailure([&] { document->Save(); }), kWriteFailed);
  S::Reset();
  EXPECT_TRUE(document->IsDirty());
  EXPECT_TRUE(ReadFileBytes(path) ==
              original + "12/31/2012\t9:00\tZZ\t9\tZ\tadded\r\n01/01/2013\t1:00\tZZ\t9\tZ\tmore\r\n");
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"sheet.txt"});
  EXPECT_FALSE(CanOpen(path));
#endif
  document.reset();
  EXPECT_TRUE(CanOpen(path));
}
