// tally merge, filter and convert: the files they write, byte for byte, and that a failure
// leaves every file as it was.
#include "cli/CliFixture.h"

#include <algorithm>

namespace clitest {
namespace {

using FileCommandsTest = CliTest;

// kSheetA as a saved time sheet holds it: the short date written in full.
std::string SavedA(const std::string & inBreak) {
  std::string lines = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\n"
                      "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n"
                      "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n"
                      "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n";
  std::string result;
  for (const char c : lines) {
    if (c == '\n')
      result += inBreak;
    else
      result += c;
  }
  return result;
}

// The names of the files in inFolder, sorted.
std::vector<std::string> Listing(const std::filesystem::path & inFolder) {
  std::vector<std::string> names;
  for (const auto & entry : std::filesystem::directory_iterator(inFolder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

const std::string kTarget = "01/15/2013\t8:00\tZZ\t9\tX\tfirst\r\n";

TEST_F(FileCommandsTest, MergeAppendsTheSourcesInOrderWithTheTargetsLineBreaksAndLeavesThemAlone) {
  testsupport::WriteFileBytes(File("t.txt"), kTarget);
  EXPECT_EQ(Expect(0, {"merge", File("t.txt"), A(), B()}), "");
  EXPECT_EQ(Bytes("t.txt"), kTarget + SavedA("\r\n") + "02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n");
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  EXPECT_EQ(Bytes("b.txt"), kSheetB);
  EXPECT_EQ(Listing(mFolder.path()), (std::vector<std::string>{"a.txt", "b.txt", "t.txt"}));
}

TEST_F(FileCommandsTest, MergeWithClearSourcesEmptiesTheSourcesAfterSaving) {
  testsupport::WriteFileBytes(File("t.txt"), kTarget);
  EXPECT_EQ(Expect(0, {"merge", File("t.txt"), B(), A(), "--clear-sources"}), "");
  EXPECT_EQ(Bytes("t.txt"), kTarget + "02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n" + SavedA("\r\n"));
  EXPECT_EQ(Bytes("a.txt"), "");
  EXPECT_EQ(Bytes("b.txt"), "");
  EXPECT_EQ(Listing(mFolder.path()), (std::vector<std::string>{"a.txt", "b.txt", "t.txt"}));
}

TEST_F(FileCommandsTest, MergeCreatesAMissingTargetWithWindowsLineBreaks) {
  EXPECT_EQ(Expect(0, {"merge", File("new.txt"), B(), A()}), "");
  EXPECT_EQ(Bytes("new.txt"), "02/28/2013\t0.25\tKL\t1001\tA\tmemo\r\n" + SavedA("\r\n"));
}

TEST_F(FileCommandsTest, MergeFailuresBeforeSavingChangeNothing) {
  testsupport::WriteFileBytes(File("t.txt"), kTarget);
  const std::string missing = File("missing.txt");
  ExpectFailure(1, "tally: " + missing + ": The file does not exist on disk\n",
                {"merge", File("t.txt"), A(), missing, "--clear-sources"});
  EXPECT_EQ(Bytes("t.txt"), kTarget);
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  // A target made for the run goes again when the run fails.
  std::filesystem::create_directory(File("folder"));
  ExpectFailure(1, "tally: " + File("folder") + ": A file could not be opened\n",
                {"merge", File("new.txt"), A(), File("folder"), "--clear-sources"});
  EXPECT_FALSE(std::filesystem::exists(File("new.txt")));
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  // The same file twice, under another name too, is refused.
  ExpectFailure(2, "tally: " + A() + ": the same file is named twice\n", {"merge", File("t.txt"), A(), A()});
  std::filesystem::create_symlink(A(), File("link.txt"));
  ExpectFailure(2, "tally: " + File("link.txt") + ": the same file is named twice\n",
                {"merge", A(), File("link.txt")});
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
}

TEST_F(FileCommandsTest, AMergeWhoseSaveFailsLeavesTheTargetAndEverySourceAsItWas) {
  // The target may not grow past 200 bytes: saving it fails, reading is unaffected.
  testsupport::WriteFileBytes(File("t.txt"), kTarget);
  TallyRun run;
  run.mArguments = {"merge", File("t.txt"), A(), B(), "--clear-sources"};
  run.mFileSizeLimit = 200;
  const TallyResult result = RunTally(run);
  EXPECT_EQ(result.mStatus, 1);
  EXPECT_EQ(result.mOut, "");
  EXPECT_EQ(result.mErr, "tally: " + File("t.txt") + ": The length of a file could not be set\n");
  EXPECT_EQ(Bytes("t.txt"), kTarget);
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  EXPECT_EQ(Bytes("b.txt"), kSheetB);
  // No temporary file is left behind.
  EXPECT_EQ(Listing(mFolder.path()), (std::vector<std::string>{"a.txt", "b.txt", "t.txt"}));
}

TEST_F(FileCommandsTest, FilterWritesTheMatchingEntriesAsANewTimeSheetWithTheInputsLineBreaks) {
  const std::string out = File("out.txt");
  EXPECT_EQ(Expect(0, {"filter", "job = '1002' OR duration < 1000", A(), out}), "");
  EXPECT_EQ(Bytes("out.txt"),
            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\r\n11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\r\n");
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  // OUT is not replaced unless asked to.
  ExpectFailure(1, "tally: " + out + ": The file already exists (use --force to replace it)\n",
                {"filter", "who = 'K*'", B(), out});
  EXPECT_EQ(Bytes("out.txt"),
            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\r\n11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\r\n");
  EXPECT_EQ(Expect(0, {"filter", "--force", "who = 'K*'", B(), out}), "");
  EXPECT_EQ(Bytes("out.txt"), kSheetB);
  // Matching nothing gives an empty time sheet; an expression that starts with "-" comes
  // after "--"; dates in it are read in the order asked for.
  EXPECT_EQ(Expect(0, {"filter", "--", "-duration > 0", A(), File("none.txt")}), "");
  EXPECT_EQ(Bytes("none.txt"), "");
  EXPECT_EQ(Expect(0, {"filter", "--date-order", "dmy", "date = '25/12/2012'", A(), File("xmas.txt")}), "");
  EXPECT_EQ(Bytes("xmas.txt"), "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n");
  // A case-sensitive pattern.
  EXPECT_EQ(Expect(0, {"filter", "--case-sensitive", "who = 'J*'", A(), File("j.txt")}), "");
  EXPECT_EQ(Bytes("j.txt"), "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n");
}

TEST_F(FileCommandsTest, FilterFailuresWriteNothing) {
  const std::string out = File("out.txt");
  ExpectFailure(1, "tally: invalid filter expression \"who = 'x' OR\": Missing Term After Operator\n",
                {"filter", "who = 'x' OR", A(), out});
  ExpectFailure(1, "tally: " + File("missing.txt") + ": The file does not exist on disk\n",
                {"filter", "who = 'x'", File("missing.txt"), out});
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_FALSE(std::filesystem::exists(File("missing.txt")));
  // Writing into a folder that does not exist fails, and IN stays as it was.
  ExpectFailure(1, "tally: " + File("no/out.txt") + ": A File could not be created\n",
                {"filter", "who = 'x'", A(), File("no/out.txt")});
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
}

TEST_F(FileCommandsTest, ConvertRewritesWithTheChosenLineBreakInPlaceOrToAnotherFile) {
  EXPECT_EQ(Expect(0, {"convert", A(), "-o", File("mac.txt"), "--line-break", "mac"}), "");
  EXPECT_EQ(Bytes("mac.txt"), SavedA("\r"));
  EXPECT_EQ(Bytes("a.txt"), kSheetA);
  EXPECT_EQ(Expect(0, {"convert", "--line-break=unix", A()}), "");
  EXPECT_EQ(Bytes("a.txt"), SavedA("\n"));
  EXPECT_EQ(Expect(0, {"convert", File("mac.txt"), "--line-break", "windows"}), "");
  EXPECT_EQ(Bytes("mac.txt"), SavedA("\r\n"));
  // Without --line-break the first line break of the file decides; the others follow it.
  testsupport::WriteFileBytes(File("mixed.txt"), "01/01/2013\t1\tA\t1\tX\tone\nx\r\n01/02/2013\t2\tB\t2\tY\ttwo\r");
  EXPECT_EQ(Expect(0, {"convert", File("mixed.txt"), "--output", File("plain.txt")}), "");
  // (A line without tabs gains its five; text that is no date stays as written.)
  EXPECT_EQ(Bytes("plain.txt"), "01/01/2013\t1\tA\t1\tX\tone\nx\t\t\t\t\t\n01/02/2013\t2\tB\t2\tY\ttwo\n");
}

TEST_F(FileCommandsTest, ConvertRefusesToReplaceAnotherFileUnlessForced) {
  testsupport::WriteFileBytes(File("out.txt"), "keep");
  ExpectFailure(1, "tally: " + File("out.txt") + ": The file already exists (use --force to replace it)\n",
                {"convert", A(), "-o", File("out.txt")});
  EXPECT_EQ(Bytes("out.txt"), "keep");
  EXPECT_EQ(Expect(0, {"convert", A(), "-o", File("out.txt"), "--force"}), "");
  EXPECT_EQ(Bytes("out.txt"), SavedA("\r\n"));
  ExpectFailure(1, "tally: " + File("missing.txt") + ": The file does not exist on disk\n",
                {"convert", File("missing.txt")});
  EXPECT_FALSE(std::filesystem::exists(File("missing.txt")));
}

} // namespace
} // namespace clitest
