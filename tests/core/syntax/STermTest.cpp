// Tests of typed terms: constructors, the date and duration readings of texts, and
// every operator with its type rules and errors.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <string>

#include "core/syntax/CaseSensitivityScope.h"
#include "syntax/SSyntaxException.h"
#include "syntax/STerm.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScopedCaseSensitivity;
using testsupport::ScopedTimeZone;

STerm Int(long value) { return STerm(value, STerm::eInteger); }
STerm Dec(double value) { return STerm(value); }
STerm Dur(long seconds) { return STerm(seconds, STerm::eDuration); }
STerm Date(long seconds) { return STerm(seconds, STerm::eDate); }
STerm Single(const std::string & text) { return STerm(text, 1); }
STerm Double(const std::string & text) { return STerm(text, 2); }
STerm Field(const std::string & text) { return STerm(text, 0); }

// Local noon of a day, computed here independently of the date classes.
long Noon(int year, int month, int day) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = 12;
  parts.tm_isdst = -1;
  return static_cast<long>(std::mktime(&parts));
}

template <typename F>
std::string ErrorOf(F operation) {
  try {
    operation();
  } catch (const SSyntaxException & error) {
    return error.what();
  }
  return "";
}

bool True(const STerm & term) {
  EXPECT_EQ(term.Type(), STerm::eInteger);
  EXPECT_TRUE(term.String().empty());
  return term.Integer() != 0;
}

TEST(STerm, Arithmetic) {
  EXPECT_EQ((Int(7) + Int(2)).Integer(), 9);
  EXPECT_EQ((Int(7) * Int(-2)).Integer(), -14);
  const STerm quotient = Int(7) / Int(2);
  EXPECT_EQ(quotient.Type(), STerm::eDecimal);
  EXPECT_EQ(quotient.Decimal(), 3.0);
  EXPECT_EQ((Int(-7) / Int(2)).Decimal(), -3.0); // truncated toward zero
  EXPECT_EQ((Dec(7.0) / Int(2)).Decimal(), 3.5);
  EXPECT_EQ((Int(7) / Dec(2.0)).Decimal(), 3.5);
  EXPECT_EQ((Dec(1.5) * Dec(2.0)).Decimal(), 3.0);
  // Durations compute as integers and lose their type.
  const STerm sum = Dur(60) + Dur(30);
  EXPECT_EQ(sum.Type(), STerm::eInteger);
  EXPECT_EQ(sum.Integer(), 90);
  EXPECT_EQ((Dur(60) * Dec(1.5)).Decimal(), 90.0);
  // Texts may only be added; the result may wildcard when either part could.
  const STerm joined = Double("ab") + Single("c*");
  EXPECT_EQ(joined.Type(), STerm::eString);
  EXPECT_EQ(static_cast<const std::string &>(joined.String()), "abc*");
  EXPECT_EQ(joined.Extra(), 1);
  EXPECT_TRUE(joined.String().CanWildcard());
  EXPECT_EQ((Double("a") + Field("b")).Extra(), 2);
  EXPECT_FALSE((Double("a") + Field("*")).String().CanWildcard());
  // Wrapping 32-bit arithmetic and the traps that must not be undefined.
  EXPECT_EQ((Int(2147483647) + Int(1)).Integer(), -2147483647 - 1);
  EXPECT_EQ((Int(-2147483647 - 1) - Int(1)).Integer(), 2147483647);
  EXPECT_EQ((Int(65536) * Int(65536)).Integer(), 0);
  EXPECT_EQ((Int(-2147483647 - 1) / Int(-1)).Decimal(), 2147483648.0);
  EXPECT_TRUE(std::isinf((Int(1) / Dec(0.0)).Decimal()));
  EXPECT_TRUE(std::isnan((Dec(0.0) / Int(0)).Decimal()));
  EXPECT_EQ(ErrorOf([] { STerm() + Int(1); }), "Unknown term");
  int row = 0;
  for (auto mismatched : {+[] { Int(1) / Int(0); }, +[] { Dur(1) / Int(0); }, +[] { Int(1) + STerm(); },
                          +[] { Double("a") - Double("b"); }, +[] { Double("a") + Int(1); },
                          +[] { Date(100) + Int(1); }, +[] { Dec(1) - Date(100); }})
    EXPECT_EQ(ErrorOf(mismatched), "Mismatched arguments") << "row " << row++;
}

TEST(STerm, ComparisonTypeTable) {
  EXPECT_TRUE(True(Int(2) > Int(1)));
  EXPECT_TRUE(True(Int(-1) < Dur(1)));
  EXPECT_TRUE(True(Dur(5) >= Int(5)));
  EXPECT_TRUE(True(Int(1) < Dec(1.5)));
  EXPECT_TRUE(True(Dec(1.5) > Int(1)));
  EXPECT_TRUE(True(Dec(1.5) != Dec(2.5)));
  EXPECT_TRUE(True(Dur(3) == Dec(3.0)));
  EXPECT_FALSE(True(Dec(std::nan("")) == Dec(std::nan(""))));
  // Dates compare unsigned: a day after 2038 is later than one before.
  EXPECT_TRUE(True(Date(2524608000L) > Date(1325419200L)));
  EXPECT_TRUE(True(Date(10) <= Date(10)));
  const char * const mismatched[][2] = {{"string", "integer"}, {"string", "decimal"}, {"string", "null"},
                                        {"integer", "string"},  {"decimal", "string"}, {"date", "integer"},
                                        {"date", "decimal"},    {"date", "duration"},  {"date", "null"},
                                        {"integer", "date"},    {"duration", "date"},  {"decimal", "date"},
                                        {"integer", "null"},    {"decimal", "null"},   {"duration", "null"}};
  auto make = [](const std::string & kind) {
    return kind == "string"    ? Double("1")
           : kind == "integer" ? Int(1)
           : kind == "decimal" ? Dec(1.0)
           : kind == "date"    ? Date(1)
           : kind == "duration" ? Dur(1) : STerm();
  };
  for (const auto & pair : mismatched) {
    const STerm a = make(pair[0]), b = make(pair[1]);
    EXPECT_EQ(ErrorOf([&] { return a == b; }), "Mismatched arguments") << pair[0] << " = " << pair[1];
    EXPECT_EQ(ErrorOf([&] { return a < b; }), "Mismatched arguments") << pair[0] << " < " << pair[1];
  }
  EXPECT_EQ(ErrorOf([] { return STerm() == Int(1); }), "Unknown term");
  EXPECT_EQ(ErrorOf([] { return STerm() > STerm(); }), "Unknown term");
}

TEST(STerm, ComparingTexts) {
  ScopedCaseSensitivity sensitive(SWildcardString::eCaseSensitive);
  EXPECT_TRUE(True(Field("abc") == Single("ab*")));
  EXPECT_TRUE(True(Single("ab*") == Field("abZZZ")));
  EXPECT_FALSE(True(Field("abc") == Double("ab*")));
  EXPECT_TRUE(True(Field("ab*") == Double("ab*")));
  // Task text is never a pattern: only the literal on the other side is.
  EXPECT_TRUE(True(Field("a*") == Single("a*")));
  EXPECT_FALSE(True(Field("a*") == Single("b*")));
  EXPECT_TRUE(True(Field("abc") < Field("abd")));
  EXPECT_TRUE(True(Field("abc") >= Single("ab*")));
  EXPECT_TRUE(True(Field("abc") <= Single("ab*")));
  EXPECT_TRUE(True(Field("b") > Single("a*")));
  EXPECT_TRUE(True(Field("B") != Double("b")));
  ScopedCaseSensitivity folded(SWildcardString::eNotCaseSensitive);
  EXPECT_TRUE(True(Field("B") == Double("b")));
  EXPECT_TRUE(True(Field("ABc") == Single("ab*")));
}

TEST(STerm, DurationsReadText) {
  EXPECT_TRUE(True(Dur(5400) == Double("1:30")));
  EXPECT_TRUE(True(Double("1:30") == Dur(5400)));
  EXPECT_TRUE(True(Dur(5400) == Single("1.5")));
  EXPECT_TRUE(True(Dur(5401) > Double("1:30")));
  EXPECT_TRUE(True(Dur(90) < Double("0:01:31")));
  EXPECT_TRUE(True(Dur(28800) == Double("8")));
  // Only durations and dates read text: an integer with text is a mismatch.
  for (auto mismatched : {+[] { return Int(5400) == Double("1:30"); }, +[] { return Double("1:30") == Int(5400); }})
    EXPECT_EQ(ErrorOf(mismatched), "Mismatched arguments");
  // A text is read once: the first reading stays.
  const STerm text = Double("1:30");
  text.ConvertToTimeString();
  EXPECT_TRUE(text.Converted());
  EXPECT_EQ(text.Integer(), 5400);
  text.ConvertToDateString();
  EXPECT_EQ(text.Integer(), 5400);
  EXPECT_EQ(text.Type(), STerm::eString);
}

TEST(STerm, DatesReadTextAtLocalNoon) {
  for (const char * zone : {"America/New_York", "UTC", "Australia/Lord_Howe"}) {
    ScopedTimeZone scoped(zone);
    const long newYear = Noon(2012, 1, 1), summer = Noon(2012, 7, 4);
    EXPECT_TRUE(True(Date(newYear) == Double("1/1/2012"))) << zone;
    EXPECT_TRUE(True(Double("1/1/2012") == Date(newYear))) << zone;
    EXPECT_TRUE(True(Date(summer) > Double("1/1/2012"))) << zone;
    EXPECT_TRUE(True(Date(summer) >= Single("7/4/2012"))) << zone;
    EXPECT_FALSE(True(Date(summer) < Single("7/4/2012"))) << zone;
    EXPECT_TRUE(True(Double("12/31/2011") < Date(newYear))) << zone;
    EXPECT_TRUE(True(Double("1/1/12") == Date(newYear))) << zone;
    // Days after 2038 still order after earlier ones (unsigned seconds).
    EXPECT_TRUE(True(Double("1/1/2050") > Date(newYear))) << zone;
    EXPECT_TRUE(True(Date(Noon(2050, 1, 1)) == Double("1/1/2050"))) << zone;
  }
  // A date too far out for 32-bit seconds reads as 0, before every day.
  EXPECT_TRUE(True(Double("1/1/2200") < Date(1)));
}

} // namespace
