// The locale: date order from strftime patterns, fixed separators, LC_TIME left alone.
#include "dates/SDateFormat.h"
#include "dates/SLocale.h"

#include "support/ChildProcess.h"

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

TEST(SLocale, DateOrderFromCompositeAndModifiedConversions) {
  EXPECT_EQ(Order("%D"), F::eMDY);
  EXPECT_EQ(Order("%F"), F::eYMD);
  EXPECT_EQ(Order("%Od/%Om/%Ey"), F::eDMY);
  EXPECT_EQ(Order("%-m/%-d/%Y"), F::eMDY);
  EXPECT_EQ(Order("%_d.%02m.%EY"), F::eDMY);
}

TEST(SLocale, OnlyThreeOrdersComeFromPatterns) {
  // Year first always gives YMD; otherwise day and month decide.
  EXPECT_EQ(Order("%Y/%d/%m"), F::eYMD);
  EXPECT_EQ(Order("%d/%Y/%m"), F::eDMY);
  EXPECT_EQ(Order("%m/%Y/%d"), F::eMDY);
  EXPECT_EQ(Order("%d/%m"), F::eDMY);
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

TEST(SLocale, DefaultKeepsFixedSeparatorsAndAValidOrder) {
  const SLocale & locale = SLocale::Default();
  EXPECT_EQ(&locale, &SLocale::sDefaultLocale);
  EXPECT_EQ(locale.GetDateSeparator(), '/');
  EXPECT_EQ(locale.GetTimeSeparator(), ':');
  EXPECT_EQ(locale.GetDecimalSeparator(), '.');
  const SDateFormat::EFormat order = locale.GetDateFormat().GetFormat();
  EXPECT_TRUE(order == F::eMDY || order == F::eDMY || order == F::eYMD) << order;
  EXPECT_EQ(SDateFormat().GetFormat(), order);
}

#ifdef _WIN32

// The date order comes from GetLocaleInfoA. To see other user settings the test changes
// the current user's short date pattern, which Windows derives the order from, and starts
// itself again (see ChildProcess.h): a process reads the settings when it starts. The
// child reports through its exit code.
const char kLocaleChildTest[] = "SLocaleChild.DISABLED_ReportsTheDefaultLocale";
const char kInternational[] = "Control Panel\\International";
constexpr int kSeparatorsKept = 100;

int OrderInChild(const char * inShortDate) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kInternational, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return -1;
  char old[256];
  DWORD size = sizeof old;
  const bool hadOld = ::RegQueryValueExA(key, "sShortDate", nullptr, nullptr, reinterpret_cast<BYTE *>(old), &size) ==
                      ERROR_SUCCESS;
  ::RegSetValueExA(key, "sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE *>(inShortDate),
                   static_cast<DWORD>(std::strlen(inShortDate) + 1));
  const int result = testsupport::WaitForChildTest(
      testsupport::StartChildTest(kLocaleChildTest, {{"TALLY_LOCALE_CHILD", "1"}}));
  if (hadOld)
    ::RegSetValueExA(key, "sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE *>(old), size);
  else
    ::RegDeleteValueA(key, "sShortDate");
  ::RegCloseKey(key);
  return result;
}

bool RunsUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(SLocale, InitializeTakesTheOrderOfTheUserSettingsAndKeepsTheSeparators) {
  // What this process's user settings say, read the way the program reads them.
  char answer[256];
  const int count = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, answer, sizeof answer);
  ASSERT_GT(count, 0);
  const F::EFormat expected = answer[0] == '1' ? F::eDMY : answer[0] == '2' ? F::eYMD : F::eMDY;
  EXPECT_EQ(SLocale().GetDateFormat().GetFormat(), expected) << answer;

  if (!RunsUnderWine())
    GTEST_SKIP() << "changes the user's date settings, which is done only in wine's throw-away prefix";
  // A German 24.12.2012 and a Swedish 2012-12-24 give their order but not their separator.
  EXPECT_EQ(OrderInChild("M/d/yyyy"), kSeparatorsKept + F::eMDY);
  EXPECT_EQ(OrderInChild("dd.MM.yyyy"), kSeparatorsKept + F::eDMY);
  EXPECT_EQ(OrderInChild("d/M/yy"), kSeparatorsKept + F::eDMY);
  EXPECT_EQ(OrderInChild("yyyy-MM-dd"), kSeparatorsKept + F::eYMD);
  EXPECT_EQ(OrderInChild("yy/MM/dd"), kSeparatorsKept + F::eYMD);
}

// The child process of the test above; it does nothing unless that test started it.
TEST(SLocaleChild, DISABLED_ReportsTheDefaultLocale) {
  if (std::getenv("TALLY_LOCALE_CHILD") == nullptr)
    GTEST_SKIP() << "runs only as the child process that the SLocale tests start";
  const SLocale & locale = SLocale::Default();
  const bool kept = locale.GetDateSeparator() == '/' && locale.GetTimeSeparator() == ':' &&
                    locale.GetDecimalSeparator() == '.';
  ::ExitProcess(static_cast<UINT>((kept ? kSeparatorsKept : 0) + locale.GetDateFormat().GetFormat()));
}

#else

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
