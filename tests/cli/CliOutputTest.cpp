// How tally writes: into a pipe whose reader leaves early, onto a full device, and the
// progress line on a terminal.
#include "cli/CliFixture.h"

namespace clitest {
namespace {

using OutputTest = CliTest;

// A time sheet of inCount entries with Windows line breaks.
std::string ManyEntries(int inCount) {
  std::string sheet;
  for (int i = 0; i < inCount; ++i)
    sheet += "03/" + std::to_string(10 + i % 18) + "/2013\t0:" + std::to_string(10 + i % 50) + "\tW" +
             std::to_string(i % 7) + "\t" + std::to_string(i) + "\tA\tentry number " + std::to_string(i) + "\r\n";
  return sheet;
}

TEST_F(OutputTest, AReaderThatStopsEarlyEndsTheRunQuietly) {
  testsupport::WriteFileBytes(File("many.txt"), ManyEntries(40000));
  for (const char * format : {"text", "tsv", "csv", "json"}) {
    TallyRun run;
    run.mArguments = {"show", "--format", format, File("many.txt")};
    run.mStdout = TallyRun::eCloseAfterFirstBytes;
    const TallyResult result = RunTally(run);
    EXPECT_EQ(result.mStatus, 0) << format;
    EXPECT_EQ(result.mErr, "") << format;
    EXPECT_GE(result.mOut.size(), 100u) << format;
  }
}

TEST_F(OutputTest, AFailedWriteIsAnError) {
  TallyRun run;
  run.mArguments = {"show", A()};
  run.mStdout = TallyRun::eDevFull;
  TallyResult result = RunTally(run);
  EXPECT_EQ(result.mStatus, 1);
  EXPECT_EQ(result.mErr, "tally: standard output: No space left on device\n");
  run.mArguments = {"--help"};
  result = RunTally(run);
  EXPECT_EQ(result.mStatus, 1);
  EXPECT_EQ(result.mErr, "tally: standard output: No space left on device\n");
}

TEST_F(OutputTest, ALongLoadShowsAProgressLineOnATerminalThatGoesAwayWhenDone) {
  const std::string sheet = ManyEntries(20000);
  testsupport::WriteFileBytes(File("many.txt"), sheet);
  TallyRun run;
  run.mArguments = {"show", "--group", "who", "--summary", "--format", "csv", File("many.txt")};
  run.mStderrTerminal = true;
  run.mEnvironment = {"TALLY_PROGRESS_DELAY_MS=0"};
  TallyResult result = RunTally(run);
  EXPECT_EQ(result.mStatus, 0);
  const std::string erase = "\r\033[K";
  const std::string line = erase + "tally: reading " + File("many.txt") + ": ";
  EXPECT_EQ(result.mErr.rfind(line, 0), 0u) << result.mErr;
  EXPECT_NE(result.mErr.find(" of " + std::to_string(sheet.size()) + " bytes ("), std::string::npos) << result.mErr;
  ASSERT_GE(result.mErr.size(), erase.size());
  EXPECT_EQ(result.mErr.substr(result.mErr.size() - erase.size()), erase);
  // The listing itself is untouched by it.
  EXPECT_EQ(result.mOut.rfind("level,heading,seconds,entries\r\n0,W0,", 0), 0u) << result.mOut;

  // A quick load shows nothing; neither does a long one when stderr is no terminal.
  run.mEnvironment.clear();
  result = RunTally(run);
  EXPECT_EQ(result.mStatus, 0);
  EXPECT_EQ(result.mErr, "");
  run.mEnvironment = {"TALLY_PROGRESS_DELAY_MS=0"};
  run.mStderrTerminal = false;
  result = RunTally(run);
  EXPECT_EQ(result.mStatus, 0);
  EXPECT_EQ(result.mErr, "");
}

} // namespace
} // namespace clitest
