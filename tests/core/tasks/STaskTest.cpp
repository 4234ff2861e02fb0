// The task record: splitting lines into fields, the four-digit-year rewrite, date orders,
// building from separate values, and days a 32-bit date cannot hold.
#include "core/DateTestHelpers.h"
#include "tasks/STask.h"

#include "support/TestSupport.h"

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

class STaskZones : public ::testing::TestWithParam<const char *> {
protected:
  void SetUp() override {
    if (!mZone.Supported())
      GTEST_SKIP() << mZone.WhyUnsupported();
  }
  testsupport::ScopedTimeZone mZone{GetParam()};
};

TEST_P(STaskZones, ShortDatesAreWrittenWithFourDigitYears) {
  STask task = Make("12/25/12\t1:30\tJD\t100\tFC\tWrote the report");
  EXPECT_EQ(task, "12/25/2012\t1:30\tJD\t100\tFC\tWrote the report");
  EXPECT_EQ(Local(task.GetDate()), Noon(2012, 12, 25));
  EXPECT_EQ(static_cast<unsigned long>(task.GetDuration()), 5400u);
  EXPECT_EQ(task.GetDateFormat(), F(F::eMDY));

  EXPECT_EQ(Make("25/12/12\t1.5\tA\tB\tC\tD", F::eDMY), "25/12/2012\t1.5\tA\tB\tC\tD");
  EXPECT_EQ(Make("12/1/2\t\t\t\t\t", F::eYMD), "2012/01/02\t\t\t\t\t");
  EXPECT_EQ(Make("1/2/3\tx", F::eMDY), "01/02/2003\tx\t\t\t\t");
  // A longer numeric date shrinks, and the later fields move back.
  STask longer = Make("0012/025/2012\t2\tA\tB\tC\tD");
  EXPECT_EQ(longer, "12/25/2012\t2\tA\tB\tC\tD");
  EXPECT_EQ(longer.GetSubfieldStart(STask::eDuration), 11u);
  EXPECT_EQ(longer.GetSubfieldStart(STask::eDescription), 19u);
  ExpectConsistentSpans(longer);
}

TEST_P(STaskZones, MissingTabsAreAppended) {
  STask noTabs = Make("just some words");
  EXPECT_EQ(noTabs, "just some words\t\t\t\t\t");
  EXPECT_EQ(Fields(noTabs), (std::array<std::string, 6>{"just some words", "", "", "", "", ""}));
  ExpectConsistentSpans(noTabs);

  STask twoTabs = Make("1/2/2012\t3:00\tAB");
  EXPECT_EQ(twoTabs, "01/02/2012\t3:00\tAB\t\t\t");
  EXPECT_EQ(twoTabs.GetSubfieldStart(STask::eDescription), 21u);
  ExpectConsistentSpans(twoTabs);

  STask sevenTabs = Make("01/02/2012\t1\ta\tb\tc\td\te\tf");
  EXPECT_EQ(sevenTabs, "01/02/2012\t1\ta\tb\tc\td\te\tf");
  EXPECT_EQ(Fields(sevenTabs)[STask::eDescription], "d\te\tf");
  ExpectConsistentSpans(sevenTabs);

  STask onlyTabs = Make("\t\t\t\t\t\t");
  EXPECT_EQ(Fields(onlyTabs)[STask::eDescription], "\t");

  const char withNulText[] = "01/02/2012\t1\ta\0b\tc\td\te";
  const std::string withNul(withNulText, sizeof withNulText - 1);
  STask nul = Make(withNul);
  EXPECT_EQ(nul, withNul);
  EXPECT_EQ(Fields(nul)[STask::eWhoCode], std::string("a\0b", 3));
}

TEST_P(STaskZones, ChangingTheDateOrderRewritesTheDate) {
  STask task = Make("12/25/2012\t1:30\tJD\t100\tFC\tDesc");
  const SDate date = task.GetDate();
  task.SetDateFormat(F::eDMY);
  EXPECT_EQ(task, "25/12/2012\t1:30\tJD\t100\tFC\tDesc");
  task.SetDateFormat(F::eYMD);
  EXPECT_EQ(task, "2012/12/25\t1:30\tJD\t100\tFC\tDesc");
  task.SetDateFormat(F::eMDY);
  EXPECT_EQ(task, "12/25/2012\t1:30\tJD\t100\tFC\tDesc");
  EXPECT_EQ(task.GetDate(), date);
  ExpectConsistentSpans(task);
  // An order that cannot be written leaves the text alone.
  task.SetDateFormat(F(static_cast<F::EFormat>(8)));
  EXPECT_EQ(task, "12/25/2012\t1:30\tJD\t100\tFC\tDesc");
  EXPECT_EQ(task.GetDate(), date);

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
  EXPECT_EQ(task, line);
  EXPECT_EQ(static_cast<unsigned long>(task.GetDate()), 0u);
  EXPECT_EQ(task.GetSubfieldLength(STask::eDate), 6u);
  ExpectConsistentSpans(task);

  // It sorts before every day that can be held.
  EXPECT_EQ(STask::CompareDates(Make(line), Make("1/2/1970\t\t\t\t\t")), -1);
  EXPECT_EQ(Make("12/31/1969\tx"), "12/31/1969\tx\t\t\t\t");
  EXPECT_EQ(Make("1/1/2200\t\t\t\t\t"), "1/1/2200\t\t\t\t\t");
  EXPECT_EQ(Make("1/2/39\t\t\t\t\t"), "01/02/2039\t\t\t\t\t");

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
  const STask reread = Make(task);
  EXPECT_EQ(reread, task);
  EXPECT_EQ(Fields(reread), Fields(task));
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
