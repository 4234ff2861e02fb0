// The locale: date order from strftime patterns, fixed separators, LC_TIME left alone.
#include "dates/SDateFormat.h"
#include "dates/SLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using F = SDateFormat;

// The order a pattern gives, or -1 when it gives none.
int Order(const char * pattern) {
  SDateFormat::EFormat order = static_cast<SDateFormat::EFormat>(-1);
  if (!SLocale::DateOrderFromPattern(pattern, order))
    return -1;
  return order;
}

TEST(SLocale, DateOrderFromCommonPatterns) {
  EXPECT_EQ(Order("%m/%d/%y"), F::eMDY); // C and en_US
  EXPECT_EQ(Order("%d.%m.%Y"), F::eDMY); // de_DE
  EXPECT_EQ(Order("%d/%m/%Y"), F::eDMY); // en_GB, fr_FR
  EXPECT_EQ(Order("%Y-%m-%d"), F::eYMD); // sv_SE
  EXPECT_EQ(Order("%Y年%m月%d日"), F::eYMD);
  EXPECT_EQ(Order("%y/%m/%d"), F::eYMD);
  EXPECT_EQ(Order("%e. %B %Y"), F::eDMY);
  EXPECT_EQ(Order("%b %e, %Y"), F::eMDY);
}

TEST(SLocale, PatternsWithoutDayAndMonthGiveNothing) {
  EXPECT_EQ(Order(""), -1);
  EXPECT_EQ(Order(nullptr), -1);
  EXPECT_EQ(Order("%H:%M:%S"), -1);
  EXPECT_EQ(Order("%Y"), -1);
  EXPECT_EQ(Order("%d %Y"), -1);
  EXPECT_EQ(Order("%%m/%%d"), -1); // literal percent signs
  EXPECT_EQ(Order("%d/%%m"), -1);
  EXPECT_EQ(Order("%m/%"), -1); // a trailing % must not run past the end
  EXPECT_EQ(Order("m/d/y"), -1);
}


#ifndef _WIN32
// POSIX only: there the order comes from the LC_TIME locale, which Windows does not use.
TEST(SLocale, InitializeRestoresTheTimeLocaleAndReadsTheEnvironment) {
  const std::string before = std::setlocale(LC_TIME, nullptr);
  SLocale fresh;
  EXPECT_EQ(std::string(std::setlocale(LC_TIME, nullptr)), before);
  EXPECT_EQ(fresh.GetDateSeparator(), '/');
  EXPECT_EQ(fresh.GetTimeSeparator(), ':');
  EXPECT_EQ(fresh.GetDecimalSeparator(), '.');

  // The C locale writes %m/%d/%y.
  const char * lcAll = std::getenv("LC_ALL");
  const std::string savedAll = lcAll ? lcAll : "";
  setenv("LC_ALL", "C", 1);
  SLocale c;
  EXPECT_EQ(c.GetDateFormat().GetFormat(), F::eMDY);
  if (lcAll)
    setenv("LC_ALL", savedAll.c_str(), 1);
  else
    unsetenv("LC_ALL");
  EXPECT_EQ(std::string(std::setlocale(LC_TIME, nullptr)), before);
}
#endif

} // namespace
