// The order in which day, month and year are written in a date's text.
#pragma once

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
