// The tool in-process: merges and saves that fail or are interrupted through injected
// system-call faults, and the process-wide settings a run changes.
#include "CInterruptCleanup.h"
#include "CTallyTool.h"
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

using InProcessTest = CliTest;

// A merge whose save fails leaves the target and every source as they were; a source that
// cannot be emptied afterwards is reported, and the others are still emptied.
TEST_F(InProcessTest, FailedSavesOfAMergeAreReportedAndLoseNothing) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  const std::string written = ": The contents of a file could not be Written: input/output error";
  const std::string merged = kTarget + "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n01/02/2013\t1.5\tab\t1002\tB\t"
                             "call, \"quoted\"\r\n03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\r\n11/03/2013\t2:00:00\tjd\t"
                             "1002\tC\tcaf\xC3\xA9\r\n02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n";
  const struct {
    SSystemCalls::EOperation mOperation;
    unsigned mNth;
    int mError;
    std::string mMessage, mTarget, mA, mB;
  } cases[] = {
      {SSystemCalls::eRename, 1, EIO, File("t.txt") + written, kTarget, kSheetA, kSheetB},
      {SSystemCalls::eFsync, 1, EIO, File("t.txt") + written, kTarget, kSheetA, kSheetB},
      {SSystemCalls::eWrite, 1, EIO, File("t.txt") + written, kTarget, kSheetA, kSheetB},
      {SSystemCalls::eFtruncate, 1, EFBIG, File("t.txt") + ": The length of a file could not be set: the file is too large",
       kTarget, kSheetA, kSheetB},
      // Renames: the target's save, then a.txt's emptying (which fails), then b.txt's.
      {SSystemCalls::eRename, 2, EIO, A() + written + " (its entries are in " + File("t.txt") + " now)", merged, kSheetA, ""},
  };
  for (const auto & c : cases) {
    SCOPED_TRACE(c.mMessage);
    SetUp();
    const testsupport::ScopedSystemCallFaults faults;
    SSystemCalls::FailNth(c.mOperation, c.mNth, c.mError);
    const TallyResult result = RunInProcess({"merge", File("t.txt"), A(), B(), "--clear-sources"});
    EXPECT_EQ(result.mStatus, 1);
    EXPECT_EQ(result.mOut, "");
    EXPECT_EQ(result.mErr, "tally: " + c.mMessage + "\n");
    EXPECT_EQ(SSystemCalls::PendingFaults(), 0u);
    EXPECT_EQ(Bytes("t.txt"), c.mTarget);
    EXPECT_EQ(Bytes("a.txt"), c.mA);
    EXPECT_EQ(Bytes("b.txt"), c.mB);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 3);
  }
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
  EXPECT_EQ(RunInProcess({"filter", "--date-order", "ydm", "--case-sensitive", "who = 'KL'", B(), File("x.txt")}).mStatus, 0);
  EXPECT_EQ(Bytes("x.txt"), kSheetB);
  EXPECT_EQ(SLocale::Default().GetDateFormat(), before);
  EXPECT_EQ(SWildcardString::GlobalCaseSensitivity(), caseRule);
}

} // namespace
} // namespace clitest
