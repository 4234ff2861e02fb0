// Shared test data for the command-line tests: two small time sheets in a fresh folder.
#pragma once

#include "cli/TallyRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace clitest {

/// Four entries with Windows line breaks: mixed-case who codes that group together, a
/// short date, decimal and short durations, a tab, a comma, quotes and UTF-8 in
/// descriptions, and dates on both daylight-saving changes of New York in 2013.
inline const std::string kSheetA = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n"
                                   "1/2/13\t1.5\tab\t1002\tB\tcall, \"quoted\"\r\n"
                                   "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\r\n"
                                   "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\r\n";
/// One entry with a UNIX line break.
inline const std::string kSheetB = "02/28/2013\t0.25\tKL\t1001\tA\tmemo\n";

/// A folder holding a.txt (kSheetA) and b.txt (kSheetB).
class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    testsupport::WriteFileBytes(A(), kSheetA);
    testsupport::WriteFileBytes(B(), kSheetB);
  }

  std::string File(const std::string & inName) const { return mFolder.file(inName); }
  std::string A() const { return File("a.txt"); }
  std::string B() const { return File("b.txt"); }
  std::string Bytes(const std::string & inName) const { return testsupport::ReadFileBytes(File(inName)); }

  /// Runs tally with inArguments, expecting inStatus and an empty stderr; returns stdout.
  std::string Expect(int inStatus, std::vector<std::string> inArguments) const {
    const TallyResult result = RunTally(std::move(inArguments));
    EXPECT_EQ(result.mStatus, inStatus);
    EXPECT_EQ(result.mErr, "");
    return result.mOut;
  }

  /// Runs tally with inArguments, expecting status inStatus, nothing on stdout and
  /// exactly inMessage on stderr.
  void ExpectFailure(int inStatus, const std::string & inMessage, std::vector<std::string> inArguments) const {
    const TallyResult result = RunTally(std::move(inArguments));
    EXPECT_EQ(result.mStatus, inStatus);
    EXPECT_EQ(result.mOut, "");
    EXPECT_EQ(result.mErr, inMessage);
  }

  testsupport::TempDir mFolder;
};

} // namespace clitest
