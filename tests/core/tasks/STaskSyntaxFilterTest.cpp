// Tests of the task symbols and the expression filter over a small time sheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/syntax/CaseSensitivityScope.h"
#include "syntax/SMathSyntax.h"
#include "support/TestSupport.h"
#include "tasks/STask.h"
#include "tasks/STaskSymbolServer.h"
#include "tasks/STaskSyntaxFilter.h"

namespace {

using testsupport::ScopedCaseSensitivity;

const char * const kSheet[] = {
    "01/03/2012\t1:30:00\tabc\t100\tA\tDesign review",
    "01/04/2012\t2:00:00\tABX\t101\tB\tCoding * wildcards",
    "12/30/2011\t0:45:00\txab\t100\tX\tMeeting",
    "06/15/2012\t3:15:00\ta*\t102\tC\tStar in the who code",
    "03/11/2012\t1:30:01\tAb\t103\tX\tDaylight saving starts in New York",
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

TEST(STaskSyntaxFilter, TaskTextIsNeverAPattern) {
  ScopedCaseSensitivity sensitive(SWildcardString::eCaseSensitive);
  const std::vector<STask> tasks = Sheet();
  EXPECT_EQ(Kept(tasks, "who = 'a*'"), (Indices{0, 3}));
  EXPECT_EQ(Kept(tasks, "who = \"a*\""), (Indices{3}));
  EXPECT_EQ(Kept(tasks, "who = 'a'"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "description = '*\\* wild*'"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "description = '*g * w*'"), (Indices{1}));
}

TEST(STaskSyntaxFilter, ResultRulesAndCaughtErrors) {
  const std::vector<STask> tasks = Sheet();
  const Indices all{0, 1, 2, 3, 4};
  EXPECT_EQ(Kept(tasks, "1"), all);
  EXPECT_EQ(Kept(tasks, "0.5"), all);
  EXPECT_EQ(Kept(tasks, "0"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "0.0"), (Indices{}));
  // Not conditions: a text, a date, a duration, the null term.
  EXPECT_EQ(Kept(tasks, "who"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "date"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "duration"), (Indices{}));
  EXPECT_EQ(Kept(tasks, ""), (Indices{}));
  // Syntax errors and unknown names give an empty result, never an exception.
  EXPECT_EQ(Kept(tasks, "who = "), (Indices{}));
  EXPECT_EQ(Kept(tasks, "Who = 'abc'"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "who = 'abc' and job = \"100\""), (Indices{}));
  EXPECT_EQ(Kept(tasks, std::string(1000, '(')), (Indices{}));
  // An error in some entries only leaves just those out.
  EXPECT_EQ(Kept(tasks, "duration / (duration - 5400) > 0"), (Indices{1, 3, 4}));
  // A text that fails to prepare is evaluated as far as its list allows: a stray
  // closing parenthesis after a complete condition.
  EXPECT_EQ(Kept(tasks, "job = \"100\")"), (Indices{}));
  EXPECT_EQ(Kept(tasks, "job = \"100\" , garbage"), (Indices{0, 2}));
}

} // namespace
