// Runs tally in a child process with a fixed environment (a time zone with daylight
// saving, the C locale) or in this process, and the time sheets the tests give it.
#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace clitest {

struct TallyRun {
  std::vector<std::string> mArguments = {};   ///< after the program's name
  std::vector<std::string> mEnvironment = {}; ///< extra "NAME=value" settings
  enum EStdout { ePipe, eDevFull, eCloseAfterFirstBytes } mStdout = ePipe;
  bool mStderrTerminal = false;          ///< stderr on a pseudo-terminal
  enum EStdin { eNothing, eFromFile, eFromPipe } mStdin = eNothing;
  std::string mStdinSource = {};         ///< the file (eFromFile) or the bytes (eFromPipe)
  std::string mFolder = {};              ///< the working folder; empty: this one
};

/// How a run ended: exit status (or 128 + signal), stdout, stderr (or the terminal).
struct TallyResult {
  int mStatus = -1;
  std::string mOut, mErr;
};

TallyResult RunTally(const TallyRun & inRun);
inline TallyResult RunTally(std::vector<std::string> inArguments) { return RunTally(TallyRun{std::move(inArguments)}); }
/// Runs the tool's classes in this process instead, the streams going to files.
TallyResult RunInProcess(const std::vector<std::string> & inArguments);

/// Four entries with Windows line breaks: mixed-case who codes that group together, a
/// short date, decimal and short durations, a tab, a comma, quotes and UTF-8 in
/// descriptions, and dates on both daylight-saving changes of New York in 2013.
inline const std::string kSheetA = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n"
                                   "1/2/13\t1.5\tab\t1002\tB\tcall, \"quoted\"\r\n"
                                   "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\r\n"
                                   "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\r\n";
/// kSheetA as saving writes it (short date in full), with the given line break.
inline std::string SavedA(const std::string & inBreak) {
  std::string result;
  for (const char c : std::string("12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\n01/02/2013\t1.5\tab\t1002\tB\t"
                                  "call, \"quoted\"\n03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n11/03/2013\t2:00:00\t"
                                  "jd\t1002\tC\tcaf\xC3\xA9\n"))
    result += c == '\n' ? inBreak : std::string(1, c);
  return result;
}

/// One entry with a UNIX line break, and a merge target.
inline const std::string kSheetB = "02/28/2013\t0.25\tKL\t1001\tA\tmemo\n";
inline const std::string kTarget = "01/15/2013\t8:00\tZZ\t9\tX\tfirst\r\n";

/// A folder holding a.txt (kSheetA), b.txt (kSheetB) and t.txt (kTarget).
class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    testsupport::WriteFileBytes(A(), kSheetA);
    testsupport::WriteFileBytes(B(), kSheetB);
    testsupport::WriteFileBytes(File("t.txt"), kTarget);
  }
  std::string File(const std::string & inName) const { return mFolder.file(inName); }
  std::string A() const { return File("a.txt"); }
  std::string B() const { return File("b.txt"); }
  std::string Bytes(const std::string & inName) const { return testsupport::ReadFileBytes(File(inName)); }
  // Runs tally expecting inStatus and an empty stderr; returns stdout.
  std::string Expect(int inStatus, std::vector<std::string> inArguments) const {
    const TallyResult result = RunTally(std::move(inArguments));
    EXPECT_EQ(result.mStatus, inStatus);
    EXPECT_EQ(result.mErr, "");
    return result.mOut;
  }
  testsupport::TempDir mFolder;
};

} // namespace clitest
