// One time entry: a time sheet line with the spans of its six fields and its parsed values.
#pragma once

#include "dates/SDate.h"
#include "dates/SDateFormat.h"
#include "dates/SDateString.h"
#include "dates/STime.h"
#include "dates/STimeString.h"

#include <cstdint>
#include <string>
#include <string_view>

/// A task as separate values, for editing one field and building the task again.
struct TaskFields {
  SDateString date;                 ///< empty, system date order, four-digit year
  STimeString duration{2, 2};       ///< empty, two hour digits
  std::string whoCode;
  std::string jobNumber;
  std::string timeCode;
  std::string description;
  SDate dateVal;
  STime durationVal;
};

class STask : public std::string {
public:
  /// Field indices into the line.
  enum EField {
    eDate = 0,
    eDuration = 1,
    eWhoCode = 2,
    eJobNumber = 3,
    eTimeCode = 4,
    eDescription = 5,
    eFieldCount = 6
  };

  using TaskFields = ::TaskFields;

  /// Text fields compare without regard to letter case.
  static constexpr bool sCaseInsensitiveCompare = true;
  /// Parsing rewrites a date field that is not 10 characters long with a four-digit year.
  static constexpr bool sForceFourDigitYear = true;

  /// An empty task (no text, no tabs, all values 0) whose date is written in `inFormat`.
  explicit STask(SDateFormat inFormat);
  /// The task of one line (without its line break) of `inLength` bytes at `inText`.
  STask(SDateFormat inFormat, const char * inText, unsigned int inLength);

  /// Splits the text into the six fields (appending tabs until there are five), reads the
  /// date and duration, and writes a short date (digits and separators, or empty) in full
  /// with a four-digit year.
  void Parse();

  /// Sets `outText` to the text of field `inField`.
  void GetSubfield(EField inField, std::string & outText) const;
  /// The text of field `inField`, valid until the task changes.
  std::string_view Subfield(EField inField) const {
    return std::string_view(data() + mStart[inField], mLength[inField]);
  }
  /// Offset of field `inField` in the text.
  std::uint32_t GetSubfieldStart(EField inField) const { return mStart[inField]; }
  /// Length of field `inField`.
  std::uint32_t GetSubfieldLength(EField inField) const { return mLength[inField]; }

  SDate GetDate() const { return mDate; }
  STime GetDuration() const { return mDuration; }
  SDateFormat GetDateFormat() const { return mDateFormat; }

  /// Changes the date order and rewrites the date field in it. A date that cannot be held
  /// and a date field that is not just digits and separators keep their text.
  void SetDateFormat(SDateFormat inFormat);

  /// The task as separate values.
  operator TaskFields() const;
  /// Rebuilds the whole line from `ioFields`; its date is first brought to this task's
  /// order. Tabs and line breaks inside a value become spaces (tabs stay in the
  /// description), so the line reads back into the same fields.
  STask & operator=(TaskFields & ioFields);

  /// -1, 0 or 1 as a's date is earlier than, equal to or later than b's.
  static std::int16_t CompareDates(const STask & a, const STask & b);
  /// -1, 0 or 1 by duration.
  static std::int16_t CompareDurations(const STask & a, const STask & b);
  static std::int16_t CompareWhoCodes(const STask & a, const STask & b);
  static std::int16_t CompareJobNumbers(const STask & a, const STask & b);
  static std::int16_t CompareTimeCodes(const STask & a, const STask & b);
  static std::int16_t CompareDescriptions(const STask & a, const STask & b);
  /// -1, 0 or 1 comparing a field's texts byte by byte without regard to case; a proper
  /// prefix sorts first.
  static std::int16_t CompareSubfields(EField inField, const STask & a, const STask & b);

  /// Converts every character of `ioText` to upper case.
  static void Capitalize(std::string & ioText);

private:
  // Writes mDate in mDateFormat with a four-digit year over the date field, unless that
  // would lose what the field holds; returns whether it did.
  bool RewriteDate();
  // Puts `inText` in place of the date field's text and moves the spans that follow.
  void ReplaceDateText(const char * inText, std::size_t inLength);

  std::uint32_t mStart[eFieldCount];
  std::uint32_t mLength[eFieldCount];
  SDate mDate;
  STime mDuration;
  SDateFormat mDateFormat;
};
