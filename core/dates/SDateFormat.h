// The order in which day, month and year are written in a date's text.
#pragma once

#ifdef _WIN32
// <windows.h> defines GetDateFormat as a macro (for GetDateFormatA), which would rename
// the GetDateFormat members of SLocale and STask in every file that includes it first, and
// break every call written after it. Include it here, once, and take the macro back: its
// include guard then keeps the macro from coming back with any later include.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef GetDateFormat
#endif

class SDateFormat {
public:
  /// The six orders. Values outside 0 to 5 can be stored and mean "no order".
  enum EFormat : int {
    eDMY = 0,
    eDYM = 1,
    eMDY = 2,
    eMYD = 3,
    eYDM = 4,
    eYMD = 5
  };

  /// The date order of the user's locale (SLocale::Default()).
  SDateFormat();
  /// The given order.
  SDateFormat(EFormat inFormat) : mFormat(inFormat) {}

  /// The order.
  EFormat GetFormat() const { return mFormat; }
  /// Replaces the order.
  void SetFormat(EFormat inFormat) { mFormat = inFormat; }
  /// Whether the order is one of the six valid ones.
  bool IsValid() const { return mFormat >= eDMY && mFormat <= eYMD; }

  bool operator!=(const SDateFormat & inOther) const { return mFormat != inOther.mFormat; }
  bool operator==(const SDateFormat & inOther) const { return mFormat == inOther.mFormat; }

private:
  EFormat mFormat;
};
