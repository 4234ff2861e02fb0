// Duration text parsing and formatting.
#include "dates/STimeString.h"

#include "dates/SLocale.h"
#include "numbers/SLongToString.h"
#include "numbers/SStringToLong.h"
#include "dates/STextParts.h"

#include <cstdint>

namespace {

// Decimals beyond this many are ignored, so the divisor fits in 32 bits.
constexpr std::uint32_t kMaxDecimals = 9;

// 10 to the power `inDigits`, saturated far above any hour count a duration can have.
std::uint64_t PowerOfTen(unsigned inDigits) {
  std::uint64_t value = 1;
  for (unsigned i = 0; i < inDigits; ++i) {
    if (value > 0xFFFFFFFFFFFFULL)
      return UINT64_MAX;
    value *= 10;
  }
  return value;
}

} // namespace

STimeString::STimeString(unsigned short inMaxHourDigits, unsigned short inMinHourDigits)
    : mMaxHourDigits(inMaxHourDigits), mMinHourDigits(inMinHourDigits) {}

STimeString::STimeString(STime inTime, unsigned short inMaxHourDigits,
                         unsigned short inMinHourDigits)
    : mMaxHourDigits(inMaxHourDigits), mMinHourDigits(inMinHourDigits) {
  MakeTimeString(inTime);
}

STimeString & STimeString::operator=(STime inTime) {
  MakeTimeString(inTime);
  return *this;
}

STimeString & STimeString::operator=(const char * inText) {
  if (inText == nullptr)
    clear();
  else
    assign(inText);
  return *this;
}

STimeString & STimeString::operator=(const std::string & inText) {
  assign(inText);
  return *this;
}

STimeString::operator STime() const {
  return ParseTime(data(), size());
}

STime STimeString::ParseTime(const char * inText, std::size_t inLength) {
  const SLocale & locale = SLocale::Default();
  const char decimal = locale.GetDecimalSeparator();
  const char colon = locale.GetTimeSeparator();
  bool sawDecimal = false, sawColon = false;
  for (std::size_t i = 0; i < inLength && !sawColon; ++i) {
    sawDecimal |= inText[i] == decimal;
    sawColon |= inText[i] == colon;
  }
  const bool decimalHours = sawDecimal && !sawColon;

  STextParts parts(inText, inLength, decimalHours ? decimal : colon);
  std::uint32_t seconds = parts[0].value * 3600U;
  if (decimalHours) {
    const STextParts::Part & fraction = parts[1];
    std::uint64_t value = fraction.value;
    std::uint32_t decimals = fraction.count;
    if (decimals > kMaxDecimals) {
      decimals = kMaxDecimals;
      const char * digits = inText + fraction.start;
      long head = digits[0] == '-' ? 0 : SStringToLong::StringToLong(digits, kMaxDecimals);
      value = head > 0 ? static_cast<std::uint64_t>(head) : 0;
    }
    // 64-bit product: 9 decimals times 3600 would not fit in 32 bits.
    seconds += static_cast<std::uint32_t>(value * 3600U / PowerOfTen(decimals));
  } else {
    seconds += parts[1].value * 60U + parts[2].value;
  }
  return STime(seconds);
}

void STimeString::MakeTimeString(STime inTime) {
  const std::uint32_t total = static_cast<std::uint32_t>(static_cast<unsigned long>(inTime));
  std::uint64_t seconds = total % 60;
  std::uint64_t minutes = (total / 60) % 60;
  std::uint64_t hours = total / 3600;
  const std::uint64_t max = PowerOfTen(mMaxHourDigits);
  const std::uint64_t min = PowerOfTen(mMinHourDigits);
  if (hours >= max) {
    hours = max - 1;
    minutes = 59;
    seconds = 59;
  }

  clear();
  if (hours < min) {
    resize(mMinHourDigits);
    SLongToString::ULongToPaddedString(static_cast<unsigned long>(hours), data(),
                                       mMinHourDigits, '0');
  } else {
    char digits[24];
    unsigned long count = SLongToString::ULongToString(static_cast<unsigned long>(hours),
                                                       digits, mMaxHourDigits);
    assign(digits, count);
  }
  const char colon = SLocale::Default().GetTimeSeparator();
  char tail[6];
  tail[0] = colon;
  SLongToString::ULongToPaddedString(static_cast<unsigned long>(minutes), tail + 1, 2, '0');
  tail[3] = colon;
  SLongToString::ULongToPaddedString(static_cast<unsigned long>(seconds), tail + 4, 2, '0');
  append(tail, sizeof tail);
}
