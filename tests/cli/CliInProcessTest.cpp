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

} // namespace
} // namespace clitest
