// The text form of a date: parsing a date text in a given order and formatting a date.
#pragma once

#include "dates/SDate.h"
#include "dates/SDateFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

class SDateString : public std::string {
public:
  /// Longest text FormatDate writes.
  static constexpr std::size_t kMaxDateChars = 10;

  /// Empty text, the default locale's order, four-digit years.
  SDateString();
  /// Empty text in the given order.
  SDateString(SDateFormat inFormat, bool inUseFullYear);
  /// The text of `inDate` in the given order.
  SDateString(SDate inDate, SDateFormat inFormat, bool inUseFullYear);

  /// Replaces the text by the formatted date.
  SDateString & operator=(SDate inDate);
  /// Replaces the text unchanged (null gives an empty text).
  SDateString & operator=(const char * inText);
  /// Replaces the text unchanged.
  SDateString & operator=(const std::string & inText);

  /// The date the text names in this order (see ParseDate).
  operator SDate() const;

  SDateFormat GetFormat() const { return mFormat; }
  void SetFormat(SDateFormat inFormat) { mFormat = inFormat; }
  bool GetUseFullYear() const { return mUseFullYear; }
  void SetUseFullYear(bool inUseFullYear) { mUseFullYear = inUseFullYear; }

  /// Replaces the text by `inDate` formatted in this order and year width.
  void MakeDateString(SDate inDate);

  /// Parses `inLength` characters at `inText` as a date in `inFormat`: missing or zero
  /// parts take today's values, the result is the day's local noon. Gives 0 for an order
  /// outside the six, and for a day before 1970 or after 2105 that SDate cannot hold.
  static SDate ParseDate(const char * inText, std::size_t inLength, SDateFormat inFormat);

  /// The local noon of the given components (0 = take today's), normalised by the C
  /// library; 0 when not representable.
  static SDate DateFromComponents(std::uint32_t inDay, std::uint32_t inMonth,
                                  std::uint32_t inYear);

  /// Whether the text holds nothing but digits and date separators (or nothing at all),
  /// so that writing its date in another form loses nothing the user wrote.
  static bool IsPlainDateText(const char * inText, std::size_t inLength);

  /// Writes `inDate` in `inFormat` to `outText` (room for kMaxDateChars); returns the
  /// count: 10 with a full year, 8 without, 0 for an order outside the six.
  static std::size_t FormatDate(SDate inDate, SDateFormat inFormat, bool inUseFullYear,
                                char * outText);

private:
  // ParseDate without the memo.
  static SDate ReadDate(const char * inText, std::size_t inLength, SDateFormat inFormat);
  SDateFormat mFormat;
  bool mUseFullYear;
};
