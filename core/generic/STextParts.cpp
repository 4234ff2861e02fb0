// Splitting date and duration texts into parts.
#include "generic/STextParts.h"

#include "generic/SStringToLong.h"

STextParts::STextParts(const char * inText, std::size_t inLength, char inSeparator) {
  if (inLength > kMaxChars)
    inLength = kMaxChars;
  std::size_t position = 0;
  while (position < inLength && mPresent < kMaxParts) {
    std::size_t start = position;
    while (position < inLength) {
      unsigned char c = static_cast<unsigned char>(inText[position]);
      if (c == static_cast<unsigned char>(inSeparator) || c < 32)
        break;
      ++position;
    }
    Part & part = mParts[mPresent++];
    part.count = static_cast<std::uint32_t>(position - start);
    part.start = static_cast<std::uint32_t>(start);
    // A leading "-" always gives 0 or less, which is stored as 0; skipping it here also
    // keeps the reader inside the part.
    if (part.count != 0 && inText[start] != '-') {
      long value = SStringToLong::StringToLong(inText + start, static_cast<long>(part.count));
      part.value = value > 0 ? static_cast<std::uint32_t>(value) : 0;
    }
    ++position; // past the terminator
  }
}
