// tally's commands as a table of runs: arguments, and the exit status, output, message and
// files each must leave (whatever a row does not name stays as it was, and nothing else may
// appear in the folder); and randomized time sheets against an independent model of group
// totals and counts, sort order and filter results.
#include "cli/TallyRunner.h"
#include "dates/SLocale.h"
#include "syntax/SWildcardString.h"

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <sstream>

namespace clitest {
namespace {

const std::string kB = "02/28/2013\t0.25\tKL\t1001\tA\tmemo";
const std::string kCsv = "date,duration,seconds,who,job,code,description\r\n";
const std::string kGroups = "level,heading,seconds,entries\r\n";
const std::string kNothing = "Duration: 00:00:00  Entry Count: 0\n";
const std::string kFields = "(use date, duration, who, job, code, description or order)\n";
const std::string kBad = "invalid filter expression \"";
std::string Repeat(const std::string & inText, int inCount) {
  std::string result;
  for (int i = 0; i < inCount; ++i)
    result += inText;
  return result;
}
const std::string kLong = Repeat("who = 'x' OR ", 20);

using Files = std::map<std::string, std::string>;

// The folder every row starts from; besides these it holds a folder "dir" and a symbolic
// link "link.txt" to a.txt.
const Files kFolder{
    {"a.txt", kSheetA}, {"b.txt", kSheetB}, {"t.txt", kTarget}, {"e.txt", ""}, {"h.txt", Repeat("01/01/2013\t99999:00:00\tA\t1\tX\tlong\n", 12) + "01/02/2013\t1:00\tB\t1\tX\tshort\n"},
    {"keep.txt", "keep"}, {"s.txt", kSheetB + "12/3"},
    {"m.txt", "01/01/2013\t1\tA\t1\tX\tone\nx\r\n01/02/2013\t2\tB\t2\tY\ttwo\r"},
    {"x.txt", "1/1/13\t0:01\tw\t1\tc\t\xE9\x80 \"q\" \\ \x01\x7F \xC0\xAF\n"}};

struct Row {
  const char * mName;
  std::string mArguments;
  int mStatus;
  std::string mOut = {}, mErr = {};
  Files mAfter = {}; // files and their bytes after the run
};

// Arguments are separated by "|" and name files in the folder; messages start with "tally: ".
const Row kRows[] = {
    // Usage errors: status 2, a one-line hint.
    {"no command", "", 2, "", "no command given (see 'tally --help')\n"},
    {"unknown command", "shwo|a.txt", 2, "", "unknown command 'shwo' (see 'tally --help')\n"},
    {"help on nothing", "help|nothing", 2, "", "unknown command 'nothing' (see 'tally --help')\n"},
    {"unknown option", "--verbose", 2, "", "unknown option '--verbose' (see 'tally --help')\n"},
    {"unknown sort field", "show|--sort|date,name|a.txt", 2, "", "unknown field 'name' in --sort " + kFields},
    {"unknown group field", "show|--group|Who|a.txt", 2, "",
     "unknown field 'Who' in --group (use date, duration, who, job, code, description)\n"},
    {"empty sort field", "show|--sort|who,,date|a.txt", 2, "", "empty field name in --sort " + kFields},
    {"eight keys", "show|--sort|date,duration,who,job,code,description,order,date|a.txt", 2, "",
     "more than seven fields in --sort\n"},
    {"order in group", "show|--group|who,-order|a.txt", 2, "",
     "'order' cannot be used in --group (entries are not grouped by their place)\n"},
    {"unknown format", "show|--format|xml|a.txt", 2, "", "unknown format 'xml' (use text, tsv, csv or json)\n"},
    {"unknown date order", "show|--date-order=dd/mm|a.txt", 2, "",
     "unknown date order 'dd/mm' (use system, dmy, dym, mdy, myd, ydm or ymd)\n"},
    {"unknown line break", "convert|--line-break|crlf|a.txt", 2, "", "unknown line break 'crlf' (use mac, windows or unix)\n"},
    {"missing value", "show|a.txt|--sort", 2, "", "option --sort needs a value (see 'tally show --help')\n"},
    {"value for a switch", "show|--summary=yes|a.txt", 2, "", "option --summary takes no value (see 'tally show --help')\n"},
    {"option of another command", "merge|--sort|who|a.txt|a.txt", 2, "",
     "unknown option '--sort' for merge (see 'tally merge --help')\n"},
    {"show without files", "show|--group|who", 2, "", "show needs at least one FILE (see 'tally show --help')\n"},
    {"summary without groups", "show|--summary|a.txt", 2, "", "--summary needs --group (see 'tally show --help')\n"},
    {"filter without OUT", "filter|who = 'x'|a.txt", 2, "", "filter needs EXPR, IN and OUT (see 'tally filter --help')\n"},
    {"merge without sources", "merge|a.txt", 2, "",
     "merge needs a TARGET and at least one SOURCE (see 'tally merge --help')\n"},
    {"convert of two files", "convert|a.txt|b.txt", 2, "", "convert needs exactly one FILE (see 'tally convert --help')\n"},
    {"standard input twice", "show|-|a.txt|-", 2, "", "standard input (-) can be read only once (see 'tally show --help')\n"},
    {"merge from standard input", "merge|new.txt|-", 2, "",
     "merge cannot use standard input or output (-): TARGET and SOURCE must be files (see 'tally merge --help')\n"},
    {"empty --filter", "show|--filter||a.txt", 2, "", "--filter needs an expression (see 'tally show --help')\n"},
    {"empty EXPR", "filter||a.txt|-", 2, "", "EXPR is empty (see 'tally filter --help')\n"},
    {"same file twice", "merge|t.txt|a.txt|a.txt", 2, "", "a.txt: the same file is named twice\n"},
    {"same file through a link", "merge|a.txt|link.txt", 2, "", "link.txt: the same file is named twice\n"},
    // Files that cannot be had: status 1, nothing written or created.
    {"missing file", "show|a.txt|missing.txt", 1, "", "missing.txt: The file does not exist on disk\n"},
    {"folder", "show|a.txt|dir", 1, "", "dir: A file could not be opened: it is a folder\n"},
    {"merge with a missing source", "merge|t.txt|a.txt|missing.txt|--clear-sources", 1, "",
     "missing.txt: The file does not exist on disk\n"},
    {"merge into a new file with a folder", "merge|new.txt|a.txt|dir|--clear-sources", 1, "",
     "dir: A file could not be opened: it is a folder\n"},
    // show in every format.
    {"text", "show|a.txt|b.txt", 0,
     "12/25/2012  1:30:00  JD  1001  A  Design review\n01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
     "03/10/2013  0:45     AB  1001  A  site\tvisit\n11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
     "02/28/2013  0.25     KL  1001  A  memo\nDuration: 06:00:00  Entry Count: 5\n"},
    {"seven keys, files after --", "show|--sort|date,duration,who,job,code,description,-order|--format|tsv|--|b.txt|b.txt",
     0, kSheetB + kSheetB},
    {"two levels of groups", "show|--group|who,-job|a.txt|b.txt", 0,
     "ab:  02:15:00\n  1002:  01:30:00\n    01/02/2013  1.5      ab  1002  B  call, \"quoted\"\n"
     "  1001:  00:45:00\n    03/10/2013  0:45     AB  1001  A  site\tvisit\n"
     "jd:  03:30:00\n  1002:  02:00:00\n    11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n"
     "  1001:  01:30:00\n    12/25/2012  1:30:00  JD  1001  A  Design review\n"
     "KL:  00:15:00\n  1001:  00:15:00\n    02/28/2013  0.25     KL  1001  A  memo\nDuration: 06:00:00  Entry Count: 5\n"},
    {"tsv groups", "show|--group|code,who|--format|tsv|a.txt|b.txt", 0,
     "0\tA\t9000\t3\n1\tAB\t2700\t1\n1\tJD\t5400\t1\n1\tKL\t900\t1\n0\tB\t5400\t1\n1\tab\t5400\t1\n0\tC\t7200\t1\n1\tjd\t7200\t1\n"},
    {"csv groups", "show|--group|who|--format|csv|a.txt|b.txt", 0, kGroups + "0,ab,8100,2\r\n0,JD,12600,2\r\n0,KL,900,1\r\n"},
    {"csv", "show|--format|csv|a.txt|b.txt", 0,
     kCsv + "12/25/2012,1:30:00,5400,JD,1001,A,Design review\r\n01/02/2013,1.5,5400,ab,1002,B,\"call, \"\"quoted\"\"\"\r\n"
            "03/10/2013,0:45,2700,AB,1001,A,site\tvisit\r\n11/03/2013,2:00:00,7200,jd,1002,C,caf\xC3\xA9\r\n"
            "02/28/2013,0.25,900,KL,1001,A,memo\r\n"},

    {"json", "show|--format|json|b.txt", 0,
     "[\n  {\"date\": \"02/28/2013\", \"duration\": \"0.25\", \"seconds\": 900, \"who\": \"KL\", \"job\": \"1001\", "
     "\"code\": \"A\", \"description\": \"memo\"}\n]\n"},
    {"sorted within a group headed as first in the file", "show|--group|who|--sort|-duration|--filter|who = 'j*'|a.txt", 0,
     "JD:  03:30:00\n  11/03/2013  2:00:00  jd  1002  C  caf\xC3\xA9\n  12/25/2012  1:30:00  JD  1001  A  Design review\n"
     "Duration: 03:30:00  Entry Count: 2\n"},
    {"json groups with entries", "show|--format|json|--group|code,who|--filter|code = 'C'|a.txt", 0,
     "[\n  {\"heading\": \"C\", \"seconds\": 7200, \"duration\": \"02:00:00\", \"count\": 1, \"entries\": [], \"groups\": [\n"
     "    {\"heading\": \"jd\", \"seconds\": 7200, \"duration\": \"02:00:00\", \"count\": 1, \"entries\": [\n"
     "      {\"date\": \"11/03/2013\", \"duration\": \"2:00:00\", \"seconds\": 7200, \"who\": \"jd\", \"job\": \"1002\", "
     "\"code\": \"C\", \"description\": \"caf\xC3\xA9\"}\n    ], \"groups\": []}\n  ]}\n]\n"},
    {"tsv headings escaped", "show|--group|description|--summary|--format|tsv|--filter|code = 'A'|a.txt", 0,
     "0\tDesign review\t5400\t1\n0\tsite\\tvisit\t2700\t1\n"},
    {"json of stray bytes", "show|--format|json|--group|description|--summary|x.txt", 0,
     "[\n  {\"heading\": \"\xC3\xA9\xC2\x80 \\\"q\\\" \\\\ \\u0001\\u007f \xC3\x80\xC2\xAF\", \"seconds\": 60, "
     "\"duration\": \"00:01:00\", \"count\": 1, \"groups\": []}\n]\n"},
    {"tsv ignores the date order", "show|--format|tsv|--date-order|dmy|a.txt", 0, SavedA("\n")},
    {"empty text", "show|e.txt", 0, kNothing},
    {"empty csv", "show|--format|csv|e.txt", 0, kCsv},
    {"empty csv groups", "show|--format|csv|--group|who|e.txt", 0, kGroups},
    {"empty json groups", "show|--format|json|--group|who,job|e.txt", 0, "[]\n"},
    {"filter matching nothing", "show|--filter|who = 'nobody'|a.txt", 0, kNothing},
    {"dates read day first", "show|--date-order|dmy|--format|csv|--filter|date >= '1/3/2013'|a.txt|b.txt", 0,
     kCsv + "10/03/2013,0:45,2700,AB,1001,A,site\tvisit\r\n03/11/2013,2:00:00,7200,jd,1002,C,caf\xC3\xA9\r\n"},
    {"date headings", "show|--date-order|myd|--group|-date|--summary|a.txt", 0,
     "11/2013/03:  02:00:00\n03/2013/10:  00:45:00\n01/2013/02:  01:30:00\n12/2012/25:  01:30:00\n"
     "Duration: 05:45:00  Entry Count: 4\n"},
    {"wildcards without case", "show|--filter|who = 'a*' OR duration > '1:45'|--format|tsv|a.txt|b.txt", 0,
     "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\n"
     "11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n"},
    {"wildcards with case", "show|--case-sensitive|--filter|who = 'a*' OR duration > '1:45'|--format|tsv|a.txt|b.txt", 0,
     "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\n11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\n"},
    {"totals beyond 32 bits, csv", "show|--group|who|--format|csv|h.txt", 0, kGroups + "0,A,4319956800,12\r\n0,B,3600,1\r\n",
     ""},
    // Filters that cannot be parsed or evaluated.
    {"missing term", "show|--filter|who = |a.txt", 1, "", kBad + "who = \": Missing Term After Operator\n"},
    {"unknown name", "show|--filter|Who = 'x'|a.txt", 1, "",
     kBad + "Who = 'x'\": Unknown term 'Who' (the fields are date, duration, who, job, code, description)\n"},
    {"control characters", "show|--filter|who = 'x'\tOR\njob = '1'|a.txt", 1, "",
     kBad + "who = 'x'\\tOR\\njob = '1'\": Unexpected '\\t'\n"},
    {"long expression", "show|--filter|" + kLong + "|a.txt", 1, "",
     kBad + kLong.substr(0, 77) + "...\": Missing Term After Operator\n"},
    {"checked before reading", "show|--filter|who =|missing.txt", 1, "", kBad + "who =\": Missing Term After Operator\n"},
    {"text compared with a number", "show|--filter|job = 1001|a.txt", 1, "",
     "the filter expression \"job = 1001\" could not be evaluated for any entry: Mismatched arguments: job is text, "
     "compare it with \"1001\"\n"},
    {"date compared with a number", "show|--filter|date > 5|a.txt", 1, "",
     "the filter expression \"date > 5\" could not be evaluated for any entry: Mismatched arguments: date is a "
     "date, compare it with a quoted date such as '12/25/2012'\n"},
    // 1:30:00 and 1.5 hours are 5400 seconds: two entries divide by zero.
    {"some entries fail", "filter|duration / (duration - 5400) < 0|a.txt|out.txt", 0, "",
     "the filter expression \"duration / (duration - 5400) < 0\" could not be evaluated for 2 of 4 entries, which "
     "do not match (Mismatched arguments)\n", {{"out.txt", "03/10/2013\t0:45\tAB\t1001\tA\tsite\tvisit\r\n"}}},
    // merge, filter and convert: the files they write.
    {"merge", "merge|t.txt|a.txt|b.txt", 0, "", "", {{"t.txt", kTarget + SavedA("\r\n") + kB + "\r\n"}}},
    {"merge and empty the sources", "merge|t.txt|b.txt|a.txt|--clear-sources", 0, "", "",
     {{"t.txt", kTarget + kB + "\r\n" + SavedA("\r\n")}, {"a.txt", ""}, {"b.txt", ""}}},
    {"an emptied source keeps a fragment", "merge|t.txt|s.txt|--clear-sources", 0, "",
     "s.txt: kept the last 4 bytes, which did not form an entry\n", {{"t.txt", kTarget + kB + "\r\n"}, {"s.txt", "12/3"}}},
    {"filter", "filter|job = '1002' OR duration < 1000|a.txt|out.txt", 0, "", "",
     {{"out.txt", "01/02/2013\t1.5\tab\t1002\tB\tcall, \"quoted\"\r\n11/03/2013\t2:00:00\tjd\t1002\tC\tcaf\xC3\xA9\r\n"}}},
    {"filter does not replace", "filter|who = 'K*'|b.txt|keep.txt", 1, "",
     "keep.txt: The file already exists (use --force to replace it)\n"},
    {"filter replaces when forced", "filter|--force|who = 'K*'|b.txt|keep.txt", 0, "", "", {{"keep.txt", kSheetB}}},
    {"filter matching nothing", "filter|--|-duration > 0|a.txt|out.txt", 0, "", "", {{"out.txt", ""}}},
    {"filter in day-month order", "filter|--date-order|dmy|date = '25/12/2012'|a.txt|out.txt", 0, "", "",
     {{"out.txt", "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review\r\n"}}},
    {"filter from a missing file", "filter|who = 'x'|missing.txt|out.txt", 1, "", "missing.txt: The file does not exist on disk\n"},
    {"filter into a missing folder", "filter|who = 'x'|a.txt|no/out.txt", 1, "",
     "no/out.txt: A File could not be created: its folder does not exist\n"},
    {"convert to another file", "convert|a.txt|-o|mac.txt|--line-break|mac", 0, "", "", {{"mac.txt", SavedA("\r")}}},
    {"convert in place", "convert|--line-break=unix|a.txt", 0, "", "", {{"a.txt", SavedA("\n")}}},
    // Without --line-break the first line break decides; a line without tabs gains its five.
    {"convert keeps the first break", "convert|m.txt|--output|p.txt", 0, "", "",
     {{"p.txt", "01/01/2013\t1\tA\t1\tX\tone\nx\t\t\t\t\t\n01/02/2013\t2\tB\t2\tY\ttwo\n"}}},
    {"convert does not replace", "convert|a.txt|-o|keep.txt", 1, "",
     "keep.txt: The file already exists (use --force to replace it)\n"},
    {"convert replaces when forced", "convert|a.txt|-o|keep.txt|--force", 0, "", "", {{"keep.txt", SavedA("\r\n")}}},
};

// Each row runs as the program in a child process and through the tool's classes in this
// process (in the folder, in the child's time zone).
TEST(CliCommands, EveryRowLeavesWhatItSays) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  const std::filesystem::path here = std::filesystem::current_path();
  const SDateFormat dateOrder = SLocale::Default().GetDateFormat();
  const auto caseRule = SWildcardString::GlobalCaseSensitivity();
  for (const Row & row : kRows) {
    for (const bool inProcess : {false, true}) {
      SCOPED_TRACE(std::string(row.mName) + (inProcess ? ", in this process" : ""));
      testsupport::TempDir folder;
      Files files = kFolder;
      for (const auto & [name, bytes] : files)
        testsupport::WriteFileBytes(folder.file(name), bytes);
      std::filesystem::create_directory(folder.file("dir"));
      std::filesystem::create_symlink("a.txt", folder.file("link.txt"));
      TallyRun run{{}, {}, TallyRun::ePipe, false, TallyRun::eNothing, "", folder.path().string()};
      std::istringstream words(row.mArguments);
      for (std::string word; !row.mArguments.empty() && std::getline(words, word, '|');)
        run.mArguments.push_back(word);
      if (inProcess)
        std::filesystem::current_path(folder.path());
      const TallyResult result = inProcess ? RunInProcess(run.mArguments) : RunTally(run);
      std::filesystem::current_path(here);
      EXPECT_EQ(result.mStatus, row.mStatus);
      EXPECT_EQ(result.mOut, row.mOut);
      EXPECT_EQ(result.mErr, row.mErr.empty() ? "" : "tally: " + row.mErr);
      std::vector<std::string> expected{"dir", "link.txt"}, listing;
      for (const auto & [name, bytes] : row.mAfter)
        files[name] = bytes;
      for (const auto & [name, bytes] : files) {
        EXPECT_EQ(testsupport::ReadFileBytes(folder.file(name)), bytes) << name;
        expected.push_back(name);
      }
      for (const auto & entry : std::filesystem::directory_iterator(folder.path()))
        listing.push_back(entry.path().filename().string());
      std::sort(listing.begin(), listing.end());
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(listing, expected);
      // Runs put back the process-wide settings they change.
      EXPECT_EQ(SLocale::Default().GetDateFormat(), dateOrder);
      EXPECT_EQ(SWildcardString::GlobalCaseSensitivity(), caseRule);
    }
  }
}

struct ModelEntry {
  int mYear, mMonth, mDay;
  std::uint64_t mSeconds;
  std::string mLine, mWho, mJob; // the line as written (no line break), and two of its fields
};

std::string Upper(std::string inText) {
  std::transform(inText.begin(), inText.end(), inText.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
  return inText;
}

std::string Two(unsigned inNumber) { return (inNumber < 10 ? "0" : "") + std::to_string(inNumber); }

std::vector<ModelEntry> RandomSheet(std::mt19937 & ioRandom, int inCount) {
  static const char * const kWho[] = {"ab", "AB", "Ab", "cd", "CD", "ef", "x"};
  static const char * const kJob[] = {"1", "2", "10", "j"};
  auto pick = [&](unsigned inLimit) { return static_cast<unsigned>(ioRandom() % inLimit); };
  std::vector<ModelEntry> entries;
  for (int i = 0; i < inCount; ++i) {
    const unsigned quarters = pick(60), hours = quarters / 4, minutes = quarters % 4 * 15;
    ModelEntry entry{2010 + static_cast<int>(pick(4)), 1 + static_cast<int>(pick(12)), 1 + static_cast<int>(pick(28)),
                     quarters * 900ull, "", kWho[pick(7)], kJob[pick(4)]};
    // h:mm:ss, h:mm, decimal hours, or minutes alone past 59.
    const std::string durations[] = {std::to_string(hours) + ":" + Two(minutes) + ":00", std::to_string(hours) + ":" + Two(minutes),
                                     std::to_string(hours) + "." + Two(minutes * 100 / 60), "0:" + std::to_string(quarters * 15)};
    entry.mLine = Two(static_cast<unsigned>(entry.mMonth)) + "/" + Two(static_cast<unsigned>(entry.mDay)) + "/" +
                  std::to_string(entry.mYear) + "\t" + durations[pick(4)] + "\t" + entry.mWho + "\t" + entry.mJob +
                  "\tC\tnote " + std::to_string(i) + (pick(10) == 0 ? "\twith a tab" : "");
    entries.push_back(entry);
  }
  return entries;
}

TEST(CliRandomTest, GroupsSortsFiltersAndTotalsAgreeWithAModel) {
  const testsupport::ScopedTimeZone zone("America/New_York");
  testsupport::TempDir folder;
  std::mt19937 random(20240607);
  for (int round = 0; round < 12; ++round) {
    const std::vector<ModelEntry> entries = RandomSheet(random, round == 0 ? 0 : static_cast<int>(random() % 150));
    std::string sheet;
    for (const ModelEntry & entry : entries)
      sheet += entry.mLine + "\n";
    const std::string file = folder.file("sheet.txt");
    testsupport::WriteFileBytes(file, sheet);
    SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(entries.size()) + " entries");

    // Groups by who code, without case: the heading is the first spelling in the
    // file, groups come in ascending order of the upper-cased text.
    struct Total { std::string mHeading; std::uint64_t mSeconds = 0, mCount = 0; };
    std::map<std::string, Total> byWho;
    for (const ModelEntry & entry : entries) {
      Total & group = byWho[Upper(entry.mWho)];
      if (group.mCount++ == 0)
        group.mHeading = entry.mWho;
      group.mSeconds += entry.mSeconds;
    }
    std::string csv = "level,heading,seconds,entries\r\n";
    for (const auto & [key, who] : byWho)
      csv += "0," + who.mHeading + "," + std::to_string(who.mSeconds) + "," + std::to_string(who.mCount) + "\r\n";
    EXPECT_EQ(RunInProcess({"show", "--group", "who", "--format", "csv", file}).mOut, csv);

    // Sorted by duration, latest date first among equal durations, then file order.
    std::vector<ModelEntry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const ModelEntry & x, const ModelEntry & y) {
      return std::tie(x.mSeconds, y.mYear, y.mMonth, y.mDay) < std::tie(y.mSeconds, x.mYear, x.mMonth, x.mDay);
    });
    std::string listing, matching;
    for (const ModelEntry & entry : sorted)
      listing += entry.mLine + "\n";
    EXPECT_EQ(RunInProcess({"show", "--sort", "duration,-date", "--format", "tsv", file}).mOut, listing);

    // A filter on duration and who code.
    const std::uint64_t limit = 900 * (random() % 60);
    for (const ModelEntry & entry : entries)
      if (entry.mSeconds >= limit && Upper(entry.mWho) != "AB")
        matching += entry.mLine + "\n";
    const std::string filter = "duration >= " + std::to_string(limit) + " AND who <> 'ab'";
    EXPECT_EQ(RunInProcess({"show", "--filter", filter, "--format", "tsv", file}).mOut, matching);
  }
}

} // namespace
} // namespace clitest
