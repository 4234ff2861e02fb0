// Two adjacent relation characters become one relation token.
#include "syntax/SRelationalTokenReducer.h"

bool SRelationalTokenReducer::operator()(STokenVector & tokens, std::size_t first, std::size_t last) {
  if (first + 1 >= last)
    return false;
  const EType a = tokens[first].Type();
  const EType b = tokens[first + 1].Type();
  EType merged;
  if ((a == eLessThan && b == eEqual) || (a == eEqual && b == eLessThan))
    merged = eLessOrEqual;
  else if ((a == eGreaterThan && b == eEqual) || (a == eEqual && b == eGreaterThan))
    merged = eGreaterOrEqual;
  else if ((a == eLessThan && b == eGreaterThan) || (a == eGreaterThan && b == eLessThan))
    merged = eNotEqual;
  else
    return false;
  Reduce(tokens, first, first + 2, merged, 0);
  return true;
}
