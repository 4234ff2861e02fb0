// The task record: splitting lines into fields, the four-digit-year rewrite, date orders,
// building from separate values, and days a 32-bit date cannot hold.
#include "core/DateTestHelpers.h"
#include "tasks/STask.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

namespace {

using datetest::Local;
using datetest::Noon;
using F = SDateFormat;

STask Make(const std::string & line, F order = F::eMDY) {
  return STask(order, line.data(), static_cast<unsigned int>(line.size()));
}

std::array<std::string, 6> Fields(const STask & task) {
  std::array<std::string, 6> fields;
  for (int i = 0; i < STask::eFieldCount; ++i)
    task.GetSubfield(static_cast<STask::EField>(i), fields[i]);
  return fields;
}

// The spans must lie inside the text, in order, separated by single tabs.
void ExpectConsistentSpans(const STask & task) {
  std::uint32_t expectedStart = 0;
  for (int i = 0; i < STask::eFieldCount; ++i) {
    const auto field = static_cast<STask::EField>(i);
    EXPECT_EQ(task.GetSubfieldStart(field), expectedStart) << "field " << i;
    const std::uint32_t end = task.GetSubfieldStart(field) + task.GetSubfieldLength(field);
    ASSERT_LE(end, task.size());
    if (i < STask::eDescription) {
      ASSERT_LT(end, task.size());
      EXPECT_EQ(task[end], '\t') << "after field " << i;
      EXPECT_EQ(task.Subfield(field).find('\t'), std::string_view::npos);
    } else {
      EXPECT_EQ(end, task.size());
    }
    expectedStart = end + 1;
  }
}

class STaskZones : public datetest::ZoneTest {};

TEST_P(STaskZones, LinesAreReadIntoSixFieldsWithFourDigitYears) {
  const std::string nul("01/02/2012\t1\ta\0b\tc\td\te", 22);
  const struct {
    std::string mLine;
    F::EFormat mOrder;
    std::string mText;
  } cases[] = {
      {"12/25/12\t1:30\tJD\t100\tFC\tWrote", F::eMDY, "12/25/2012\t1:30\tJD\t100\tFC\tWrote"},
      {"25/12/12\t1.5\tA\tB\tC\tD", F::eDMY, "25/12/2012\t1.5\tA\tB\tC\tD"},
      {"12/1/2\t\t\t\t\t", F::eYMD, "2012/01/02\t\t\t\t\t"},
      {"1/2/3\tx", F::eMDY, "01/02/2003\tx\t\t\t\t"},
      {"1/2/39\t\t\t\t\t", F::eMDY, "01/02/2039\t\t\t\t\t"},
      // A longer numeric date shrinks, and the later fields move back.
      {"0012/025/2012\t2\tA\tB\tC\tD", F::eMDY, "12/25/2012\t2\tA\tB\tC\tD"},
      // Missing tabs are appended; extra ones stay in the description.
      {"just some words", F::eMDY, "just some words\t\t\t\t\t"},
      {"1/2/2012\t3:00\tAB", F::eMDY, "01/02/2012\t3:00\tAB\t\t\t"},
      {"01/02/2012\t1\ta\tb\tc\td\te\tf", F::eMDY, "01/02/2012\t1\ta\tb\tc\td\te\tf"},
      {nul, F::eMDY, nul},
      // Days a 32-bit date cannot hold keep their text.
      {"12/31/1969\tx", F::eMDY, "12/31/1969\tx\t\t\t\t"},
      {"1/1/2200\t\t\t\t\t", F::eMDY, "1/1/2200\t\t\t\t\t"},
  };
  for (const auto & c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.mLine));
    const STask task = Make(c.mLine, c.mOrder);
    EXPECT_EQ(task, c.mText);
    EXPECT_EQ(task.GetDateFormat(), F(c.mOrder));
    ExpectConsistentSpans(task);
  }
  const STask first = Make(cases[0].mLine);
  EXPECT_EQ(Local(first.GetDate()), Noon(2012, 12, 25));
  EXPECT_EQ(static_cast<unsigned long>(first.GetDuration()), 5400u);
  EXPECT_EQ(Fields(Make(cases[8].mLine))[STask::eDescription], "d\te\tf");
  EXPECT_EQ(Fields(Make("\t\t\t\t\t\t"))[STask::eDescription], "\t");
  EXPECT_EQ(Fields(Make(nul))[STask::eWhoCode], std::string("a\0b", 3));
}

TEST_P(STaskZones, ChangingTheDateOrderRewritesTheDate) {
  STask task = Make("12/25/2012\t1:30\tJD\t100\tFC\tDesc");
  const SDate date = task.GetDate();
  // The last order cannot be written: the text stays.
  const std::pair<F::EFormat, const char *> orders[] = {
      {F::eDMY, "25/12/2012"}, {F::eYMD, "2012/12/25"}, {F::eMDY, "12/25/2012"}, {static_cast<F::EFormat>(8), "12/25/2012"}};
  for (const auto & [order, text] : orders) {
    task.SetDateFormat(F(order));
    EXPECT_EQ(task, std::string(text) + "\t1:30\tJD\t100\tFC\tDesc");
    EXPECT_EQ(task.GetDate(), date);
    ExpectConsistentSpans(task);
  }

  // A field of another length (built from values) moves the later starts.
  TaskFields fields;
  fields.date.SetFormat(F::eMDY);
  fields.date = "1/2/12";
  fields.duration = "1:00";
  fields.whoCode = "A";
  STask built(F::eMDY);
  built = fields;
  EXPECT_EQ(built, "1/2/12\t1:00\tA\t\t\t");
  built.SetDateFormat(F::eDMY);
  EXPECT_EQ(built, "02/01/2012\t1:00\tA\t\t\t");
  ExpectConsistentSpans(built);
}

TEST_P(STaskZones, DaysADateCannotHoldKeepTheirText) {
  const std::string line = "1/2/65\t1:00\tJD\t100\tFC\tOld entry";
  STask task = Make(line);
  EXPECT_EQ(static_cast<unsigned long>(task.GetDate()), 0u);
  EXPECT_EQ(task.GetSubfieldLength(STask::eDate), 6u);
  // It sorts before every day that can be held.
  EXPECT_EQ(STask::CompareDates(Make(line), Make("1/2/1970\t\t\t\t\t")), -1);

  // Built from values in another order, the date's text survives too.
  TaskFields fields = Make(line);
  fields.date.SetFormat(F::eDMY);
  STask built(F::eMDY);
  built = fields;
  EXPECT_EQ(built, line);
  EXPECT_EQ(fields.date, "1/2/65");
  EXPECT_EQ(fields.date.GetFormat(), F(F::eMDY));
  EXPECT_EQ(static_cast<unsigned long>(built.GetDate()), 0u);
}

TEST_P(STaskZones, ValuesWithTabsOrLineBreaksReadBackIntoTheSameFields) {
  TaskFields fields;
  fields.date.SetFormat(F::eMDY);
  fields.date = "01/02/2012";
  fields.duration = "1:00";
  fields.whoCode = "J\tD";
  fields.jobNumber = "1\r\n2";
  fields.timeCode = "F\nC";
  fields.description = "line\tone\r\nline two";
  STask task(F::eMDY);
  task = fields;
  EXPECT_EQ(task, "01/02/2012\t1:00\tJ D\t1  2\tF C\tline\tone  line two");
  ExpectConsistentSpans(task);
  EXPECT_EQ(Fields(Make(task)), Fields(task));
}

TEST_P(STaskZones, RandomLinesSurviveTheFieldsRoundTrip) {
  std::mt19937 random(1234);
  const char alphabet[] = "0123456789/:.\t abcXYZ\xe9\x01";
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
  for (int i = 0; i < 3000; ++i) {
    std::string line(length(random), ' ');
    for (char & c : line)
      c = alphabet[pick(random)];
    const STask task = Make(line);
    ExpectConsistentSpans(task);
    // What Parse left is stable: reading it again changes nothing.
    const STask again = Make(task);
    ASSERT_EQ(again, task) << line;
    ASSERT_EQ(again.GetDate(), task.GetDate()) << line;
    TaskFields fields = task;
    STask rebuilt(F::eMDY);
    rebuilt = fields;
    ASSERT_EQ(rebuilt, task) << line;
    ASSERT_EQ(rebuilt.GetDate(), task.GetDate());
    ASSERT_EQ(rebuilt.GetDuration(), task.GetDuration());
    ExpectConsistentSpans(rebuilt);
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, STaskZones, ::testing::Values("UTC", "America/New_York"));

} // namespace
