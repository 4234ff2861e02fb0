// The locale settings: the user's date order, fixed separators.
#include "dates/SLocale.h"

#include "numbers/SStringToLong.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <langinfo.h>
#endif

SLocale & SLocale::sDefaultLocale = SLocale::Default();

SLocale::SLocale()
    : mDateFormat(SDateFormat::eMDY), mDateSeparator('/'), mTimeSeparator(':'),
      mDecimalSeparator('.') {
  Initialize();
}

SLocale & SLocale::Default() {
  // Built on first use, so that other static objects may rely on it.
  static SLocale sLocale;
  return sLocale;
}

#ifdef _WIN32

void SLocale::Initialize() {
  char buffer[256];
  int count = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, buffer, sizeof buffer);
  if (count > 0) {
    switch (SStringToLong::StringToLong(buffer, count)) {
    case 0: mDateFormat.SetFormat(SDateFormat::eMDY); break;
    case 1: mDateFormat.SetFormat(SDateFormat::eDMY); break;
    case 2: mDateFormat.SetFormat(SDateFormat::eYMD); break;
    default: break;
    }
  }
  // A one-character separator comes back with its terminating null (a count of 2), so
  // only an answer of exactly 1 would replace the separators: files keep "/", ":" and ".".
  if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SDATE, buffer, sizeof buffer) == 1)
    mDateSeparator = buffer[0];
  if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_STIME, buffer, sizeof buffer) == 1)
    mTimeSeparator = buffer[0];
  if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) == 1)
    mDecimalSeparator = buffer[0];
}

#else

void SLocale::Initialize() {
  // Look at the date pattern of the user's LC_TIME locale, then put the previous one back.
  const char * current = std::setlocale(LC_TIME, nullptr);
  std::string previous = current != nullptr ? current : "C";
  std::string pattern;
  if (std::setlocale(LC_TIME, "") != nullptr) {
    if (const char * format = ::nl_langinfo(D_FMT))
      pattern = format;
  }
  std::setlocale(LC_TIME, previous.c_str());

  SDateFormat::EFormat order;
  if (DateOrderFromPattern(pattern.c_str(), order))
    mDateFormat.SetFormat(order);
}

#endif

bool SLocale::DateOrderFromPattern(const char * inPattern, SDateFormat::EFormat & outOrder) {
  if (inPattern == nullptr)
    return false;
  // Position (1-based, in order of appearance) of the first day, month and year conversion.
  int day = 0, month = 0, year = 0, next = 1;
  auto see = [&next](int & slot) {
    if (slot == 0)
      slot = next++;
  };
  for (const char * p = inPattern; *p != '\0'; ++p) {
    if (*p != '%')
      continue;
    ++p;
    // glibc flags, a field width, and the E and O modifiers may come between % and the letter.
    while (*p == '_' || *p == '-' || *p == '0' || *p == '^' || *p == '#')
      ++p;
    while (*p >= '0' && *p <= '9')
      ++p;
    if (*p == 'E' || *p == 'O')
      ++p;
    switch (*p) {
    case '\0': --p; break;
    case 'd': case 'e': see(day); break;
    case 'm': case 'b': case 'B': case 'h': see(month); break;
    case 'y': case 'Y': case 'C': case 'g': case 'G': see(year); break;
    case 'D': see(month); see(day); see(year); break; // %m/%d/%y
    case 'F': see(year); see(month); see(day); break; // %Y-%m-%d
    default: break;
    }
  }
  if (day == 0 || month == 0)
    return false;
  if (year != 0 && year < day && year < month)
    outOrder = SDateFormat::eYMD;
  else if (month < day)
    outOrder = SDateFormat::eMDY;
  else
    outOrder = SDateFormat::eDMY;
  return true;
}
