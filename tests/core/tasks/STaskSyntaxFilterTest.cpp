// Tests of the task symbols and the expression filter over a small time sheet.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/syntax/CaseSensitivityScope.h"
#include "syntax/SMathSyntax.h"
#include "tasks/STask.h"
#include "tasks/STaskSyntaxFilter.h"

namespace {

using testsupport::ScopedCaseSensitivity;

const char * const kSheet[] = {
    "01/03/2012\t1:30:00\tabc\t100\tA\tDesign review",
    "01/04/2012\t2:00:00\tABX\t101\tB\tCoding * wildcards",
    "12/30/2011\t0:45:00\txab\t100\tX\tMeeting",
    "06/15/2012\t3:15:00\ta*\t102\tC\tStar in the who code",
    "03/11/2012\t1:30:01\tAb\t103\tX\tDaylight saving starts in New York",
    "07/01/2012\t0:15:00\tab\t104\tD\t",
};

std::vector<STask> Sheet() {
  std::vector<STask> tasks;
  for (const char * line : kSheet)
    tasks.emplace_back(SDateFormat(SDateFormat::eMDY), line, static_cast<unsigned int>(std::string(line).size()));
  return tasks;
}

// The indices of the entries of `tasks` that `text` keeps.
std::vector<int> Kept(const std::vector<STask> & tasks, const std::string & text) {
  SMathSyntax syntax;
  STaskSyntaxFilter filter(syntax, text);
  std::vector<int> kept;
  for (std::size_t i = 0; i < tasks.size(); ++i)
    if (filter(tasks[i]))
      kept.push_back(static_cast<int>(i));
  return kept;
}

using Indices = std::vector<int>;

// Task text is never a pattern. What is not a condition (a text, a date, a duration, the
// null term), syntax errors and unknown names keep nothing and never throw; an error in
// some entries leaves just those out; a text that fails to prepare is evaluated as far as
// its list allows (a stray parenthesis or comma after a complete condition).
TEST(STaskSyntaxFilter, KeepsWhatEachTextSays) {
  ScopedCaseSensitivity sensitive(SWildcardString::eCaseSensitive);
  const std::vector<STask> tasks = Sheet();
  const Indices all{0, 1, 2, 3, 4, 5}, none{};
  const std::pair<std::string, Indices> cases[] = {
      {"who = 'a*'", {0, 3, 5}}, {"who = \"a*\"", {3}}, {"who = 'a'", none}, {"description = '*\\* wild*'", none},
      {"description = '*g * w*'", {1}}, {"1", all}, {"0.5", all}, {"0", none}, {"0.0", none},
      {"who", none}, {"date", none}, {"duration", none}, {"", none},
      {"who = ", none}, {"Who = 'abc'", none}, {"who = 'abc' and job = \"100\"", none}, {std::string(1000, '('), none},
      {"duration / (duration - 5400) > 0", {1, 3, 4}}, {"job = \"100\")", none}, {"job = \"100\" , garbage", {0, 2}},
      // An empty field read after a longer one, within one entry and from one entry to the next.
      {"description = \"\"", {5}}, {"\"x\" = who OR \"\" = description", {5}}};
  for (const auto & [text, kept] : cases)
    EXPECT_EQ(Kept(tasks, text), kept) << text;
}

} // namespace
