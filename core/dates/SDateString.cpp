// Date text parsing and formatting.
#include "dates/SDateString.h"

#include "dates/SCalendar.h"
#include "dates/SDateParseCache.h"
#include "dates/SLocale.h"
#include "numbers/SLongToString.h"
#include "dates/STextParts.h"

#include <cstdint>

namespace {

// A two-digit year below this is in the 2000s, from it on in the 1900s.
constexpr std::uint32_t kCenturyPivot = 40;

// The year a part names, by its character count; 0 for no year.
std::uint32_t YearOf(const STextParts::Part & inPart) {
  switch (inPart.count) {
  case 1: return inPart.value + 2000;
  case 2: return inPart.value + (inPart.value < kCenturyPivot ? 2000 : 1900);
  case 4: return inPart.value;
  default: return 0;
  }
}

// The conversion itself: today's noon with the given components set, normalised.
SDate ConvertComponents(std::uint32_t inDay, std::uint32_t inMonth, std::uint32_t inYear,
                        const std::tm & inNow) {
  std::tm t = inNow;
  t.tm_hour = 12;
  t.tm_min = 0;
  t.tm_sec = 0;
  // Part values never exceed 2147483647 and years 9999, so these fit in an int.
  if (inDay != 0)
    t.tm_mday = static_cast<int>(inDay);
  if (inMonth != 0)
    t.tm_mon = static_cast<int>(inMonth - 1);
  if (inYear != 0)
    t.tm_year = static_cast<int>(inYear) - 1900;
  // Let the C library decide daylight-saving time for the day itself, so noon stays noon
  // on both sides of a change.
  t.tm_isdst = -1;
  std::time_t result = SCalendar::MakeTime(t);
  if (result == static_cast<std::time_t>(-1) || result < 0 ||
      static_cast<unsigned long long>(result) > 0xFFFFFFFFULL)
    return SDate();
  return SDate(static_cast<unsigned long>(result));
}

} // namespace

SDateString::SDateString() : mFormat(), mUseFullYear(true) {}

SDateString::SDateString(SDateFormat inFormat, bool inUseFullYear)
    : mFormat(inFormat), mUseFullYear(inUseFullYear) {}

SDateString::SDateString(SDate inDate, SDateFormat inFormat, bool inUseFullYear)
    : mFormat(inFormat), mUseFullYear(inUseFullYear) {
  MakeDateString(inDate);
}

SDateString & SDateString::operator=(SDate inDate) {
  MakeDateString(inDate);
  return *this;
}

SDateString & SDateString::operator=(const char * inText) {
  if (inText == nullptr)
    clear();
  else
    assign(inText);
  return *this;
}

SDateString & SDateString::operator=(const std::string & inText) {
  assign(inText);
  return *this;
}

SDateString::operator SDate() const {
  return ParseDate(data(), size(), mFormat);
}

void SDateString::MakeDateString(SDate inDate) {
  char text[kMaxDateChars];
  std::size_t count = FormatDate(inDate, mFormat, mUseFullYear, text);
  assign(text, count);
}

SDate SDateString::ParseDate(const char * inText, std::size_t inLength,
                             SDateFormat inFormat) {
  if (!inFormat.IsValid())
    return SDate();
  // A time sheet repeats its date texts: within a memo's scope each is read once.
  SDateParseCache * cache = SDateParseCache::Current();
  SDate remembered;
  if (cache != nullptr && cache->FindText(inText, inLength, inFormat.GetFormat(), remembered))
    return remembered;
  const SDate date = ReadDate(inText, inLength, inFormat);
  if (cache != nullptr)
    cache->RememberText(inText, inLength, inFormat.GetFormat(), date);
  return date;
}

SDate SDateString::ReadDate(const char * inText, std::size_t inLength, SDateFormat inFormat) {
  STextParts parts(inText, inLength, SLocale::Default().GetDateSeparator());

  std::uint32_t day = 0, month = 0;
  STextParts::Part yearPart;
  switch (parts.Present()) {
  case 3:
    switch (inFormat.GetFormat()) {
    case SDateFormat::eDMY: day = parts[0].value; month = parts[1].value; yearPart = parts[2]; break;
    case SDateFormat::eDYM: day = parts[0].value; yearPart = parts[1]; month = parts[2].value; break;
    case SDateFormat::eMDY: month = parts[0].value; day = parts[1].value; yearPart = parts[2]; break;
    case SDateFormat::eMYD: month = parts[0].value; yearPart = parts[1]; day = parts[2].value; break;
    case SDateFormat::eYDM: yearPart = parts[0]; day = parts[1].value; month = parts[2].value; break;
    case SDateFormat::eYMD: yearPart = parts[0]; month = parts[1].value; day = parts[2].value; break;
    }
    break;
  case 2:
    switch (inFormat.GetFormat()) {
    case SDateFormat::eDMY:
    case SDateFormat::eDYM:
    case SDateFormat::eYDM:
      day = parts[0].value;
      month = parts[1].value;
      break;
    default:
      month = parts[0].value;
      day = parts[1].value;
      break;
    }
    break;
  case 1:
    day = parts[0].value;
    break;
  default:
    break;
  }
  return DateFromComponents(day, month, YearOf(yearPart));
}

SDate SDateString::DateFromComponents(std::uint32_t inDay, std::uint32_t inMonth,
                                      std::uint32_t inYear) {
  if (SDateParseCache * cache = SDateParseCache::Current()) {
    SDate date;
    if (!cache->FindDate(inDay, inMonth, inYear, date)) {
      date = ConvertComponents(inDay, inMonth, inYear, cache->Now());
      cache->RememberDate(inDay, inMonth, inYear, date);
    }
    return date;
  }
  std::tm now;
  SCalendar::LocalNow(now);
  return ConvertComponents(inDay, inMonth, inYear, now);
}

bool SDateString::IsPlainDateText(const char * inText, std::size_t inLength) {
  const char separator = SLocale::Default().GetDateSeparator();
  for (std::size_t i = 0; i < inLength; ++i) {
    const char c = inText[i];
    if ((c < '0' || c > '9') && c != separator)
      return false;
  }
  return true;
}

std::size_t SDateString::FormatDate(SDate inDate, SDateFormat inFormat, bool inUseFullYear,
                                    char * outText) {
  if (!inFormat.IsValid())
    return 0;

  SDateParseCache::Breakdown parts;
  SDateParseCache * cache = SDateParseCache::Current();
  if (cache == nullptr || !cache->FindBreakdown(inDate, parts)) {
    std::tm t;
    SCalendar::LocalTime(static_cast<std::time_t>(static_cast<unsigned long>(inDate)), t);
    parts.year = t.tm_year + 1900;
    parts.month = t.tm_mon + 1;
    parts.day = t.tm_mday;
    if (cache != nullptr)
      cache->RememberBreakdown(inDate, parts);
  }

  char day[2], month[2], year[4];
  SLongToString::ULongToPaddedString(static_cast<unsigned long>(parts.day), day, 2, '0');
  SLongToString::ULongToPaddedString(static_cast<unsigned long>(parts.month), month, 2, '0');
  std::size_t yearDigits = inUseFullYear ? 4 : 2;
  SLongToString::ULongToPaddedString(static_cast<unsigned long>(parts.year) % 10000, year,
                                     yearDigits, '0');

  struct Piece {
    const char * text;
    std::size_t count;
  };
  const Piece d{day, 2}, m{month, 2}, y{year, yearDigits};
  Piece order[3];
  switch (inFormat.GetFormat()) {
  case SDateFormat::eDMY: order[0] = d; order[1] = m; order[2] = y; break;
  case SDateFormat::eDYM: order[0] = d; order[1] = y; order[2] = m; break;
  case SDateFormat::eMDY: order[0] = m; order[1] = d; order[2] = y; break;
  case SDateFormat::eMYD: order[0] = m; order[1] = y; order[2] = d; break;
  case SDateFormat::eYDM: order[0] = y; order[1] = d; order[2] = m; break;
  case SDateFormat::eYMD: order[0] = y; order[1] = m; order[2] = d; break;
  }
  const char separator = SLocale::Default().GetDateSeparator();
  std::size_t count = 0;
  for (int i = 0; i < 3; ++i) {
    if (i != 0)
      outText[count++] = separator;
    for (std::size_t k = 0; k < order[i].count; ++k)
      outText[count++] = order[i].text[k];
  }
  return count;
}
