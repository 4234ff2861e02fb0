// Typed filter values: construction, the date and duration readings of a text,
// and the operators with their type rules and errors.
#include "syntax/STerm.h"

#include <cstdint>

#include "dates/SDateFormat.h"
#include "dates/SDateString.h"
#include "syntax/SSyntaxException.h"
#include "dates/STimeString.h"

namespace {

const char * const kUnknownTerm = "Unknown term";
const char * const kWrongArgumentType = "Wrong argument type";
const char * const kMismatchedArguments = "Mismatched arguments";

enum class EArithmetic { eMultiply, eDivide, eAdd, eSubtract };
enum class ERelation { eGreater, eGreaterOrEqual, eLess, eLessOrEqual, eNotEqual, eEqual };

bool IsIntegral(STerm::EType type) { return type == STerm::eInteger || type == STerm::eDuration; }
bool IsNumeric(STerm::EType type) { return type == STerm::eInteger || type == STerm::eDecimal; }

STerm Truth(bool value) { return STerm(value ? 1L : 0L, STerm::eInteger); }

template <typename T>
bool Relate(ERelation relation, const T & a, const T & b) {
  switch (relation) {
  case ERelation::eGreater: return a > b;
  case ERelation::eGreaterOrEqual: return a >= b;
  case ERelation::eLess: return a < b;
  case ERelation::eLessOrEqual: return a <= b;
  case ERelation::eNotEqual: return a != b;
  case ERelation::eEqual: return a == b;
  }
  return false;
}

double Calculate(EArithmetic operation, double a, double b) {
  switch (operation) {
  case EArithmetic::eMultiply: return a * b;
  case EArithmetic::eDivide: return a / b;
  case EArithmetic::eAdd: return a + b;
  case EArithmetic::eSubtract: return a - b;
  }
  return 0.0;
}

// 32-bit arithmetic that wraps instead of overflowing.
std::int32_t Wrap(std::uint32_t value) { return static_cast<std::int32_t>(value); }

STerm Arithmetic(EArithmetic operation, const STerm & first, const STerm & second) {
  const STerm::EType a = first.Type();
  const STerm::EType b = second.Type();
  if (a == STerm::eNull)
    throw SSyntaxException(kUnknownTerm);
  if (a == STerm::eString && b == STerm::eString) {
    if (operation != EArithmetic::eAdd)
      throw SSyntaxException(kMismatchedArguments);
    const short extra = (first.Extra() == 1 || second.Extra() == 1) ? 1 : 2;
    std::string text;
    text.reserve(first.String().size() + second.String().size());
    text.append(first.String()).append(second.String());
    return STerm(text, extra);
  }
  if (IsIntegral(a) && IsIntegral(b)) {
    const std::uint32_t x = static_cast<std::uint32_t>(first.Integer());
    const std::uint32_t y = static_cast<std::uint32_t>(second.Integer());
    switch (operation) {
    case EArithmetic::eMultiply: return STerm(static_cast<long>(Wrap(x * y)), STerm::eInteger);
    case EArithmetic::eAdd: return STerm(static_cast<long>(Wrap(x + y)), STerm::eInteger);
    case EArithmetic::eSubtract: return STerm(static_cast<long>(Wrap(x - y)), STerm::eInteger);
    case EArithmetic::eDivide:
      // Division by zero has no value: the operands do not fit this operator.
      if (second.Integer() == 0)
        throw SSyntaxException(kMismatchedArguments);
      // 64-bit so that the one overflowing case (-2147483648 / -1) is exact.
      return STerm(static_cast<double>(static_cast<std::int64_t>(first.Integer()) / second.Integer()));
    }
  }
  if (IsIntegral(a) && b == STerm::eDecimal)
    return STerm(Calculate(operation, static_cast<double>(first.Integer()), second.Decimal()));
  if (a == STerm::eDecimal && IsIntegral(b))
    return STerm(Calculate(operation, first.Decimal(), static_cast<double>(second.Integer())));
  if (a == STerm::eDecimal && b == STerm::eDecimal)
    return STerm(Calculate(operation, first.Decimal(), second.Decimal()));
  throw SSyntaxException(kMismatchedArguments);
}

bool RelateStrings(ERelation relation, const SWildcardString & a, const SWildcardString & b) {
  switch (relation) {
  case ERelation::eGreater: return a > b;
  case ERelation::eGreaterOrEqual: return a >= b;
  case ERelation::eLess: return a < b;
  case ERelation::eLessOrEqual: return a <= b;
  case ERelation::eNotEqual: return a != b;
  case ERelation::eEqual: return a == b;
  }
  return false;
}

bool RelateDates(ERelation relation, const STerm & first, const STerm & second) {
  return Relate(relation, static_cast<std::uint32_t>(first.Integer()), static_cast<std::uint32_t>(second.Integer()));
}

bool RelateIntegers(ERelation relation, const STerm & first, const STerm & second) {
  return Relate(relation, first.Integer(), second.Integer());
}

STerm Comparison(ERelation relation, const STerm & first, const STerm & second) {
  const STerm::EType a = first.Type();
  const STerm::EType b = second.Type();
  switch (a) {
  case STerm::eNull:
    throw SSyntaxException(kUnknownTerm);
  case STerm::eString:
    if (b == STerm::eString)
      return Truth(RelateStrings(relation, first.String(), second.String()));
    if (b == STerm::eDate) {
      first.ConvertToDateString();
      return Truth(RelateDates(relation, first, second));
    }
    if (b == STerm::eDuration) {
      first.ConvertToTimeString();
      return Truth(RelateIntegers(relation, first, second));
    }
    break;
  case STerm::eDate:
    if (b == STerm::eString) {
      second.ConvertToDateString();
      return Truth(RelateDates(relation, first, second));
    }
    if (b == STerm::eDate)
      return Truth(RelateDates(relation, first, second));
    break;
  case STerm::eInteger:
  case STerm::eDuration:
    if (IsIntegral(b))
      return Truth(RelateIntegers(relation, first, second));
    if (a == STerm::eDuration && b == STerm::eString) {
      second.ConvertToTimeString();
      return Truth(RelateIntegers(relation, first, second));
    }
    if (b == STerm::eDecimal)
      return Truth(Relate(relation, static_cast<double>(first.Integer()), second.Decimal()));
    break;
  case STerm::eDecimal:
    if (IsIntegral(b))
      return Truth(Relate(relation, first.Decimal(), static_cast<double>(second.Integer())));
    if (b == STerm::eDecimal)
      return Truth(Relate(relation, first.Decimal(), second.Decimal()));
    break;
  }
  throw SSyntaxException(kMismatchedArguments);
}

STerm Logical(bool isAnd, const STerm & first, const STerm & second) {
  if (first.Type() == STerm::eNull)
    throw SSyntaxException(kUnknownTerm);
  if (!IsNumeric(first.Type()) || !IsNumeric(second.Type()))
    throw SSyntaxException(kMismatchedArguments);
  const bool a = first.Type() == STerm::eInteger ? first.Integer() != 0 : first.Decimal() != 0.0;
  const bool b = second.Type() == STerm::eInteger ? second.Integer() != 0 : second.Decimal() != 0.0;
  return Truth(isAnd ? (a && b) : (a || b));
}

} // namespace

STerm::STerm()
    : mString(true), mDecimal(0.0), mInteger(0), mType(eNull), mExtra(0), mConverted(false) {}

STerm::STerm(const double & value)
    : mString(false), mDecimal(value), mInteger(0), mType(eDecimal), mExtra(0), mConverted(false) {}

STerm::STerm(const long & value, EType type)
    : mString(false), mDecimal(0.0), mInteger(static_cast<std::int32_t>(value)), mType(type), mExtra(0),
      mConverted(false) {}

STerm::STerm(std::string_view text, short extra)
    : mString(text, extra == 1), mDecimal(0.0), mInteger(0), mType(eString), mExtra(extra), mConverted(false) {}

STerm::STerm(const std::string & text, const double & decimal, const long & integer, EType type, short extra)
    : mString(text, extra == 1), mDecimal(decimal), mInteger(static_cast<std::int32_t>(integer)), mType(type),
      mExtra(extra), mConverted(false) {}

namespace {

// What an SDateString in its default settings makes of a text.
std::int32_t ReadDate(const std::string & text) {
  const SDate date = SDateString::ParseDate(text.data(), text.size(), SDateFormat());
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned long>(date)));
}

// What an STimeString of 2 to 4 hour digits makes of a text (the digit counts only
// matter for formatting).
std::int32_t ReadDuration(const std::string & text) {
  const STime duration = STimeString::ParseTime(text.data(), text.size());
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned long>(duration)));
}

} // namespace

void STerm::ConvertToDateString() const {
  if (mConverted)
    return;
  if (mCache == nullptr) {
    mInteger = ReadDate(mString);
    mConverted = true;
    return;
  }
  // A term with a cache is a literal shared by every evaluation: the cache keeps each
  // reading, and the term stays free to be read the other way by a later evaluation.
  if (!mCache->mHasDate) {
    mCache->mDate = ReadDate(mString);
    mCache->mHasDate = true;
  }
  mInteger = mCache->mDate;
}

void STerm::ConvertToTimeString() const {
  if (mConverted)
    return;
  if (mCache == nullptr) {
    mInteger = ReadDuration(mString);
    mConverted = true;
    return;
  }
  if (!mCache->mHasDuration) {
    mCache->mDuration = ReadDuration(mString);
    mCache->mHasDuration = true;
  }
  mInteger = mCache->mDuration;
}

STerm operator-(const STerm & term) {
  switch (term.Type()) {
  case STerm::eNull:
    throw SSyntaxException(kUnknownTerm);
  case STerm::eInteger:
  case STerm::eDuration:
    return STerm(static_cast<long>(Wrap(0u - static_cast<std::uint32_t>(term.Integer()))), STerm::eInteger);
  case STerm::eDecimal:
    return STerm(-term.Decimal());
  default:
    throw SSyntaxException(kWrongArgumentType);
  }
}

STerm operator!(const STerm & term) {
  switch (term.Type()) {
  case STerm::eNull:
    throw SSyntaxException(kUnknownTerm);
  case STerm::eInteger:
    return Truth(term.Integer() == 0);
  case STerm::eDecimal:
    return Truth(term.Decimal() == 0.0);
  default:
    throw SSyntaxException(kWrongArgumentType);
  }
}

STerm operator*(const STerm & first, const STerm & second) { return Arithmetic(EArithmetic::eMultiply, first, second); }
STerm operator/(const STerm & first, const STerm & second) { return Arithmetic(EArithmetic::eDivide, first, second); }
STerm operator+(const STerm & first, const STerm & second) { return Arithmetic(EArithmetic::eAdd, first, second); }
STerm operator-(const STerm & first, const STerm & second) { return Arithmetic(EArithmetic::eSubtract, first, second); }

STerm operator>(const STerm & first, const STerm & second) { return Comparison(ERelation::eGreater, first, second); }
STerm operator>=(const STerm & first, const STerm & second) { return Comparison(ERelation::eGreaterOrEqual, first, second); }
STerm operator<(const STerm & first, const STerm & second) { return Comparison(ERelation::eLess, first, second); }
STerm operator<=(const STerm & first, const STerm & second) { return Comparison(ERelation::eLessOrEqual, first, second); }
STerm operator!=(const STerm & first, const STerm & second) { return Comparison(ERelation::eNotEqual, first, second); }
STerm operator==(const STerm & first, const STerm & second) { return Comparison(ERelation::eEqual, first, second); }

STerm operator&&(const STerm & first, const STerm & second) { return Logical(true, first, second); }
STerm operator||(const STerm & first, const STerm & second) { return Logical(false, first, second); }
