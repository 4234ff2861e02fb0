// Numbers: D, D "." [D], "." D, each with an optional exponent "e"/"E" [+|-] D.
#include "syntax/SNumericTokenReducer.h"

namespace {

bool IsExponentLetter(const SToken & token) {
  return token.Type() == STokenEnum::eString && (token.Token() == "e" || token.Token() == "E");
}

} // namespace

bool SNumericTokenReducer::operator()(STokenVector & tokens, std::size_t first, std::size_t last) {
  if (first >= last)
    return false;
  std::size_t end = first;
  bool integer = true;
  if (tokens[end].Type() == eNumber) {
    ++end;
    if (end < last && tokens[end].Type() == ePeriod) {
      ++end;
      integer = false;
      if (end < last && tokens[end].Type() == eNumber)
        ++end;
    }
  } else if (tokens[end].Type() == ePeriod && end + 1 < last && tokens[end + 1].Type() == eNumber) {
    end += 2;
    integer = false;
  } else {
    return false;
  }
  if (end < last && IsExponentLetter(tokens[end])) {
    std::size_t digits = end + 1;
    if (digits < last && (tokens[digits].Type() == ePlus || tokens[digits].Type() == eHyphen))
      ++digits;
    if (digits >= last || tokens[digits].Type() != eNumber)
      return false; // an exponent without digits: the number is left as it is
    end = digits + 1;
    integer = false;
  }
  Reduce(tokens, first, end, eNumber, integer ? 1 : 2);
  return true;
}
