// tally's help, version and usage errors, and the errors about files: messages, exit
// statuses, and that nothing else is written.
#include "cli/CliFixture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace clitest {
namespace {

using UsageTest = CliTest;

TEST_F(UsageTest, HelpAndVersionGoToStandardOutputWithStatusZero) {
  const std::string overview = Expect(0, {"--help"});
  EXPECT_EQ(overview.rfind("Usage: tally COMMAND [OPTIONS] FILE...\n", 0), 0u) << overview;
  for (const char * command : {"show", "filter", "merge", "convert"})
    EXPECT_NE(overview.find(std::string("\n  ") + command + " "), std::string::npos) << command;
  EXPECT_EQ(Expect(0, {"-h"}), overview);
  EXPECT_EQ(Expect(0, {"help"}), overview);

  const std::string show = Expect(0, {"show", "--help"});
  EXPECT_EQ(show.rfind("Usage: tally show [OPTIONS] FILE...\n", 0), 0u) << show;
  for (const char * option : {"--filter", "--case-sensitive", "--sort", "--group", "--summary", "--format",
                              "--date-order"})
    EXPECT_NE(show.find(option), std::string::npos) << option;
  // Help wins over whatever else the line holds.
  EXPECT_EQ(Expect(0, {"show", "--sort", "bogus", "-h"}), show);
  EXPECT_EQ(Expect(0, {"help", "show"}), show);
  EXPECT_EQ(Expect(0, {"filter", "--help"}).rfind("Usage: tally filter [OPTIONS] EXPR IN OUT\n", 0), 0u);
  EXPECT_EQ(Expect(0, {"merge", "--help"}).rfind("Usage: tally merge [OPTIONS] TARGET SOURCE...\n", 0), 0u);
  EXPECT_EQ(Expect(0, {"convert", "--help"}).rfind("Usage: tally convert [OPTIONS] FILE\n", 0), 0u);

  EXPECT_EQ(Expect(0, {"--version"}), "tally (Tallyworth) " TALLY_VERSION "\n"); // the project's version
}

TEST_F(UsageTest, UsageErrorsExitWithTwoAndAOneLineHint) {
  const std::string a = A();
  const std::string fields = "(use date, duration, who, job, code, description or order)";
  ExpectFailure(2, "tally: no command given (see 'tally --help')\n", {});
  ExpectFailure(2, "tally: unknown command 'shwo' (see 'tally --help')\n", {"shwo", a});
  ExpectFailure(2, "tally: unknown option '--verbose' (see 'tally --help')\n", {"--verbose"});
  ExpectFailure(2, "tally: unknown field 'name' in --sort " + fields + "\n", {"show", "--sort", "date,name", a});
  ExpectFailure(2, "tally: unknown field 'Who' in --group (use date, duration, who, job, code, description)\n",
                {"show", "--group", "Who", a});
  ExpectFailure(2, "tally: empty field name in --sort " + fields + "\n", {"show", "--sort", "who,,date", a});
  ExpectFailure(2, "tally: empty field name in --sort " + fields + "\n", {"show", "--sort", "-", a});
  ExpectFailure(2, "tally: more than seven fields in --sort\n",
                {"show", "--sort", "date,duration,who,job,code,description,order,date", a});
  ExpectFailure(2, "tally: 'order' cannot be used in --group (entries are not grouped by their place)\n",
                {"show", "--group", "who,-order", a});
  ExpectFailure(2, "tally: unknown format 'xml' (use text, tsv, csv or json)\n", {"show", "--format", "xml", a});
  ExpectFailure(2, "tally: unknown date order 'dd/mm' (use system, dmy, dym, mdy, myd, ydm or ymd)\n",
                {"show", "--date-order=dd/mm", a});
  ExpectFailure(2, "tally: unknown line break 'crlf' (use mac, windows or unix)\n",
                {"convert", "--line-break", "crlf", a});
  ExpectFailure(2, "tally: option --sort needs a value (see 'tally show --help')\n", {"show", a, "--sort"});
  ExpectFailure(2, "tally: option --summary takes no value (see 'tally show --help')\n",
                {"show", "--summary=yes", a});
  ExpectFailure(2, "tally: unknown option '--force' for show (see 'tally show --help')\n", {"show", "--force", a});
  ExpectFailure(2, "tally: unknown option '--sort' for merge (see 'tally merge --help')\n",
                {"merge", "--sort", "who", a, a});
  ExpectFailure(2, "tally: show needs at least one FILE (see 'tally show --help')\n", {"show", "--group", "who"});
  ExpectFailure(2, "tally: --summary needs --group (see 'tally show --help')\n", {"show", "--summary", a});
  ExpectFailure(2, "tally: filter needs EXPR, IN and OUT (see 'tally filter --help')\n", {"filter", "who = 'x'", a});
  ExpectFailure(2, "tally: merge needs a TARGET and at least one SOURCE (see 'tally merge --help')\n",
                {"merge", a});
  ExpectFailure(2, "tally: convert needs exactly one FILE (see 'tally convert --help')\n", {"convert", a, B()});
  ExpectFailure(2, "tally: unknown command 'nothing' (see 'tally --help')\n", {"help", "nothing"});
  // Seven keys are fine, and so is a file named like an option after "--".
  EXPECT_EQ(Expect(0, {"show", "--sort", "date,duration,who,job,code,description,-order", "--format", "tsv", "--",
                       B()}),
            kSheetB);
}

TEST_F(UsageTest, FileErrorsNameTheFileAndGiveTheMessageWithStatusOne) {
  const std::string missing = File("missing.txt");
  ExpectFailure(1, "tally: " + missing + ": The file does not exist on disk\n", {"show", A(), missing});
  // show does not create what it cannot find.
  EXPECT_FALSE(std::filesystem::exists(missing));

  // A folder cannot be opened as a time sheet.
  std::filesystem::create_directory(File("folder"));
  ExpectFailure(1, "tally: " + File("folder") + ": A file could not be opened: it is a folder\n", {"show", File("folder")});
  ExpectFailure(1, "tally: " + File("folder") + ": A file could not be opened: it is a folder\n", {"show", A(), File("folder")});

  // A time sheet that another program holds (as the window holds its open files) cannot be
  // read meanwhile.
  const int held = ::open(A().c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  ExpectFailure(1, "tally: " + A() + ": A file could not be opened: it is in use by another program\n", {"show", A()});
  ExpectFailure(1, "tally: " + A() + ": A file could not be opened: it is in use by another program\n", {"merge", B(), A()});
  ::close(held);
  EXPECT_EQ(Bytes("b.txt"), kSheetB);
  EXPECT_EQ(Expect(0, {"show", "--format", "tsv", B()}), kSheetB);
}

} // namespace
} // namespace clitest
