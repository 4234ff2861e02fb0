// How tally writes: onto a full device, and arbitrary bytes in every format.
#include "cli/CliFixture.h"

#include <random>

namespace clitest {
namespace {

using OutputTest = CliTest;

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
