// A typed value of the filter language: a task field's value, a quoted text, a
// number, or the 0/1 result of a comparison, with every operator on such values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "syntax/SWildcardString.h"

class STerm {
public:
  enum EType { eNull = 0, eString = 1, eInteger = 2, eDecimal = 3, eDate = 4, eDuration = 5 };

  /// Where a string term may keep what its text reads as, as a date and as a
  /// duration, so that a literal is converted once however often it is compared.
  /// The owner of the cache must outlive every term that refers to it.
  struct SConversionCache {
    bool mHasDate = false;
    bool mHasDuration = false;
    std::int32_t mDate = 0;
    std::int32_t mDuration = 0;
  };

  /// The null term.
  STerm();
  /// A decimal term.
  explicit STerm(const double & value);
  /// An integer-valued term: `type` is eInteger, eDate or eDuration.
  STerm(const long & value, EType type);
  /// A string term; `extra` 1 marks single-quoted text (wildcards allowed), 2 double-quoted
  /// text, 0 text taken from a task field.
  STerm(std::string_view text, short extra);
  /// A term with every field given; the text may wildcard exactly when `extra` is 1.
  STerm(const std::string & text, const double & decimal, const long & integer, EType type, short extra);

  STerm(const STerm &) = default;
  STerm(STerm &&) noexcept = default;
  STerm & operator=(const STerm &) = default;
  /// Takes `other`'s value. Most terms are numbers with no text, and handing an empty text
  /// over costs more than emptying this one: evaluation moves terms for every entry.
  STerm & operator=(STerm && other) noexcept {
    if (other.mString.empty()) {
      mString.clear();
      mString.SetCanWildcard(other.mString.CanWildcard());
    } else {
      mString = std::move(other.mString);
    }
    mDecimal = other.mDecimal;
    mInteger = other.mInteger;
    mType = other.mType;
    mExtra = other.mExtra;
    mConverted = other.mConverted;
    mCache = other.mCache;
    return *this;
  }
  ~STerm() = default;

  /// Makes this an integer-valued term (`type` eInteger, eDate or eDuration), as
  /// STerm(value, type) would be, keeping the text's storage for reuse.
  void AssignInteger(long value, EType type) {
    Reset();
    mString.SetCanWildcard(false);
    mInteger = static_cast<std::int32_t>(value);
    mType = type;
  }
  /// Makes this a string term, as STerm(text, extra) would be, reusing the text's storage.
  void AssignString(std::string_view text, short extra) {
    Reset();
    mString.assign(text);
    mString.SetCanWildcard(extra == 1);
    mType = eString;
    mExtra = extra;
  }
  /// Makes this the null term again, keeping the text's storage for reuse.
  void Reset() {
    mString.clear();
    mString.SetCanWildcard(true);
    mDecimal = 0.0;
    mInteger = 0;
    mType = eNull;
    mExtra = 0;
    mConverted = false;
    mCache = nullptr;
  }

  EType Type() const { return mType; }
  std::int32_t Integer() const { return mInteger; }
  double Decimal() const { return mDecimal; }
  const SWildcardString & String() const { return mString; }
  short Extra() const { return mExtra; }
  bool Converted() const { return mConverted; }

  /// Reads the text as a date (default order of the locale) into the integer value, once.
  void ConvertToDateString() const;
  /// Reads the text as a duration (2 to 4 hour digits) into the integer value, once.
  void ConvertToTimeString() const;

  /// Lets the conversions read and fill `cache` (null: convert on every new term). A term
  /// with a cache is never marked converted: each reading is taken from the cache.
  void SetConversionCache(SConversionCache * cache) { mCache = cache; }

private:
  SWildcardString mString;
  double mDecimal;
  mutable std::int32_t mInteger;
  EType mType;
  short mExtra;
  mutable bool mConverted;
  SConversionCache * mCache = nullptr;
};

/// Unary minus of an integer, duration or decimal.
STerm operator-(const STerm & term);
/// Logical not of an integer or decimal: 1 for zero, else 0.
STerm operator!(const STerm & term);

/// Arithmetic; a string pair may only be added (concatenated).
STerm operator*(const STerm & first, const STerm & second);
STerm operator/(const STerm & first, const STerm & second);
STerm operator+(const STerm & first, const STerm & second);
STerm operator-(const STerm & first, const STerm & second);

/// Comparisons, each giving the integer 1 or 0.
STerm operator>(const STerm & first, const STerm & second);
STerm operator>=(const STerm & first, const STerm & second);
STerm operator<(const STerm & first, const STerm & second);
STerm operator<=(const STerm & first, const STerm & second);
STerm operator!=(const STerm & first, const STerm & second);
STerm operator==(const STerm & first, const STerm & second);

/// Logical and/or of integers and decimals; both operands are always computed.
STerm operator&&(const STerm & first, const STerm & second);
STerm operator||(const STerm & first, const STerm & second);
