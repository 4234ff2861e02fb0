// tally show: every output format, flat and grouped, sorting, date orders and filtering,
// compared as whole outputs.
#include "cli/CliFixture.h"

namespace clitest {
namespace {

using ShowTest = CliTest;

TEST_F(ShowTest, TextListsTheMergedEntriesInFileOrderWithAlignedColumnsAndATotal) {
  // The second file follows the first; the short date is shown in full.
  EXPECT_EQ(Expect(0, {"show", A(), B()}),
            "12/25/2012  1:30:00  JD  1001  A  Design review\n"
            "01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "03/10/2013  0:45     AB  1001  A  site\tvisit\n"
            "11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "02/28/2013  0.25     KL  1001  A  memo\n"
            "Duration: 06:00:00  Entry Count: 5\n");
  // Merging the other way round puts the other file first.
  EXPECT_EQ(Expect(0, {"show", B(), A()}),
            "02/28/2013  0.25     KL  1001  A  memo\n"
            "12/25/2012  1:30:00  JD  1001  A  Design review\n"
            "01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "03/10/2013  0:45     AB  1001  A  site\tvisit\n"
            "11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "Duration: 06:00:00  Entry Count: 5\n");
}

TEST_F(ShowTest, SortingUsesSeveralKeysDescendingKeysAndKeepsFileOrderForTies) {
  // Who codes compare without case; within one who code the latest date comes first.
  EXPECT_EQ(Expect(0, {"show", "--sort", "who,-date", A(), B()}),
            "03/10/2013  0:45     AB  1001  A  site\tvisit\n"
            "01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "12/25/2012  1:30:00  JD  1001  A  Design review\n"
            "02/28/2013  0.25     KL  1001  A  memo\n"
            "Duration: 06:00:00  Entry Count: 5\n");
  // 1:30:00 and 1.5 are the same duration: they keep their order in the file...
  EXPECT_EQ(Expect(0, {"show", "--sort", "duration", "--format", "tsv", A(), B()}),
            "02/28/2013\t0.25\tKL\t1001\tA\tmemo\n"
            "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n"
            "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\n"
            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n"
            "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n");
  // ...unless descending order in file breaks the tie.
  EXPECT_EQ(Expect(0, {"show", "--sort", "duration,-order", "--format", "tsv", A(), B()}),
            "02/28/2013\t0.25\tKL\t1001\tA\tmemo\n"
            "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n"
            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n"
            "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\n"
            "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n");
  EXPECT_EQ(Expect(0, {"show", "--sort", "-order", "--format", "tsv", B(), B()}), kSheetB + kSheetB);
}

TEST_F(ShowTest, TextGroupsAreIndentedWithTotalsAndTheirEntriesUnderThem) {
  // A group's heading is the spelling of its first entry; entries keep file order...
  EXPECT_EQ(Expect(0, {"show", "--group", "who", A(), B()}),
            "ab:  02:15:00\n"
            "  01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "  03/10/2013  0:45     AB  1001  A  site\tvisit\n"
            "JD:  03:30:00\n"
            "  12/25/2012  1:30:00  JD  1001  A  Design review\n"
            "  11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "KL:  00:15:00\n"
            "  02/28/2013  0.25     KL  1001  A  memo\n"
            "Duration: 06:00:00  Entry Count: 5\n");
  // ...or the sort keys within each group.
  EXPECT_EQ(Expect(0, {"show", "--group", "who", "--sort", "-duration", A(), B()}),
            "ab:  02:15:00\n"
            "  01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "  03/10/2013  0:45     AB  1001  A  site\tvisit\n"
            "JD:  03:30:00\n"
            "  11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "  12/25/2012  1:30:00  JD  1001  A  Design review\n"
            "KL:  00:15:00\n"
            "  02/28/2013  0.25     KL  1001  A  memo\n"
            "Duration: 06:00:00  Entry Count: 5\n");
  // Two levels, the second descending; the heading follows the group's first entry in
  // that order (jd's job 1002 now comes before JD's 1001).
  EXPECT_EQ(Expect(0, {"show", "--group", "who,-job", A(), B()}),
            "ab:  02:15:00\n"
            "  1002:  01:30:00\n"
            "    01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "  1001:  00:45:00\n"
            "    03/10/2013  0:45     AB  1001  A  site\tvisit\n"
            "jd:  03:30:00\n"
            "  1002:  02:00:00\n"
            "    11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "  1001:  01:30:00\n"
            "    12/25/2012  1:30:00  JD  1001  A  Design review\n"
            "KL:  00:15:00\n"
            "  1001:  00:15:00\n"
            "    02/28/2013  0.25     KL  1001  A  memo\n"
            "Duration: 06:00:00  Entry Count: 5\n");
}

TEST_F(ShowTest, SummaryPrintsOnlyTheGroupRowsInEveryFormat) {
  EXPECT_EQ(Expect(0, {"show", "--group", "code,who", "--summary", A(), B()}),
            "A:  02:30:00\n"
            "  AB:  00:45:00\n"
            "  JD:  01:30:00\n"
            "  KL:  00:15:00\n"
            "B:  01:30:00\n"
            "  ab:  01:30:00\n"
            "C:  02:00:00\n"
            "  jd:  02:00:00\n"
            "Duration: 06:00:00  Entry Count: 5\n");
  EXPECT_EQ(Expect(0, {"show", "--group", "code,who", "--summary", "--format", "json", A(), B()}),
            "[\n"
            "  {\"heading\": \"A\", \"seconds\": 9000, \"duration\": \"02:30:00\", \"count\": 3, \"groups\": [\n"
            "    {\"heading\": \"AB\", \"seconds\": 2700, \"duration\": \"00:45:00\", \"count\": 1, \"groups\": []},\n"
            "    {\"heading\": \"JD\", \"seconds\": 5400, \"duration\": \"01:30:00\", \"count\": 1, \"groups\": []},\n"
            "    {\"heading\": \"KL\", \"seconds\": 900, \"duration\": \"00:15:00\", \"count\": 1, \"groups\": []}\n"
            "  ]},\n"
            "  {\"heading\": \"B\", \"seconds\": 5400, \"duration\": \"01:30:00\", \"count\": 1, \"groups\": [\n"
            "    {\"heading\": \"ab\", \"seconds\": 5400, \"duration\": \"01:30:00\", \"count\": 1, \"groups\": []}\n"
            "  ]},\n"
            "  {\"heading\": \"C\", \"seconds\": 7200, \"duration\": \"02:00:00\", \"count\": 1, \"groups\": [\n"
            "    {\"heading\": \"jd\", \"seconds\": 7200, \"duration\": \"02:00:00\", \"count\": 1, \"groups\": []}\n"
            "  ]}\n"
            "]\n");
  // tsv and csv cannot mix groups and entries: with --group they give group rows only.
  const std::string tsv = "0\tA\t9000\t3\n1\tAB\t2700\t1\n1\tJD\t5400\t1\n1\tKL\t900\t1\n"
                          "0\tB\t5400\t1\n1\tab\t5400\t1\n0\tC\t7200\t1\n1\tjd\t7200\t1\n";
  EXPECT_EQ(Expect(0, {"show", "--group", "code,who", "--format", "tsv", A(), B()}), tsv);
  EXPECT_EQ(Expect(0, {"show", "--group", "code,who", "--summary", "--format=tsv", A(), B()}), tsv);
  EXPECT_EQ(Expect(0, {"show", "--group", "who", "--format", "csv", A(), B()}),
            "level,heading,seconds,entries\r\n0,ab,8100,2\r\n0,JD,12600,2\r\n0,KL,900,1\r\n");
}

TEST_F(ShowTest, TsvIsTheTimeSheetItselfWhateverOrderDatesAreShownIn) {
  // Month, day, year as files hold it, one line feed after each line; the short date is in
  // full, as saving writes it.
  const std::string sheet = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\n"
                            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n"
                            "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n"
                            "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n"
                            "02/28/2013\t0.25\tKL\t1001\tA\tmemo\n";
  EXPECT_EQ(Expect(0, {"show", "--format", "tsv", A(), B()}), sheet);
  EXPECT_EQ(Expect(0, {"show", "--format", "tsv", "--date-order", "dmy", A(), B()}), sheet);
  EXPECT_EQ(Expect(0, {"show", "--format", "tsv", "--date-order", "ydm", A(), B()}), sheet);
}

TEST_F(ShowTest, CsvQuotesAsRfc4180WithAHeaderAndExactSeconds) {
  EXPECT_EQ(Expect(0, {"show", "--format", "csv", A(), B()}),
            "date,duration,seconds,who,job,code,description\r\n"
            "12/25/2012,1:30:00,5400,JD,1001,A,Design review\r\n"
            "01/02/2013,1.5,5400,ab,1002,B,\"call, \"\"quoted\"\"\"\r\n"
            "03/10/2013,0:45,2700,AB,1001,A,site\tvisit\r\n"
            "11/03/2013,2:00:00,7200,jd,1002,C,caf\xC3\xA9\r\n"
            "02/28/2013,0.25,900,KL,1001,A,memo\r\n");
  // A heading with a comma is quoted too.
  testsupport::WriteFileBytes(File("c.txt"), "01/01/2013\t1:00\tA,B\t1\tX\td\n");
  EXPECT_EQ(Expect(0, {"show", "--format", "csv", "--group", "who", File("c.txt")}),
            "level,heading,seconds,entries\r\n0,\"A,B\",3600,1\r\n");
}

TEST_F(ShowTest, JsonNestsGroupsWithTheirEntries) {
  EXPECT_EQ(Expect(0, {"show", "--format", "json", B()}),
            "[\n"
            "  {\"date\": \"02/28/2013\", \"duration\": \"0.25\", \"seconds\": 900, \"who\": \"KL\", \"job\": "
            "\"1001\", \"code\": \"A\", \"description\": \"memo\"}\n"
            "]\n");
  EXPECT_EQ(Expect(0, {"show", "--format", "json", "--group", "code,who", "--sort", "date", A()}),
            "[\n"
            "  {\"heading\": \"A\", \"seconds\": 8100, \"duration\": \"02:15:00\", \"count\": 2, \"entries\": [], "
            "\"groups\": [\n"
            "    {\"heading\": \"AB\", \"seconds\": 2700, \"duration\": \"00:45:00\", \"count\": 1, \"entries\": [\n"
            "      {\"date\": \"03/10/2013\", \"duration\": \"0:45\", \"seconds\": 2700, \"who\": \"AB\", \"job\": "
            "\"1001\", \"code\": \"A\", \"description\": \"site\\tvisit\"}\n"
            "    ], \"groups\": []},\n"
            "    {\"heading\": \"JD\", \"seconds\": 5400, \"duration\": \"01:30:00\", \"count\": 1, \"entries\": [\n"
            "      {\"date\": \"12/25/2012\", \"duration\": \"1:30:00\", \"seconds\": 5400, \"who\": \"JD\", \"job\": "
            "\"1001\", \"code\": \"A\", \"description\": \"Design review\"}\n"
            "    ], \"groups\": []}\n"
            "  ]},\n"
            "  {\"heading\": \"B\", \"seconds\": 5400, \"duration\": \"01:30:00\", \"count\": 1, \"entries\": [], "
            "\"groups\": [\n"
            "    {\"heading\": \"ab\", \"seconds\": 5400, \"duration\": \"01:30:00\", \"count\": 1, \"entries\": [\n"
            "      {\"date\": \"01/02/2013\", \"duration\": \"1.5\", \"seconds\": 5400, \"who\": \"ab\", \"job\": "
            "\"1002\", \"code\": \"B\", \"description\": \"call, \\\"quoted\\\"\"}\n"
            "    ], \"groups\": []}\n"
            "  ]},\n"
            "  {\"heading\": \"C\", \"seconds\": 7200, \"duration\": \"02:00:00\", \"count\": 1, \"entries\": [], "
            "\"groups\": [\n"
            "    {\"heading\": \"jd\", \"seconds\": 7200, \"duration\": \"02:00:00\", \"count\": 1, \"entries\": [\n"
            "      {\"date\": \"11/03/2013\", \"duration\": \"2:00:00\", \"seconds\": 7200, \"who\": \"jd\", \"job\": "
            "\"1002\", \"code\": \"C\", \"description\": \"caf\xC3\xA9\"}\n"
            "    ], \"groups\": []}\n"
            "  ]}\n"
            "]\n");
}

TEST_F(ShowTest, EmptySheetsGiveEmptyListingsInEveryFormat) {
  testsupport::WriteFileBytes(File("empty.txt"), "");
  const std::string empty = File("empty.txt");
  EXPECT_EQ(Expect(0, {"show", empty}), "Duration: 00:00:00  Entry Count: 0\n");
  EXPECT_EQ(Expect(0, {"show", "--group", "who", empty}), "Duration: 00:00:00  Entry Count: 0\n");
  EXPECT_EQ(Expect(0, {"show", "--format", "tsv", empty}), "");
  EXPECT_EQ(Expect(0, {"show", "--format", "csv", empty}), "date,duration,seconds,who,job,code,description\r\n");
  EXPECT_EQ(Expect(0, {"show", "--format", "csv", "--group", "who", empty}), "level,heading,seconds,entries\r\n");
  EXPECT_EQ(Expect(0, {"show", "--format", "json", empty}), "[]\n");
  EXPECT_EQ(Expect(0, {"show", "--format", "json", "--group", "who,job", empty}), "[]\n");
  // A filter that matches nothing is an empty listing too, not an error.
  EXPECT_EQ(Expect(0, {"show", "--filter", "who = 'nobody'", A()}), "Duration: 00:00:00  Entry Count: 0\n");
}

TEST_F(ShowTest, DatesAreShownInTheChosenOrderForMergedFilesTooAndFilterDatesAreReadInIt) {
  EXPECT_EQ(Expect(0, {"show", "--date-order", "dmy", A(), B()}),
            "25/12/2012  1:30:00  JD  1001  A  Design review\n"
            "02/01/2013  1.5      ab  1002  B  call, \"quoted\"\n"
            "10/03/2013  0:45     AB  1001  A  site\tvisit\n"
            "03/11/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "28/02/2013  0.25     KL  1001  A  memo\n"
            "Duration: 06:00:00  Entry Count: 5\n");
  // 1/3/2013 is the first of March in day, month, year order.
  EXPECT_EQ(Expect(0, {"show", "--date-order", "dmy", "--format", "csv", "--filter", "date >= '1/3/2013'", A(), B()}),
            "date,duration,seconds,who,job,code,description\r\n"
            "10/03/2013,0:45,2700,AB,1001,A,site\tvisit\r\n"
            "03/11/2013,2:00:00,7200,jd,1002,C,caf\xC3\xA9\r\n");
  EXPECT_EQ(Expect(0, {"show", "--date-order", "ymd", "--filter", "date>='2013/3/1'", A(), B()}),
            "2013/03/10  0:45     AB  1001  A  site\tvisit\n"
            "2013/11/03  2:00:00  jd  1002  C  caf\xC3\xA9\n"
            "Duration: 02:45:00  Entry Count: 2\n");
  // Grouping by date heads each group with the date as shown.
  EXPECT_EQ(Expect(0, {"show", "--date-order", "myd", "--group", "-date", "--summary", A()}),
            "11/2013/03:  02:00:00\n03/2013/10:  00:45:00\n01/2013/02:  01:30:00\n12/2012/25:  01:30:00\n"
            "Duration: 05:45:00  Entry Count: 4\n");
  // The system's order is the locale's; C writes month, day, year.
  EXPECT_EQ(Expect(0, {"show", "--date-order", "system", "--format", "csv", B()}),
            "date,duration,seconds,who,job,code,description\r\n02/28/2013,0.25,900,KL,1001,A,memo\r\n");
}

TEST_F(ShowTest, FilterMatchesWildcardsWithoutCaseUnlessAskedTo) {
  EXPECT_EQ(Expect(0, {"show", "--filter", "who = 'a*' OR duration > '1:45'", "--format", "tsv", A(), B()}),
            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n"
            "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n"
            "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n");
  EXPECT_EQ(Expect(0, {"show", "--case-sensitive", "--filter", "who = 'a*' OR duration > '1:45'", "--format", "tsv",
                       A(), B()}),
            "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n"
            "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n");
  // NOT binds looser than the relations; the filtered entries are then grouped and totalled.
  EXPECT_EQ(Expect(0, {"show", "--filter", "NOT job = '1001' AND description <> \"memo\"", "--group", "code",
                       "--format", "csv", A(), B()}),
            "level,heading,seconds,entries\r\n0,B,5400,1\r\n0,C,7200,1\r\n");
}

TEST_F(ShowTest, AFilterThatCannotBeParsedIsReportedAndNothingIsPrinted) {
  ExpectFailure(1, "tally: invalid filter expression \"who = \": Missing Term After Operator\n",
                {"show", "--filter", "who = ", A()});
  ExpectFailure(1, "tally: invalid filter expression \"(who = 'x'\": Missing Closing Parenthesis\n",
                {"show", "--filter", "(who = 'x'", A()});
  ExpectFailure(1, "tally: invalid filter expression \"who == 'x'\": Missing Term Before Operator\n",
                {"show", "--filter", "who == 'x'", A()});
  // Lower-case "and" is no keyword.
  ExpectFailure(1, "tally: invalid filter expression \"who = 'x' and job = '1'\": Expected an Operator\n",
                {"show", "--filter", "who = 'x' and job = '1'", A()});
  // Names that are no field, and text the expression would ignore, are reported as well:
  // the window would show an empty or a quietly different result.
  ExpectFailure(1,
                "tally: invalid filter expression \"Who = 'x'\": Unknown term 'Who' (the fields are date, duration, "
                "who, job, code, description)\n",
                {"show", "--filter", "Who = 'x'", A()});
  ExpectFailure(1, "tally: invalid filter expression \"who = 'x' , job = '1'\": Unexpected ','\n",
                {"show", "--filter", "who = 'x' , job = '1'", A()});
  // Messages stay on one line, however the expression is written.
  ExpectFailure(1, "tally: invalid filter expression \"who = 'x'\\tOR\\njob = '1'\": Unexpected '\\t'\n",
                {"show", "--filter", "who = 'x'\tOR\njob = '1'", A()});
  std::string longExpression;
  for (int i = 0; i < 20; ++i)
    longExpression += "who = 'x' OR ";
  ExpectFailure(1,
                "tally: invalid filter expression \"" + longExpression.substr(0, 77) +
                    "...\": Missing Term After Operator\n",
                {"show", "--filter", longExpression, A()});
  // The expression is checked before any file is read.
  ExpectFailure(1, "tally: invalid filter expression \"who =\": Missing Term After Operator\n",
                {"show", "--filter", "who =", File("missing.txt")});
}

} // namespace
} // namespace clitest

namespace clitest {
namespace {

TEST_F(ShowTest, GroupTotalsStayExactBeyondWhatADurationHolds) {
  // Twelve entries of 99999 hours add up to more seconds than 32 bits hold.
  std::string sheet;
  for (int i = 0; i < 12; ++i)
    sheet += "01/01/2013\t99999:00:00\tA\t1\tX\tlong\n";
  sheet += "01/02/2013\t1:00\tB\t1\tX\tshort\n";
  testsupport::WriteFileBytes(File("huge.txt"), sheet);
  EXPECT_EQ(Expect(0, {"show", "--group", "who", "--format", "csv", File("huge.txt")}),
            "level,heading,seconds,entries\r\n0,A,4319956800,12\r\n0,B,3600,1\r\n");
  EXPECT_EQ(Expect(0, {"show", "--group", "job,who", "--format", "tsv", File("huge.txt")}),
            "0\t1\t4319960400\t13\n1\tA\t4319956800\t12\n1\tB\t3600\t1\n");
  // json gives the duration in full...
  EXPECT_EQ(Expect(0, {"show", "--group", "who", "--summary", "--format", "json", File("huge.txt")}),
            "[\n"
            "  {\"heading\": \"A\", \"seconds\": 4319956800, \"duration\": \"1199988:00:00\", \"count\": 12, "
            "\"groups\": []},\n"
            "  {\"heading\": \"B\", \"seconds\": 3600, \"duration\": \"01:00:00\", \"count\": 1, \"groups\": []}\n"
            "]\n");
  // ...while the text format shows at most 4 hour digits for a group and 6 for the total.
  EXPECT_EQ(Expect(0, {"show", "--group", "who", "--summary", File("huge.txt")}),
            "A:  9999:59:59\nB:  01:00:00\nDuration: 999999:59:59  Entry Count: 13\n");
}

} // namespace
} // namespace clitest
