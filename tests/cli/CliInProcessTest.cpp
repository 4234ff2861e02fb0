// The tool's classes in-process: quoting and escaping of the output formats, and merges
// and saves that fail or are interrupted through injected system-call faults.
#include "CCsvWriter.h"
#include "CInterruptCleanup.h"
#include "CJsonWriter.h"
#include "CTallyTool.h"
#include "CTextWriter.h"
#include "CTsvWriter.h"
#include "cli/TallyRunner.h"
#include "dates/SLocale.h"
#include "support/SystemCallFaults.h"
#include "syntax/SWildcardString.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace clitest {
namespace {

TEST(CliPiecesTest, FieldsAreQuotedAndEscapedForEachFormat) {
  std::string csv, tsv;
  for (const char * field : {"plain; tab\there", "a,\"b\"", "line\rbreak"})
    CCsvWriter::AppendField(csv += "|", field);
  EXPECT_EQ(csv, "|plain; tab\there|\"a,\"\"b\"\"\"|\"line\rbreak\"");
  CTsvWriter::AppendEscaped(tsv, "a\tb\\c\nd\re");
  EXPECT_EQ(tsv, "a\\tb\\\\c\\nd\\re");
  // UTF-8 passes; stray bytes become their Latin-1 characters; control bytes are escaped;
  // overlong forms, surrogates and a sequence cut short are not UTF-8.
  std::string json;
  CJsonWriter::AppendString(json, std::string("caf\xC3\xA9 \xF0\x9F\x98\x80 \xE9\x80 \"q\" \\ \x01\x7F") +
                                      std::string(1, '\0') + "\xC0\xAF\xED\xA0\x80\xE2\x82");
  EXPECT_EQ(json, "\"caf\xC3\xA9 \xF0\x9F\x98\x80 \xC3\xA9\xC2\x80 \\\"q\\\" \\\\ \\u0001\\u007f\\u0000"
                  "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xC2\x80\xC3\xA2\xC2\x82\"");
  EXPECT_EQ(CTextWriter::Duration(9999ull * 3600 + 3599), "9999:59:59");
  EXPECT_EQ(CJsonWriter::Duration(3599), "00:59:59");
}

using InProcessTest = CliTest;

// Runs the tool in-process with stdout and stderr going to files; gives status and stderr.
std::pair<int, std::string> RunInProcess(const testsupport::TempDir & inFolder, const std::vector<std::string> & inArguments) {
  const std::string out = inFolder.file("stdout"), err = inFolder.file("stderr");
  const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int status = CTallyTool(outFd, errFd).Run(inArguments);
  ::close(outFd);
  ::close(errFd);
  const std::string output = testsupport::ReadFileBytes(out), errors = testsupport::ReadFileBytes(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  EXPECT_EQ(output, "");
  return {status, errors};
}

TEST_F(InProcessTest, AMergeWhoseSaveFailsLeavesTheTargetAndEverySourceAsItWas) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  const std::string written = ": The contents of a file could not be Written: input/output error\n";
  const struct {
    SSystemCalls::EOperation mOperation;
    int mError;
    std::string mMessage;
  } cases[] = {{SSystemCalls::eRename, EIO, written},
               {SSystemCalls::eFsync, EIO, written},
               {SSystemCalls::eWrite, EIO, written},
               {SSystemCalls::eFtruncate, EFBIG, ": The length of a file could not be set: the file is too large\n"}};
  for (const auto & c : cases) {
    SCOPED_TRACE(c.mOperation);
    const testsupport::ScopedSystemCallFaults faults;
    // The first of these calls belongs to saving the target.
    SSystemCalls::FailNth(c.mOperation, 1, c.mError);
    const auto [status, errors] = RunInProcess(mFolder, {"merge", File("t.txt"), A(), B(), "--clear-sources"});
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors, "tally: " + File("t.txt") + c.mMessage);
    EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
    EXPECT_EQ(Bytes("t.txt") + Bytes("a.txt") + Bytes("b.txt"), kTarget + kSheetA + kSheetB);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 3);
  }
}

TEST_F(InProcessTest, ASourceThatCannotBeEmptiedIsReportedAndTheOthersAreStillEmptied) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::WriteFileBytes(File("t.txt"), "");
  const testsupport::ScopedSystemCallFaults faults;
  // Renames: the target's save, then a.txt's emptying (which fails), then b.txt's.
  SSystemCalls::FailNth(SSystemCalls::eRename, 2, EIO);
  const auto [status, errors] = RunInProcess(mFolder, {"merge", File("t.txt"), A(), B(), "--clear-sources"});
  EXPECT_EQ(status, 1);
  EXPECT_EQ(errors, "tally: " + A() + ": The contents of a file could not be Written: input/output error (its entries are in " +
                        File("t.txt") + " now)\n");
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  EXPECT_EQ(Bytes("b.txt"), "");
  EXPECT_EQ(Bytes("t.txt"), "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n01/02/2013\t1.5\tab\t1002\tB\tcall, "
                            "\"quoted\"\r\n03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\r\n11/03/2013\t2:00:00\tjd\t1002\tC\t"
                            "caf\xC3\xA9\r\n02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n");
}

TEST_F(InProcessTest, AnInterruptedSaveRemovesItsTemporaryFile) {
  const pid_t child = ::fork();
  if (child == 0) {
    CInterruptCleanup::Install();
    // A file system without unnamed files: the temporary has a name from the start.
    SSystemCalls::FailNth(SSystemCalls::eOpen, 2, EOPNOTSUPP);
    SSystemCalls::BeforeNth(SSystemCalls::eFsync, 1, [] { ::raise(SIGTERM); });
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    CTallyTool(devNull, devNull).Run({"convert", "--line-break", "unix", A()});
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 3);
}

TEST_F(InProcessTest, RunsPutTheProcessWideSettingsBack) {
  const SDateFormat before = SLocale::Default().GetDateFormat();
  const auto caseRule = SWildcardString::GlobalCaseSensitivity();
  EXPECT_EQ(RunInProcess(mFolder, {"filter", "--date-order", "ydm", "--case-sensitive", "who = 'KL'", B(), File("x.txt")}),
            std::pair(0, std::string()));
  EXPECT_EQ(Bytes("x.txt"), kSheetB);
  EXPECT_EQ(SLocale::Default().GetDateFormat(), before);
  EXPECT_EQ(SWildcardString::GlobalCaseSensitivity(), caseRule);
}

} // namespace
} // namespace clitest
