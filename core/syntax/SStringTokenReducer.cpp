// Names: a letter run, or an underscore run then a letter run, then any letters,
// digits and underscores.
#include "syntax/SStringTokenReducer.h"

bool SStringTokenReducer::operator()(STokenVector & tokens, std::size_t first, std::size_t last) {
  if (first >= last)
    return false;
  std::size_t end = first;
  if (tokens[end].Type() == eString)
    end += 1;
  else if (tokens[end].Type() == eUnderscore && end + 1 < last && tokens[end + 1].Type() == eString)
    end += 2;
  else
    return false;
  while (end < last) {
    const EType type = tokens[end].Type();
    if (type != eString && type != eNumber && type != eUnderscore)
      break;
    ++end;
  }
  Reduce(tokens, first, end, eString, 0);
  return true;
}
