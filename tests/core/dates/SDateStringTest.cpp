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

// Writes d, m and y in the given order with "/".
std::string InOrder(F::EFormat order, const std::string & d, const std::string & m,
                    const std::string & y) {
  switch (order) {
  case F::eDMY: return d + "/" + m + "/" + y;
  case F::eDYM: return d + "/" + y + "/" + m;
  case F::eMDY: return m + "/" + d + "/" + y;
  case F::eMYD: return m + "/" + y + "/" + d;
  case F::eYDM: return y + "/" + d + "/" + m;
  case F::eYMD: return y + "/" + m + "/" + d;
  }
  return "";
}

class SDateStringZones : public ::testing::TestWithParam<const char *> {
protected:
  void SetUp() override {
    if (!mZone.Supported())
      GTEST_SKIP() << mZone.WhyUnsupported();
  }
  testsupport::ScopedTimeZone mZone{GetParam()};
};

TEST_P(SDateStringZones, ThreePartsFollowEveryOrder) {
  for (F::EFormat order : kOrders) {
    EXPECT_EQ(ParseDay(InOrder(order, "25", "12", "2012"), order), Noon(2012, 12, 25)) << order;
    EXPECT_EQ(ParseDay(InOrder(order, "3", "7", "2031"), order), Noon(2031, 7, 3)) << order;
    EXPECT_EQ(ParseDay(InOrder(order, "09", "01", "99"), order), Noon(1999, 1, 9)) << order;
  }
}

TEST_P(SDateStringZones, YearRulesGoByCharacterCount) {
  auto year = [](const std::string & y) { return ParseDay("1/2/" + y).year; };
  const int thisYear = datetest::Today().year;
  EXPECT_EQ(year("3"), 2003);
  EXPECT_EQ(year("0"), 2000);
  EXPECT_EQ(year("00"), 2000);
  EXPECT_EQ(year("9"), 2009);
  EXPECT_EQ(year("39"), 2039);
  EXPECT_EQ(year("70"), 1970);
  EXPECT_EQ(year("99"), 1999);
  EXPECT_EQ(year("2012"), 2012);
  EXPECT_EQ(year("2105"), 2105);
  // Three and five characters name no year; neither does a four-character zero.
  EXPECT_EQ(year("123"), thisYear);
  EXPECT_EQ(year("20123"), thisYear);
  EXPECT_EQ(year("0000"), thisYear);
  EXPECT_EQ(ParseDay("1/2/3"), Noon(2003, 1, 2));
  EXPECT_EQ(ParseDay("1/2/39"), Noon(2039, 1, 2));
}

TEST_P(SDateStringZones, MissingOrUnreadablePartsTakeToday) {
  auto [today, parsed] = datetest::WithStableToday([] {
    return std::vector<Day>{ParseDay(""),
                            ParseDay("12/25"),
                            ParseDay("25/12", F::eDMY),
                            ParseDay("12/25", F::eYMD),
                            ParseDay("25/12", F::eYDM),
                            ParseDay("25", F::eMDY),
                            ParseDay("25", F::eYMD),
                            ParseDay("-5/25/2012"),
                            ParseDay(" 5/25/2012"),
                            ParseDay("12/-5/2012"),
                            ParseDay("abc"),
                            ParseDay("/")};
  });
  EXPECT_EQ(parsed[0], today);
  EXPECT_EQ(parsed[1], Noon(today.year, 12, 25));
  EXPECT_EQ(parsed[2], Noon(today.year, 12, 25));
  EXPECT_EQ(parsed[3], Noon(today.year, 12, 25));
  EXPECT_EQ(parsed[4], Noon(today.year, 12, 25));
  EXPECT_EQ(parsed[5], Noon(today.year, today.month, 25));
  EXPECT_EQ(parsed[6], Noon(today.year, today.month, 25));
  EXPECT_EQ(parsed[7], Noon(2012, today.month, 25));
  EXPECT_EQ(parsed[8], Noon(2012, today.month, 25));
  // Day 0 of December 2012 keeps today's day of the month (which December always has).
  EXPECT_EQ(parsed[9], Noon(2012, 12, today.day));
  EXPECT_EQ(parsed[10], today);
  EXPECT_EQ(parsed[11], today);
}

TEST_P(SDateStringZones, OutOfRangeComponentsAreNormalised) {
  EXPECT_EQ(ParseDay("13/45/2012"), Noon(2013, 2, 14));
  EXPECT_EQ(ParseDay("1/32/2012"), Noon(2012, 2, 1));
  EXPECT_EQ(ParseDay("2/30/2012"), Noon(2012, 3, 1));
  EXPECT_EQ(ParseDay("2/29/2013"), Noon(2013, 3, 1));
  EXPECT_EQ(ParseDay("2/29/2012"), Noon(2012, 2, 29));
  EXPECT_EQ(ParseDay("45/13/2012", F::eDMY), Noon(2013, 2, 14));
  EXPECT_EQ(ParseDay("12/400/2012"), Noon(2014, 1, 4));
}

TEST_P(SDateStringZones, OnlyTheFirst256CharactersCount) {
  // The third part would begin past the limit, so "2012" is never read as the year.
  const std::string text = std::string(254, 'x') + "/5/2012";
  auto [today, day] = datetest::WithStableToday([&] { return ParseDay(text); });
  EXPECT_EQ(day, Noon(today.year, today.month, 5));
  EXPECT_EQ(ParseDay(std::string(200, 'x') + "/5/2012"), Noon(2012, today.month, 5));
}

TEST_P(SDateStringZones, ControlCharactersEndAPart) {
  EXPECT_EQ(ParseDay(std::string("12\x01" "25/2012")), Noon(2012, 12, 25));
  EXPECT_EQ(ParseDay(std::string("12/25/2012\0junk", 15)), Noon(2012, 12, 25));
  // A high byte is an ordinary character: "2012\xe9" has five characters, so no year.
  auto [today, day] = datetest::WithStableToday([] { return ParseDay("12/25/2012\xe9"); });
  EXPECT_EQ(day, Noon(today.year, 12, 25));
}

TEST_P(SDateStringZones, DaysSdateCannotHoldParseToZero) {
  EXPECT_EQ(static_cast<unsigned long>(Parse("1/2/65")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("1/2/40")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("12/31/1969")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("1/1/1600")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("2/8/2106")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("1/1/9999")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("1/0012/2012", F::eMYD)), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("1/99999999999/2012")), 0UL);
  EXPECT_EQ(static_cast<unsigned long>(Parse("99999999999/1/2012")), 0UL);
  // The edges that still fit.
  EXPECT_EQ(ParseDay("1/2/1970"), Noon(1970, 1, 2));
  EXPECT_EQ(ParseDay("12/31/2105"), Noon(2105, 12, 31));
  EXPECT_EQ(ParseDay("2/6/2106"), Noon(2106, 2, 6));
}

TEST_P(SDateStringZones, AnOrderOutsideTheSixGivesNothing) {
  for (int bad : {-1, 6, 7, 1000}) {
    const F order(static_cast<F::EFormat>(bad));
    SDateString s(order, true);
    s = "12/25/2012";
    EXPECT_EQ(static_cast<unsigned long>(SDate(s)), 0UL) << bad;
    EXPECT_EQ(SDateString(Parse("12/25/2012"), order, true), "") << bad;
    EXPECT_EQ(SDateString(Parse("12/25/2012"), order, false), "") << bad;
  }
}

TEST_P(SDateStringZones, FormatsInEveryOrder) {
  const SDate christmas = Parse("12/25/2012");
  const char * full[] = {"25/12/2012", "25/2012/12", "12/25/2012",
                         "12/2012/25", "2012/25/12", "2012/12/25"};
  const char * shortYear[] = {"25/12/12", "25/12/12", "12/25/12",
                              "12/12/25", "12/25/12", "12/12/25"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(SDateString(christmas, kOrders[i], true), full[i]);
    EXPECT_EQ(SDateString(christmas, kOrders[i], false), shortYear[i]);
  }
  SDateString s(F::eYMD, false);
  s = Parse("1/2/2003");
  EXPECT_EQ(s, "03/01/02");
  s.SetUseFullYear(true);
  s = Parse("1/2/2003");
  EXPECT_EQ(s, "2003/01/02");
  EXPECT_EQ(SDateString(Parse("1/2/2105"), F::eMDY, false), "01/02/05");
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
    ASSERT_EQ(static_cast<unsigned long>(SDate(text)), static_cast<unsigned long>(date))
        << text << " order " << order;
    if (expected.year >= 1970 && expected.year < 2040) {
      const SDateString shortText(date, order, false);
      ASSERT_EQ(shortText.size(), 8u);
      SDateString reread(order, true);
      reread = shortText;
      ASSERT_EQ(static_cast<unsigned long>(SDate(reread)), static_cast<unsigned long>(date))
          << shortText;
    }
  }
}

TEST_P(SDateStringZones, ArbitraryTextGivesZeroOrANoon) {
  std::mt19937 random(42);
  const char alphabet[] = "0123456789//////-. \t\x01\xff" "a";
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
  for (int i = 0; i < 5000; ++i) {
    std::string text(length(random), ' ');
    for (char & c : text)
      c = alphabet[pick(random)];
    for (F::EFormat order : kOrders) {
      const SDate date = Parse(text, order);
      if (date != SDate()) {
        const Day day = Local(date);
        ASSERT_EQ(day.hour * 3600 + day.minute * 60 + day.second, 12 * 3600) << text;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, SDateStringZones,
                         ::testing::Values("UTC", "America/New_York", "Australia/Sydney"));

TEST(SDateString, UtcNoonsAreTheExactCalendarSeconds) {
  testsupport::ScopedTimeZone zone("UTC");
  EXPECT_EQ(static_cast<long long>(Parse("12/25/2012")), datetest::NoonUtc(2012, 12, 25));
  EXPECT_EQ(static_cast<long long>(Parse("1/1/1970")), 43200LL);
  EXPECT_EQ(static_cast<long long>(Parse("2/6/2106")), datetest::NoonUtc(2106, 2, 6));
  EXPECT_EQ(static_cast<long long>(Parse("2/29/2000")), datetest::NoonUtc(2000, 2, 29));
}

TEST(SDateString, NoonStaysNoonAcrossDaylightSavingChanges) {
  testsupport::ScopedTimeZone zone("America/New_York");
  // 2013: clocks went forward on 10 March and back on 3 November.
  const char * days[] = {"3/9/2013", "3/10/2013", "3/11/2013", "11/2/2013", "11/3/2013",
                         "11/4/2013", "1/15/2013", "7/15/2013", "12/31/2013"};
  for (const char * text : days) {
    const Day day = Local(Parse(text));
    EXPECT_EQ(day.hour, 12) << text;
    EXPECT_EQ(day.minute, 0) << text;
    EXPECT_EQ(std::to_string(day.month) + "/" + std::to_string(day.day) + "/" +
                  std::to_string(day.year),
              text);
  }
  // The spring day is 23 hours long, the autumn day 25.
  EXPECT_EQ(static_cast<long>(Parse("3/10/2013")) - static_cast<long>(Parse("3/9/2013")), 82800);
  EXPECT_EQ(static_cast<long>(Parse("11/3/2013")) - static_cast<long>(Parse("11/2/2013")), 90000);
  // Winter noon is 17:00 UTC, summer noon 16:00 UTC.
  EXPECT_EQ(static_cast<long long>(Parse("1/15/2013")), datetest::NoonUtc(2013, 1, 15) + 5 * 3600);
  EXPECT_EQ(static_cast<long long>(Parse("7/15/2013")), datetest::NoonUtc(2013, 7, 15) + 4 * 3600);
}

TEST(SDateString, ZeroFormatsAsTheEpochInLocalTime) {
  {
    testsupport::ScopedTimeZone zone("UTC");
    EXPECT_EQ(SDateString(SDate(), F::eMDY, true), "01/01/1970");
  }
  testsupport::ScopedTimeZone zone("America/New_York");
  EXPECT_EQ(SDateString(SDate(), F::eMDY, true), "12/31/1969");
}

TEST(SDateString, TextAssignmentKeepsTheTextAndSettings) {
  SDateString s(F::eDMY, false);
  s = "anything at all";
  EXPECT_EQ(s, "anything at all");
  EXPECT_EQ(s.GetFormat(), F(F::eDMY));
  EXPECT_FALSE(s.GetUseFullYear());
  const std::string other = "1/2/3";
  s = other;
  EXPECT_EQ(s, "1/2/3");
  s = static_cast<const char *>(nullptr);
  EXPECT_EQ(s, "");
  s.SetFormat(F::eYMD);
  EXPECT_EQ(s.GetFormat(), F(F::eYMD));
  SDateString fallback;
  EXPECT_TRUE(fallback.GetUseFullYear());
  EXPECT_EQ(fallback.GetFormat(), SDateFormat());
}

TEST(SDateString, PlainDateText) {
  EXPECT_TRUE(SDateString::IsPlainDateText("", 0));
  EXPECT_TRUE(SDateString::IsPlainDateText("1/2/12", 6));
  EXPECT_TRUE(SDateString::IsPlainDateText("//", 2));
  EXPECT_FALSE(SDateString::IsPlainDateText("1/2/12 ", 7));
  EXPECT_FALSE(SDateString::IsPlainDateText("-5/2", 4));
  EXPECT_FALSE(SDateString::IsPlainDateText("1.2.12", 6));
  EXPECT_FALSE(SDateString::IsPlainDateText("1/2\0", 4));
}

} // namespace
