// Checks of typed dates and durations.
#include "dates/STypedValue.h"

#include <cstdint>
#include <ctime>
#include <vector>

#include "dates/SCalendar.h"
#include "dates/SDateString.h"
#include "dates/SLocale.h"

namespace {

// The parts of inText between inSeparator, each its digits' value and count; false when a
// part is empty, holds anything but digits or more than 9 of them.
bool SplitDigits(std::string_view inText, char inSeparator, std::vector<std::uint64_t> & outValues,
                 std::vector<std::size_t> & outCounts) {
  outValues.assign(1, 0);
  outCounts.assign(1, 0);
  for (const char character : inText) {
    if (character == inSeparator) {
      if (outCounts.back() == 0)
        return false;
      outValues.push_back(0);
      outCounts.push_back(0);
    } else if (character >= '0' && character <= '9' && outCounts.back() < 9) {
      outValues.back() = outValues.back() * 10 + static_cast<std::uint64_t>(character - '0');
      ++outCounts.back();
    } else {
      return false;
    }
  }
  return outCounts.back() != 0;
}

bool IsLeapYear(std::uint64_t inYear) { return (inYear % 4 == 0 && inYear % 100 != 0) || inYear % 400 == 0; }

std::uint64_t DaysInMonth(std::uint64_t inMonth, std::uint64_t inYear) {
  static const std::uint64_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return inMonth == 2 && IsLeapYear(inYear) ? 29 : kDays[inMonth - 1];
}

} // namespace

std::string_view STypedValue::Trimmed(std::string_view inText) {
  const auto first = inText.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return std::string_view();
  const auto last = inText.find_last_not_of(" \t");
  return inText.substr(first, last - first + 1);
}

bool STypedValue::IsDate(std::string_view inText, SDateFormat inFormat) {
  std::vector<std::uint64_t> values;
  std::vector<std::size_t> counts;
  if (!SplitDigits(Trimmed(inText), SLocale::Default().GetDateSeparator(), values, counts) || values.size() > 3)
    return false;
  // Where day, month and year stand in the full form.
  int day = 0, month = 1, year = 2;
  switch (inFormat.GetFormat()) {
  case SDateFormat::eDMY: day = 0; month = 1; year = 2; break;
  case SDateFormat::eDYM: day = 0; year = 1; month = 2; break;
  case SDateFormat::eMDY: month = 0; day = 1; year = 2; break;
  case SDateFormat::eMYD: month = 0; year = 1; day = 2; break;
  case SDateFormat::eYDM: year = 0; day = 1; month = 2; break;
  case SDateFormat::eYMD: year = 0; month = 1; day = 2; break;
  default: return false;
  }
  if (values.size() == 2) {
    // Day and month keep their order of the full form.
    const bool dayFirst = day < month;
    day = dayFirst ? 0 : 1;
    month = dayFirst ? 1 : 0;
    year = -1;
  } else if (values.size() == 1) {
    day = 0;
    month = year = -1;
  }
  std::tm now{};
  SCalendar::LocalNow(now);
  const std::uint64_t theDay = values[static_cast<std::size_t>(day)];
  const std::uint64_t theMonth = month >= 0 ? values[static_cast<std::size_t>(month)] : static_cast<std::uint64_t>(now.tm_mon + 1);
  std::uint64_t theYear = static_cast<std::uint64_t>(now.tm_year) + 1900;
  if (year >= 0) {
    const std::size_t digits = counts[static_cast<std::size_t>(year)];
    theYear = values[static_cast<std::size_t>(year)];
    if (digits == 1 || (digits == 2 && theYear < 40))
      theYear += 2000;
    else if (digits == 2)
      theYear += 1900;
    else if (digits != 4)
      return false;
  }
  if (theMonth < 1 || theMonth > 12 || theDay < 1 || theDay > DaysInMonth(theMonth, theYear))
    return false;
  return SDateString::DateFromComponents(static_cast<std::uint32_t>(theDay), static_cast<std::uint32_t>(theMonth),
                                         static_cast<std::uint32_t>(theYear)) != SDate();
}

bool STypedValue::IsDuration(std::string_view inText) {
  const std::string_view text = Trimmed(inText);
  const SLocale & locale = SLocale::Default();
  std::vector<std::uint64_t> values;
  std::vector<std::size_t> counts;
  constexpr std::uint64_t kLargest = UINT32_MAX;
  if (text.find(locale.GetDecimalSeparator()) != std::string_view::npos) {
    // Decimal hours: "1.5", ".25" or "2."; the hours alone must fit.
    const auto point = text.find(locale.GetDecimalSeparator());
    const std::string_view hours = text.substr(0, point);
    const std::string_view fraction = text.substr(point + 1);
    if (hours.empty() && fraction.empty())
      return false;
    if (!hours.empty() && !SplitDigits(hours, '\0', values, counts))
      return false;
    const std::uint64_t whole = hours.empty() ? 0 : values.front();
    if (!fraction.empty() && !SplitDigits(fraction, '\0', values, counts))
      return false;
    return whole * 3600 + 3599 <= kLargest;
  }
  if (!SplitDigits(text, locale.GetTimeSeparator(), values, counts) || values.size() > 3)
    return false;
  values.resize(3, 0);
  return values[0] * 3600 + values[1] * 60 + values[2] <= kLargest;
}
