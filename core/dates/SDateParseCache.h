// A memo for date conversions that lives only while one batch of texts (a file) is read.
#pragma once

#include "dates/SDate.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <unordered_map>

/// While an instance is alive on a thread, date parsing on that thread takes "today" once
/// for the whole scope and converts each (day, month, year) only once; formatting breaks
/// each date down only once. Scopes nest; the innermost one is used. The time zone and the
/// locale's date separator must not change while a scope is alive.
class SDateParseCache {
public:
  /// The broken-down local day of a date.
  struct Breakdown {
    int year = 0;  ///< full year, e.g. 2012
    int month = 0; ///< 1 to 12
    int day = 0;   ///< 1 to 31
  };

  /// Opens a scope on the current thread.
  SDateParseCache();
  /// Closes the scope; the enclosing one (if any) becomes current again.
  ~SDateParseCache();
  SDateParseCache(const SDateParseCache &) = delete;
  SDateParseCache & operator=(const SDateParseCache &) = delete;

  /// The innermost scope alive on this thread, or null.
  static SDateParseCache * Current();

  /// The current local time, broken down at the scope's first call.
  const std::tm & Now();

  /// The remembered date for the assigned components (0 = absent), if any.
  bool FindDate(std::uint32_t inDay, std::uint32_t inMonth, std::uint32_t inYear,
                SDate & outDate);
  /// Remembers the conversion of the assigned components.
  void RememberDate(std::uint32_t inDay, std::uint32_t inMonth, std::uint32_t inYear,
                    SDate inDate);
  /// The remembered date of the date text [inText, inText + inLength) read in date order
  /// `inOrder`, if any.
  bool FindText(const char * inText, std::size_t inLength, int inOrder, SDate & outDate) const;
  /// Remembers what a date text reads as; texts over 14 bytes are not remembered.
  void RememberText(const char * inText, std::size_t inLength, int inOrder, SDate inDate);
  /// How many conversions this scope remembered (each one a call of the C library).
  std::size_t ConversionCount() const { return mConversions; }

  /// The remembered breakdown of a date, if any (recently used ones are kept).
  bool FindBreakdown(SDate inDate, Breakdown & outBreakdown);
  /// Remembers the breakdown of a date.
  void RememberBreakdown(SDate inDate, const Breakdown & inBreakdown);

private:
  struct Key {
    std::uint32_t day, month, year;
    bool operator==(const Key &) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key & inKey) const {
      std::uint64_t h = inKey.day * 0x9E3779B97F4A7C15ULL;
      h ^= (inKey.month + 0x632BE59BD9B4E019ULL) * 0xC2B2AE3D27D4EB4FULL;
      h ^= (inKey.year + 0x165667B19E3779F9ULL) * 0xFF51AFD7ED558CCDULL;
      return static_cast<std::size_t>(h ^ (h >> 29));
    }
  };

  // Keys of ordinary dates (day 0 to 31, month 0 to 12, year 0 or 1970 to 2105) have a
  // slot of their own in a flat table; all others live in a hash map.
  static constexpr std::uint32_t kFirstYear = 1970, kLastYear = 2105;
  static constexpr std::size_t kDaySlots = 32, kMonthSlots = 13;
  static constexpr std::size_t kYearSlots = kLastYear - kFirstYear + 2;
  static constexpr std::size_t kTableSize = kDaySlots * kMonthSlots * kYearSlots;
  // A slot not yet filled; a date with these seconds goes to the hash map instead.
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFU;
  // Breakdowns are kept in a direct-mapped table of this many entries (a power of two).
  static constexpr std::size_t kBreakdownSlots = 4096;

  // The table slot of a key, or kTableSize when it has none.
  static std::size_t SlotOf(std::uint32_t inDay, std::uint32_t inMonth, std::uint32_t inYear);

  // Date texts are remembered in a direct-mapped table of this many entries (a power of
  // two), each text packed with its length and order into two words.
  static constexpr std::size_t kTextSlots = 8192;
  static constexpr std::size_t kMaxText = 14;
  struct TextSlot {
    std::uint64_t head = 0, tail = 0; // tail 0: empty (a packed key never is)
    SDate date;
  };
  // Packs a text of at most kMaxText bytes with its order; false for a longer text.
  static bool PackText(const char * inText, std::size_t inLength, int inOrder, TextSlot & outKey);
  static std::size_t TextSlotOf(const TextSlot & inKey);
  struct BreakdownSlot {
    std::uint32_t seconds = 0;
    bool filled = false;
    Breakdown breakdown;
  };

  SDateParseCache * mOuter;
  bool mHaveNow = false;
  std::tm mNow{};

  std::unique_ptr<std::uint32_t[]> mTable;
  std::unordered_map<Key, SDate, KeyHash> mDates;
  std::size_t mConversions = 0;

  std::unique_ptr<BreakdownSlot[]> mBreakdowns;
  std::unique_ptr<TextSlot[]> mTexts;
};
