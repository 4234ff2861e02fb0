// Splitting date and duration texts into parts.
#include "dates/STextParts.h"

namespace {
// Part values are read as SStringToLong reads them: leading digits, clamped to this.
constexpr std::uint32_t kMaxValue = 2147483647U;
} // namespace

STextParts::STextParts(const char * inText, std::size_t inLength, char inSeparator) {
  if (inLength > kMaxChars)
    inLength = kMaxChars;
  const unsigned char separator = static_cast<unsigned char>(inSeparator);
  std::size_t position = 0;
  while (position < inLength && mPresent < kMaxParts) {
    const std::size_t start = position;
    // The value of the part's leading digits. A leading "-" makes the value 0 or less,
    // which is stored as 0, so it simply stops the digits.
    std::uint32_t value = 0;
    bool inDigits = true;
    while (position < inLength) {
      const unsigned char c = static_cast<unsigned char>(inText[position]);
      if (c == separator || c < 32)
        break;
      if (inDigits) {
        const unsigned digit = static_cast<unsigned>(c) - '0';
        if (digit > 9)
          inDigits = false;
        else
          value = value > (kMaxValue - digit) / 10 ? kMaxValue : value * 10 + digit;
      }
      ++position;
    }
    Part & part = mParts[mPresent++];
    part.value = value;
    part.count = static_cast<std::uint32_t>(position - start);
    part.start = static_cast<std::uint32_t>(start);
    ++position; // past the terminator
  }
}
