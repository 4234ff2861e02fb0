// Number-to-text conversions.
#include "numbers/SLongToString.h"

#include <climits>

namespace {

// Writes the lowest digits of `value` (at most `maxDigits`) most significant first,
// preceded by "-" when `negative`; returns the count.
unsigned long WriteDigits(unsigned long value, bool negative, char * out,
                          unsigned long maxDigits) {
  char reversed[sizeof(unsigned long) * 3 + 2];
  unsigned long count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0 && count < maxDigits);
  if (negative)
    reversed[count++] = '-';
  for (unsigned long i = 0; i < count; ++i)
    out[i] = reversed[count - 1 - i];
  return count;
}

} // namespace

unsigned long SLongToString::LongToString(long inLong, char * outString,
                                          unsigned long inMaxLen) {
  if (inMaxLen == 0)
    return 0;
  if (inLong == 0) {
    outString[0] = '0';
    return 1;
  }
  // Negate in unsigned arithmetic so that LONG_MIN has a magnitude too.
  unsigned long magnitude = inLong < 0 ? 0UL - static_cast<unsigned long>(inLong)
                                       : static_cast<unsigned long>(inLong);
  return WriteDigits(magnitude, inLong < 0, outString, inMaxLen);
}

unsigned long SLongToString::ULongToString(unsigned long inLong, char * outString,
                                           unsigned long inMaxLen) {
  return LongToString(static_cast<long>(inLong & static_cast<unsigned long>(LONG_MAX)),
                      outString, inMaxLen);
}

unsigned long SLongToString::ULongToPaddedString(unsigned long inLong, char * outString,
                                                 unsigned long inDigits, char inPad) {
  if (inDigits == 0)
    return 0;
  for (unsigned long i = 0; i < inDigits; ++i)
    outString[i] = inPad;
  unsigned long position = inDigits;
  do {
    outString[--position] = static_cast<char>('0' + inLong % 10);
    inLong /= 10;
  } while (inLong != 0 && position > 0);
  return inDigits;
}
