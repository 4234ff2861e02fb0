// Date texts: parsing in every order, year rules, today's parts, normalisation, daylight
// saving, formatting, and days a 32-bit date cannot hold.
#include "core/DateTestHelpers.h"
#include "dates/SDateString.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using datetest::Day;
using datetest::Local;
using datetest::Noon;
using F = SDateFormat;

const F::EFormat kOrders[] = {F::eDMY, F::eDYM, F::eMDY, F::eMYD, F::eYDM, F::eYMD};

SDate Parse(const std::string & text, F::EFormat order = F::eMDY) {
  SDateString s(order, true);
  s = text;
  return s;
}

Day ParseDay(const std::string & text, F::EFormat order = F::eMDY) {
  return Local(Parse(text, order));
}

class SDateStringZones : public datetest::ZoneTest {};

// Parsing: every order, year rules, missing or unreadable parts (0 = today's), normalisation,
// and days a 32-bit date cannot hold (all zero: a parse to 0).
TEST_P(SDateStringZones, ParsesPartsYearsAndOutOfRangeValues) {
  struct Row { const char * text; F::EFormat order; int year, month, day; };
  const Row rows[] = {
      {"25/12/2012", F::eDMY, 2012, 12, 25}, {"25/2012/12", F::eDYM, 2012, 12, 25}, {"12/25/2012", F::eMDY, 2012, 12, 25},
      {"12/2012/25", F::eMYD, 2012, 12, 25}, {"2012/25/12", F::eYDM, 2012, 12, 25}, {"2012/12/25", F::eYMD, 2012, 12, 25},
      {"09/01/99", F::eDMY, 1999, 1, 9},     {"09/99/01", F::eDYM, 1999, 1, 9},     {"01/09/99", F::eMDY, 1999, 1, 9},
      {"01/99/09", F::eMYD, 1999, 1, 9},     {"99/09/01", F::eYDM, 1999, 1, 9},     {"99/01/09", F::eYMD, 1999, 1, 9},
      {"1/2/3", F::eMDY, 2003, 1, 2}, {"1/2/0", F::eMDY, 2000, 1, 2}, {"1/2/00", F::eMDY, 2000, 1, 2},
      {"1/2/39", F::eMDY, 2039, 1, 2}, {"1/2/70", F::eMDY, 1970, 1, 2}, {"1/2/99", F::eMDY, 1999, 1, 2},
      {"1/2/2105", F::eMDY, 2105, 1, 2}, {"1/2/123", F::eMDY, 0, 1, 2}, {"1/2/20123", F::eMDY, 0, 1, 2},
      {"1/2/0000", F::eMDY, 0, 1, 2}, {"", F::eMDY, 0, 0, 0}, {"12/25", F::eMDY, 0, 12, 25},
      {"25/12", F::eDMY, 0, 12, 25}, {"12/25", F::eYMD, 0, 12, 25}, {"25", F::eMDY, 0, 0, 25},
      {"-5/25/2012", F::eMDY, 2012, 0, 25}, {" 5/25/2012", F::eMDY, 2012, 0, 25}, {"abc", F::eMDY, 0, 0, 0},
      {"13/45/2012", F::eMDY, 2013, 2, 14}, {"2/30/2012", F::eMDY, 2012, 3, 1}, {"2/29/2013", F::eMDY, 2013, 3, 1},
      {"2/29/2012", F::eMDY, 2012, 2, 29}, {"45/13/2012", F::eDMY, 2013, 2, 14}, {"12/400/2012", F::eMDY, 2014, 1, 4},
      {"1/2/1970", F::eMDY, 1970, 1, 2}, {"2/6/2106", F::eMDY, 2106, 2, 6}, {"12/31/1969", F::eMDY, -1, 0, 0},
      {"1/2/40", F::eMDY, -1, 0, 0}, {"1/2/65", F::eMDY, -1, 0, 0}, {"2/8/2106", F::eMDY, -1, 0, 0}, {"1/0012/2012", F::eMYD, -1, 0, 0},
      {"99999999999/1/2012", F::eMDY, -1, 0, 0}, {"1/99999999999/2012", F::eMDY, -1, 0, 0}};
  for (const Row & row : rows) {
    SCOPED_TRACE(row.text);
    if (row.year < 0) {
      EXPECT_EQ(static_cast<unsigned long>(Parse(row.text, row.order)), 0UL);
      continue;
    }
    auto [today, day] = datetest::WithStableToday([&] { return ParseDay(row.text, row.order); });
    EXPECT_EQ(day, Noon(row.year ? row.year : today.year, row.month ? row.month : today.month,
                        row.day ? row.day : today.day));
  }
}

TEST_P(SDateStringZones, FormatsInEveryOrder) {
  const SDate christmas = Parse("12/25/2012");
  const char * full[] = {"25/12/2012", "25/2012/12", "12/25/2012", "12/2012/25", "2012/25/12", "2012/12/25"};
  const char * shortYear[] = {"25/12/12", "25/12/12", "12/25/12", "12/12/25", "12/25/12", "12/12/25"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(SDateString(christmas, kOrders[i], true), full[i]);
    EXPECT_EQ(SDateString(christmas, kOrders[i], false), shortYear[i]);
  }
}

TEST_P(SDateStringZones, FormattedDatesReadBackInEveryOrder) {
  std::mt19937 random(20121225);
  // Every day from 2 January 1970 to the end of 2105.
  std::uniform_int_distribution<long long> days(1, 49674);
  for (int i = 0; i < 3000; ++i) {
    const long long day = days(random);
    const Day expected = Local(static_cast<std::time_t>(day * 86400 + 43200));
    const SDate date = Parse(std::to_string(expected.month) + "/" + std::to_string(expected.day) +
                             "/" + std::to_string(expected.year));
    ASSERT_EQ(Local(date), Noon(expected.year, expected.month, expected.day));
    const F::EFormat order = kOrders[i % 6];
    const SDateString text(date, order, true);
    ASSERT_EQ(text.size(), 10u);
    ASSERT_EQ(static_cast<unsigned long>(SDate(text)), static_cast<unsigned long>(date)) << text << " order " << order;
    if (expected.year >= 1970 && expected.year < 2040) {
      const SDateString shortText(date, order, false);
      ASSERT_EQ(shortText.size(), 8u);
      SDateString reread(order, true);
      reread = shortText;
      ASSERT_EQ(static_cast<unsigned long>(SDate(reread)), static_cast<unsigned long>(date)) << shortText;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, SDateStringZones,
                         ::testing::Values("UTC", "America/New_York", "Australia/Sydney"));

TEST(SDateString, NoonStaysNoonAcrossDaylightSavingChanges) {
  testsupport::ScopedTimeZone zone("America/New_York");
  // 2013: clocks went forward on 10 March and back on 3 November.
  const char * days[] = {"3/9/2013", "3/10/2013", "3/11/2013", "11/2/2013", "11/3/2013",
                         "11/4/2013", "1/15/2013", "7/15/2013", "12/31/2013"};
  for (const char * text : days) {
    const Day day = Local(Parse(text));
    EXPECT_EQ(day.hour, 12) << text;
    EXPECT_EQ(day.minute, 0) << text;
    EXPECT_EQ(std::to_string(day.month) + "/" + std::to_string(day.day) + "/" + std::to_string(day.year), text);
  }
  // The spring day is 23 hours long, the autumn day 25.
  EXPECT_EQ(static_cast<long>(Parse("3/10/2013")) - static_cast<long>(Parse("3/9/2013")), 82800);
  EXPECT_EQ(static_cast<long>(Parse("11/3/2013")) - static_cast<long>(Parse("11/2/2013")), 90000);
  // Winter noon is 17:00 UTC, summer noon 16:00 UTC.
  EXPECT_EQ(static_cast<long long>(Parse("1/15/2013")), datetest::NoonUtc(2013, 1, 15) + 5 * 3600);
  EXPECT_EQ(static_cast<long long>(Parse("7/15/2013")), datetest::NoonUtc(2013, 7, 15) + 4 * 3600);
}

} // namespace
