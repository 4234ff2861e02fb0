// tally in pipelines (standard input and output, pipes and devices by name), filters that
// fail on entries, kept fragments, and interrupted saves.
#include "CInterruptCleanup.h"
#include "CTallyTool.h"
#include "cli/CliFixture.h"
#include "support/SystemCallFaults.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace clitest {
namespace {

using PipeTest = CliTest;

TallyResult Piped(std::vector<std::string> inArguments, TallyRun::EStdin inHow, const std::string & inSource) {
  TallyRun run;
  run.mArguments = std::move(inArguments);
  run.mStdin = inHow;
  run.mStdinSource = inSource;
  return RunTally(run);
}

TEST_F(PipeTest, StandardInputAndPipesReadExactlyAsAFileWithTheSameBytes) {
  const std::string line = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review";
  const std::string other = "1/2/13\t1.5\tab\t1002\tB\tcall";
  struct Case {
    const char * mName;
    std::string mBytes;
  } const cases[] = {
      {"windows", line + "\r\n" + other + "\r\n"},
      {"unix", line + "\n\n" + other + "\n"},
      {"mac", line + "\r" + other + "\r"},
      {"mixed, short fragment", line + "\r\n" + other + "\n" + line + "\rabcde"},
      {"final line without break", line + "\n" + other},
      {"empty", ""},
  };
  for (const Case & c : cases) {
    SCOPED_TRACE(c.mName);
    testsupport::WriteFileBytes(File("in.txt"), c.mBytes);
    const std::string shown = Expect(0, {"show", "--group", "who", File("in.txt")});
    const std::string both = Expect(0, {"show", A(), File("in.txt")});
    Expect(0, {"filter", "--force", "who = '*'", File("in.txt"), File("out.txt")});
    Expect(0, {"convert", File("in.txt"), "-o", File("unix.txt"), "--line-break", "unix", "--force"});
    for (const auto how : {TallyRun::eFromFile, TallyRun::eFromPipe}) {
      const std::string source = how == TallyRun::eFromFile ? File("in.txt") : c.mBytes;
      for (const char * name : {"-", "/dev/stdin"}) {
        SCOPED_TRACE(std::string(name) + (how == TallyRun::eFromFile ? " from a file" : " from a pipe"));
        EXPECT_EQ(Piped({"show", "--group", "who", name}, how, source).mOut, shown);
        EXPECT_EQ(Piped({"show", A(), name}, how, source).mOut, both);
        EXPECT_EQ(Piped({"filter", "who = '*'", name, "-"}, how, source).mOut, Bytes("out.txt"));
        EXPECT_EQ(Piped({"convert", "--line-break", "unix", name, "-o", "-"}, how, source).mOut, Bytes("unix.txt"));
      }
    }
    // Read from a pipe, convert has nowhere to write but standard output.
    EXPECT_EQ(Piped({"convert", "--line-break", "unix", "-"}, TallyRun::eFromPipe, c.mBytes).mOut, Bytes("unix.txt"));
  }
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
}

TEST_F(PipeTest, StandardInputIsReadOnceAndNeverByMerge) {
  const auto usage = [&](const std::string & inMessage, std::vector<std::string> inArguments) {
    const TallyResult result = Piped(std::move(inArguments), TallyRun::eFromPipe, kSheetB);
    EXPECT_EQ(result.mStatus, 2);
    EXPECT_EQ(result.mErr, "tally: " + inMessage + "\n");
  };
  usage("standard input (-) can be read only once (see 'tally show --help')", {"show", "-", A(), "-"});
  const std::string merge =
      "merge cannot use standard input or output (-): TARGET and SOURCE must be files (see 'tally merge --help')";
  usage(merge, {"merge", File("t.txt"), "-"});
  usage(merge, {"merge", "-", A()});
  usage("--filter needs an expression (see 'tally show --help')", {"show", "--filter", "", A()});
  usage("EXPR is empty (see 'tally filter --help')", {"filter", "", A(), "-"});
  EXPECT_FALSE(std::filesystem::exists(File("t.txt")));
  EXPECT_EQ(Expect(0, {"--help"}).find("tally show --group who -") != std::string::npos, true);
}

TEST_F(PipeTest, AReaderThatGoesAwayEndsTheOutputQuietly) {
  TallyRun run;
  run.mArguments = {"filter", "who = 'KL'", "-", "-"};
  run.mStdin = TallyRun::eFromPipe;
  for (int i = 0; i < 20000; ++i)
    run.mStdinSource += kSheetB;
  run.mStdout = TallyRun::eCloseAfterFirstBytes;
  const TallyResult result = RunTally(run);
  EXPECT_EQ(result.mStatus, 0);
  EXPECT_EQ(result.mErr, "");
}

TEST_F(PipeTest, AFilterThatFailsOnEveryEntryIsAnErrorWithAHint) {
  struct Case {
    const char * mExpression;
    int mStatus;
    std::string mMessage;
  } const cases[] = {
      {"job = 1001", 1, "could not be evaluated for any entry: Mismatched arguments: job is text, compare it with \"1001\""},
      {"1 = who", 1, "could not be evaluated for any entry: Mismatched arguments: who is text, compare it with \"1\""},
      {"date > 5", 1, "could not be evaluated for any entry: Mismatched arguments: date is a date, compare it with a "
                      "quoted date such as '12/25/2012'"},
      // 1:30:00 and 1.5 hours are 5400 seconds: two entries divide by zero.
      {"duration / (duration - 5400) < 0", 0, "could not be evaluated for 2 of 4 entries, which do not match "
                                       "(Mismatched arguments)"},
  };
  for (const Case & c : cases) {
    SCOPED_TRACE(c.mExpression);
    const TallyResult shown = RunTally({"show", "--filter", c.mExpression, A()});
    EXPECT_EQ(shown.mStatus, c.mStatus);
    EXPECT_EQ(shown.mErr, std::string("tally: the filter expression \"") + c.mExpression + "\" " + c.mMessage + "\n");
    const TallyResult filtered = RunTally({"filter", "--force", c.mExpression, A(), File("out.txt")});
    EXPECT_EQ(filtered.mStatus, c.mStatus);
    EXPECT_EQ(filtered.mErr, shown.mErr);
  }
  // The two entries that could be evaluated, and of them only the one under 1:30:00.
  EXPECT_EQ(Bytes("out.txt"), "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\r\n");
}

TEST_F(PipeTest, EmptyingASourceKeepsTheBytesThatFormedNoEntry) {
  testsupport::WriteFileBytes(File("s.txt"), kSheetB + "12/3");
  const TallyResult result = RunTally({"merge", File("t.txt"), File("s.txt"), "--clear-sources"});
  EXPECT_EQ(result.mStatus, 0);
  EXPECT_EQ(result.mErr, "tally: " + File("s.txt") + ": kept the last 4 bytes, which did not form an entry\n");
  EXPECT_EQ(Bytes("s.txt"), "12/3");
  EXPECT_EQ(Bytes("t.txt"), "02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n");
}

TEST_F(PipeTest, AnInterruptedSaveRemovesItsTemporaryFile) {
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
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 2);
}

} // namespace
} // namespace clitest
