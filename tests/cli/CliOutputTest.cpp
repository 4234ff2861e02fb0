// How tally writes: into a pipe whose reader leaves early, onto a full device, and the
// progress line on a terminal.
#include "cli/CliFixture.h"

#include <random>

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

  // On a narrow terminal the line is cut to fit: the file's name loses its start.
  run.mTerminalColumns = 60;
  result = RunTally(run);
  EXPECT_EQ(result.mStatus, 0);
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = result.mErr.find(erase, at)) != std::string::npos; at += erase.size()) {
    const std::size_t next = result.mErr.find(erase, at + erase.size());
    const std::string shown = result.mErr.substr(at + erase.size(), next == std::string::npos ? std::string::npos
                                                                                             : next - at - erase.size());
    EXPECT_LT(shown.size(), 60u) << shown;
    if (!shown.empty()) {
      ++lines;
      EXPECT_EQ(shown.rfind("tally: reading ...", 0), 0u) << shown;
      EXPECT_NE(shown.find("many.txt: "), std::string::npos) << shown;
    }
  }
  EXPECT_GE(lines, 1u);
  run.mTerminalColumns = 0;

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

namespace clitest {
namespace {

// Whether inText is well-formed UTF-8 without raw control characters: what json needs.
bool IsCleanUtf8(const std::string & inText) {
  for (std::size_t at = 0; at < inText.size();) {
    const unsigned char c = static_cast<unsigned char>(inText[at]);
    std::size_t length = 1;
    if (c < 0x80) {
      if (c < 0x20 && c != '\n')
        return false;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
    } else {
      return false;
    }
    if (at + length > inText.size())
      return false;
    for (std::size_t i = 1; i < length; ++i)
      if ((static_cast<unsigned char>(inText[at + i]) & 0xC0) != 0x80)
        return false;
    at += length;
  }
  return true;
}

TEST_F(OutputTest, ArbitraryBytesAreListedInEveryFormatWithoutFailing) {
  std::mt19937 random(77);
  const char pieces[] = {'\t', '\t', '\t', '\r', '\n', '\0', '/', ':', '.', '"', ',', '\\', '*', '1', '2', 'a', 'Z'};
  for (int round = 0; round < 6; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 3000);
    for (int i = 0; i < length; ++i)
      bytes += random() % 3 == 0 ? static_cast<char>(random() % 256) : pieces[random() % sizeof pieces];
    const std::string file = File("noise" + std::to_string(round) + ".txt");
    testsupport::WriteFileBytes(file, bytes);
    SCOPED_TRACE(round);
    for (const char * format : {"text", "tsv", "csv", "json"}) {
      for (const char * group : {"", "description", "who,-date,job", "duration,code"}) {
        std::vector<std::string> arguments{"show", "--format", format, "--sort", "description,-duration"};
        if (*group != '\0')
          arguments.insert(arguments.end(), {"--group", group});
        arguments.push_back(file);
        const TallyResult result = RunTally(arguments);
        EXPECT_EQ(result.mStatus, 0) << format << " " << group;
        EXPECT_EQ(result.mErr, "") << format << " " << group;
        if (std::string(format) == "json") {
          EXPECT_TRUE(IsCleanUtf8(result.mOut)) << group;
          EXPECT_EQ(result.mOut.back(), '\n');
        }
      }
    }
    // Read back as a time sheet, the tsv listing gives the same listing again.
    const std::string tsv = RunTally({"show", "--format", "tsv", file}).mOut;
    testsupport::WriteFileBytes(File("again.txt"), tsv);
    EXPECT_EQ(RunTally({"show", "--format", "tsv", File("again.txt")}).mOut, tsv);
  }
}

} // namespace
} // namespace clitest
