// Text-to-number conversion.
#include "numbers/SStringToLong.h"

long SStringToLong::StringToLong(const char * inString, long inLength) {
  constexpr long kMax = 2147483647L;
  bool negative = false;
  if (*inString == '-') {
    negative = true;
    ++inString;
  }
  long value = 0;
  bool overflow = false;
  for (long i = 0; i < inLength; ++i) {
    char c = inString[i];
    if (c < '0' || c > '9')
      break;
    long digit = c - '0';
    if (value > (kMax - digit) / 10)
      overflow = true; // keep reading: the digits still belong to the number
    else if (!overflow)
      value = value * 10 + digit;
  }
  if (overflow)
    value = kMax;
  return negative ? -value : value;
}

long SStringToLong::StringToLong(const unsigned char * inString, long inLength) {
  return StringToLong(reinterpret_cast<const char *>(inString), inLength);
}
