// The locale: date order from strftime patterns, fixed separators, LC_TIME left alone.
#include "dates/SDateFormat.h"
#include "dates/SLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

using F = SDateFormat;

// The order a pattern gives, or -1 when it gives none.
int Order(const char * pattern) {
  SDateFormat::EFormat order = static_cast<SDateFormat::EFormat>(-1);
  if (!SLocale::DateOrderFromPattern(pattern, order))
    return -1;
  return order;
}

// The patterns of C and en_US, de_DE, en_GB and fr_FR, sv_SE and others; then patterns
// without a day and a month, literal percent signs, and a trailing % that must not run
// past the end.
TEST(SLocale, DateOrderFromPatterns) {
  const std::pair<const char *, int> cases[] = {
      {"%m/%d/%y", F::eMDY}, {"%d.%m.%Y", F::eDMY},  {"%d/%m/%Y", F::eDMY},     {"%Y-%m-%d", F::eYMD},
      {"%Y年%m月%d日", F::eYMD}, {"%y/%m/%d", F::eYMD}, {"%e. %B %Y", F::eDMY}, {"%b %e, %Y", F::eMDY},
      {"", -1}, {nullptr, -1}, {"%H:%M:%S", -1}, {"%Y", -1}, {"%d %Y", -1}, {"%%m/%%d", -1}, {"%d/%%m", -1},
      {"%m/%", -1}, {"m/d/y", -1}};
  for (const auto & [pattern, order] : cases)
    EXPECT_EQ(Order(pattern), order) << (pattern ? pattern : "null");
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
