// The tool's classes in-process: the pieces of the output formats and the command line,
// and merges whose save or clearing fails through injected system-call faults.
#include "CCommandLine.h"
#include "CCsvWriter.h"
#include "CJsonWriter.h"
#include "CTallyTool.h"
#include "CTextWriter.h"
#include "CTsvWriter.h"
#include "CUsageError.h"
#include "cli/CliFixture.h"
#include "dates/SLocale.h"
#include "syntax/SWildcardString.h"
#include "support/SystemCallFaults.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace clitest {
namespace {

TEST(CliPiecesTest, KeysBecomeComparatorCodesInOrder) {
  using K = CCommandLine::Keys;
  EXPECT_EQ(CCommandLine::ParseKeys("who,-date", false, "--sort"),
            (K{STaskComparator::eWhoCode, STaskComparator::eNotDate}));
  EXPECT_EQ(CCommandLine::ParseKeys("-order,description,code,job,-duration", false, "--sort"),
            (K{STaskComparator::eNotOrderInFile, STaskComparator::eDescription, STaskComparator::eTimeCode,
               STaskComparator::eJobNumber, STaskComparator::eNotDuration}));
  EXPECT_EQ(CCommandLine::ParseKeys("who,who,who,who,who,who,who", true, "--group").size(), 7u);
  EXPECT_THROW(CCommandLine::ParseKeys("order", true, "--group"), CUsageError);
  EXPECT_THROW(CCommandLine::ParseKeys("", false, "--sort"), CUsageError);
  EXPECT_THROW(CCommandLine::ParseKeys("who,", false, "--sort"), CUsageError);
  EXPECT_THROW(CCommandLine::ParseKeys("--who", false, "--sort"), CUsageError);
  EXPECT_THROW(CCommandLine::ParseKeys(" who", false, "--sort"), CUsageError);
}

TEST(CliPiecesTest, FieldsAreQuotedAndEscapedForEachFormat) {
  std::string csv;
  CCsvWriter::AppendField(csv, "plain text; tab\there");
  EXPECT_EQ(csv, "plain text; tab\there");
  csv.clear();
  CCsvWriter::AppendField(csv, "a,\"b\"");
  EXPECT_EQ(csv, "\"a,\"\"b\"\"\"");
  csv.clear();
  CCsvWriter::AppendField(csv, "line\rbreak");
  EXPECT_EQ(csv, "\"line\rbreak\"");

  std::string tsv;
  CTsvWriter::AppendEscaped(tsv, "a\tb\\c\nd\re");
  EXPECT_EQ(tsv, "a\\tb\\\\c\\nd\\re");

  // UTF-8 passes; stray bytes become their Latin-1 characters; control bytes are escaped.
  std::string json;
  CJsonWriter::AppendString(json, std::string("caf\xC3\xA9 \xF0\x9F\x98\x80 \xE9\x80 \"q\" \\ \x01\x7F") +
                                      std::string(1, '\0'));
  EXPECT_EQ(json, "\"caf\xC3\xA9 \xF0\x9F\x98\x80 \xC3\xA9\xC2\x80 \\\"q\\\" \\\\ \\u0001\\u007f\\u0000\"");
  json.clear();
  // Overlong forms, surrogates and a sequence cut short are not UTF-8.
  CJsonWriter::AppendString(json, "\xC0\xAF\xED\xA0\x80\xE2\x82");
  EXPECT_EQ(json, "\"\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xC2\x80\xC3\xA2\xC2\x82\"");
}

TEST(CliPiecesTest, DurationsAndWidthsOfTheTextFormat) {
  EXPECT_EQ(CTextWriter::Duration(0, 4), "00:00:00");
  EXPECT_EQ(CTextWriter::Duration(5400, 4), "01:30:00");
  EXPECT_EQ(CTextWriter::Duration(9999ull * 3600 + 3599, 4), "9999:59:59");
  EXPECT_EQ(CTextWriter::Duration(10000ull * 3600, 4), "9999:59:59");
  EXPECT_EQ(CTextWriter::Duration(10000ull * 3600, 6), "10000:00:00");
  // Beyond what a duration holds (32 bits) the text still shows the largest, not a wrap.
  EXPECT_EQ(CTextWriter::Duration((1ull << 32) + 5, 6), "999999:59:59");
  EXPECT_EQ(CJsonWriter::Duration(0), "00:00:00");
  EXPECT_EQ(CJsonWriter::Duration(3599), "00:59:59");
  EXPECT_EQ(CJsonWriter::Duration((1ull << 32) + 5), "1193046:28:21");
  EXPECT_EQ(CTextWriter::DisplayWidth("caf\xC3\xA9"), 4u);
  EXPECT_EQ(CTextWriter::DisplayWidth("\xE2\x82\xAC\xE2\x82\xAC"), 2u);
}

// Runs the tool in-process with stdout and stderr going to files; returns the status.
struct InProcessRun {
  int mStatus = -1;
  std::string mOut, mErr;
};

InProcessRun RunInProcess(const testsupport::TempDir & inFolder, const std::vector<std::string> & inArguments) {
  const std::string out = inFolder.file("stdout"), err = inFolder.file("stderr");
  const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  InProcessRun run;
  run.mStatus = CTallyTool(outFd, errFd).Run(inArguments);
  ::close(outFd);
  ::close(errFd);
  run.mOut = testsupport::ReadFileBytes(out);
  run.mErr = testsupport::ReadFileBytes(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

using InProcessTest = CliTest;

TEST_F(InProcessTest, AMergeWhoseSaveFailsLeavesTheTargetAndEverySourceAsItWas) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  const std::string target = "01/15/2013\t8:00\tZZ\t9\tX\tfirst\r\n";
  testsupport::WriteFileBytes(File("t.txt"), target);
  for (const auto operation : {SSystemCalls::eRename, SSystemCalls::eFsync, SSystemCalls::eWrite}) {
    SCOPED_TRACE(operation);
    const testsupport::ScopedSystemCallFaults faults;
    // The first of these calls belongs to saving the target.
    SSystemCalls::FailNth(operation, 1, EIO);
    const InProcessRun run = RunInProcess(mFolder, {"merge", File("t.txt"), A(), B(), "--clear-sources"});
    EXPECT_EQ(run.mStatus, 1);
    EXPECT_EQ(run.mOut, "");
    EXPECT_EQ(run.mErr, "tally: " + File("t.txt") + ": The contents of a file could not be Written\n");
    EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
    EXPECT_EQ(Bytes("t.txt"), target);
    EXPECT_EQ(Bytes("a.txt"), kSheetA);
    EXPECT_EQ(Bytes("b.txt"), kSheetB);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 3);
  }
}

TEST_F(InProcessTest, ASourceThatCannotBeEmptiedIsReportedAndTheOthersAreStillEmptied) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::WriteFileBytes(File("t.txt"), "");
  const testsupport::ScopedSystemCallFaults faults;
  // Renames: the target's save, then a.txt's emptying (which fails), then b.txt's.
  SSystemCalls::FailNth(SSystemCalls::eRename, 2, EIO);
  const InProcessRun run = RunInProcess(mFolder, {"merge", File("t.txt"), A(), B(), "--clear-sources"});
  EXPECT_EQ(run.mStatus, 1);
  EXPECT_EQ(run.mErr, "tally: " + A() + ": The contents of a file could not be Written (its entries are in " +
                          File("t.txt") + " now)\n");
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  EXPECT_EQ(Bytes("b.txt"), "");
  const std::string merged = Bytes("t.txt");
  EXPECT_NE(merged.find("Design review\r\n"), std::string::npos);
  EXPECT_NE(merged.find("memo\r\n"), std::string::npos);
}

TEST_F(InProcessTest, RunsPutTheProcessWideSettingsBack) {
  const SDateFormat before = SLocale::Default().GetDateFormat();
  const auto caseRule = SWildcardString::GlobalCaseSensitivity();
  const InProcessRun run =
      RunInProcess(mFolder, {"show", "--date-order", "ydm", "--case-sensitive", "--format", "csv", B()});
  EXPECT_EQ(run.mStatus, 0);
  EXPECT_EQ(run.mOut, "date,duration,seconds,who,job,code,description\r\n2013/28/02,0.25,900,KL,1001,A,memo\r\n");
  EXPECT_EQ(SLocale::Default().GetDateFormat(), before);
  EXPECT_EQ(SWildcardString::GlobalCaseSensitivity(), caseRule);
}

} // namespace
} // namespace clitest
