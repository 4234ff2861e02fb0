// How tally reads and writes its streams (help text, standard input and pipes, a reader
// that leaves early, a full device, the progress line on a terminal), and merges and saves
// that fail or are interrupted through injected system-call faults.
#include "CInterruptCleanup.h"
#include "CTallyTool.h"
#include "cli/TallyRunner.h"
#include "support/SystemCallFaults.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>


namespace clitest {
namespace {

using StreamsTest = CliTest;

// A time sheet of inCount entries with Windows line breaks.
std::string ManyEntries(int inCount) {
  std::string sheet;
  for (int i = 0; i < inCount; ++i)
    sheet += "03/" + std::to_string(10 + i % 18) + "/2013\t0:" + std::to_string(10 + i % 50) + "\tW" +
             std::to_string(i % 7) + "\t" + std::to_string(i) + "\tA\tentry number " + std::to_string(i) + "\r\n";
  return sheet;
}

TallyResult Launch(std::vector<std::string> inArguments, TallyRun::EStdin inHow = TallyRun::eNothing,
                   const std::string & inSource = "", TallyRun::EStdout inStdout = TallyRun::ePipe) {
  return RunTally(TallyRun{std::move(inArguments), {}, inStdout, false, inHow, inSource});
}

TEST_F(StreamsTest, HelpGoesToStandardOutputAndWinsOverEverythingElse) {
  const std::string overview = Expect(0, {"--help"});
  EXPECT_EQ(overview.rfind("Usage: tally COMMAND [OPTIONS] FILE...\n", 0), 0u) << overview;
  for (const char * command : {"show", "filter", "merge", "convert"})
    EXPECT_NE(overview.find(std::string("\n  ") + command + " "), std::string::npos) << command;
  EXPECT_NE(overview.find("tally show --group who -"), std::string::npos);
  EXPECT_EQ(Expect(0, {"-h"}), overview);
  EXPECT_EQ(Expect(0, {"help"}), overview);
  const std::string show = Expect(0, {"show", "--help"});
  EXPECT_EQ(show.rfind("Usage: tally show [OPTIONS] FILE...\n", 0), 0u) << show;
  for (const char * option : {"--filter", "--case-sensitive", "--sort", "--group", "--summary", "--format", "--date-order"})
    EXPECT_NE(show.find(option), std::string::npos) << option;
  EXPECT_EQ(Expect(0, {"show", "--sort", "bogus", "-h"}), show);
  EXPECT_EQ(Expect(0, {"help", "show"}), show);
  EXPECT_EQ(Expect(0, {"filter", "--help"}).rfind("Usage: tally filter [OPTIONS] EXPR IN OUT\n", 0), 0u);
  EXPECT_EQ(Expect(0, {"--version"}), "tally (Tallyworth) " TALLY_VERSION "\n");
  // A failed write is an error, a reader that stops early is not.
  for (const auto & arguments : std::vector<std::vector<std::string>>{{"--help"}, {"show", A()}}) {
    const TallyResult full = Launch(arguments, TallyRun::eNothing, "", TallyRun::eDevFull);
    EXPECT_EQ(full.mStatus, 1);
    EXPECT_EQ(full.mErr, "tally: standard output: No space left on device\n");
  }
  testsupport::WriteFileBytes(File("many.txt"), ManyEntries(40000));
  for (const char * format : {"text", "tsv", "csv", "json"}) {
    const TallyResult result =
        Launch({"show", "--format", format, File("many.txt")}, TallyRun::eNothing, "", TallyRun::eCloseAfterFirstBytes);
    EXPECT_EQ(result.mStatus, 0) << format;
    EXPECT_EQ(result.mErr, "") << format;
    EXPECT_GE(result.mOut.size(), 100u) << format;
  }
}

TEST_F(StreamsTest, StandardInputAndPipesReadExactlyAsAFileWithTheSameBytes) {
  const std::string line = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review", other = "1/2/13\t1.5\tab\t1002\tB\tcall";
  for (const std::string & bytes : {line + "\r\n" + other + "\r\n", line + "\n\n" + other + "\n", line + "\r" + other + "\r",
                                    line + "\r\n" + other + "\n" + line + "\rabcde", line + "\n" + other, std::string()}) {
    SCOPED_TRACE(bytes);
    testsupport::WriteFileBytes(File("in.txt"), bytes);
    const std::string shown = Expect(0, {"show", "--group", "who", A(), File("in.txt")});
    Expect(0, {"filter", "--force", "who = '*'", File("in.txt"), File("out.txt")});
    Expect(0, {"convert", File("in.txt"), "-o", File("unix.txt"), "--line-break", "unix", "--force"});
    for (const auto how : {TallyRun::eFromFile, TallyRun::eFromPipe}) {
      const std::string source = how == TallyRun::eFromFile ? File("in.txt") : bytes;
      for (const char * name : {"-", "/dev/stdin"}) {
        SCOPED_TRACE(std::string(name) + (how == TallyRun::eFromFile ? " from a file" : " from a pipe"));
        EXPECT_EQ(Launch({"show", "--group", "who", A(), name}, how, source).mOut, shown);
        EXPECT_EQ(Launch({"filter", "who = '*'", name, "-"}, how, source).mOut, Bytes("out.txt"));
        EXPECT_EQ(Launch({"convert", "--line-break", "unix", name, "-o", "-"}, how, source).mOut, Bytes("unix.txt"));
      }
    }
    // Read from a pipe, convert has nowhere to write but standard output.
    EXPECT_EQ(Launch({"convert", "--line-break", "unix", "-"}, TallyRun::eFromPipe, bytes).mOut, Bytes("unix.txt"));
  }
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
}

TEST_F(StreamsTest, ALongLoadShowsAProgressLineOnATerminalThatGoesAwayWhenDone) {
  const std::string sheet = ManyEntries(20000);
  testsupport::WriteFileBytes(File("many.txt"), sheet);
  TallyRun run;
  run.mArguments = {"show", "--group", "who", "--summary", "--format", "csv", File("many.txt")};
  run.mStderrTerminal = true;
  run.mEnvironment = {"TALLY_PROGRESS_DELAY_MS=0"};
  TallyResult result = RunTally(run);
  EXPECT_EQ(result.mStatus, 0);
  const std::string erase = "\r\033[K";
  EXPECT_EQ(result.mErr.rfind(erase + "tally: reading " + File("many.txt") + ": ", 0), 0u) << result.mErr;
  EXPECT_NE(result.mErr.find(" of " + std::to_string(sheet.size()) + " bytes ("), std::string::npos) << result.mErr;
  ASSERT_GE(result.mErr.size(), erase.size());
  EXPECT_EQ(result.mErr.substr(result.mErr.size() - erase.size()), erase);
  EXPECT_EQ(result.mOut.rfind("level,heading,seconds,entries\r\n0,W0,", 0), 0u) << result.mOut;
  // A quick load shows nothing; neither does a long one when stderr is no terminal.
  run.mEnvironment.clear();
  EXPECT_EQ(RunTally(run).mErr, "");
  run.mEnvironment = {"TALLY_PROGRESS_DELAY_MS=0"};
  run.mStderrTerminal = false;
  EXPECT_EQ(RunTally(run).mErr, "");
}

using InProcessTest = CliTest;

// A merge whose save fails leaves the target and every source as they were; a source that
// cannot be emptied afterwards is reported, and the others are still emptied.
TEST_F(InProcessTest, FailedSavesOfAMergeAreReportedAndLoseNothing) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  const std::string written = ": The contents of a file could not be Written: input/output error";
  const std::string merged = kTarget + SavedA("\r\n") + "02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n";
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

} // namespace
} // namespace clitest
