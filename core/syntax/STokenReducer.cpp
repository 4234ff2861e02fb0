// The base token reducer and the run merge shared by all reducers.
#include "syntax/STokenReducer.h"

#include <iterator>

bool STokenReducer::operator()(STokenVector & tokens, std::size_t first, std::size_t last) {
  (void)tokens;
  (void)first;
  (void)last;
  return false;
}

void STokenReducer::Reduce(STokenVector & tokens, std::size_t first, std::size_t last, EType type, long extra) {
  if (first >= tokens.size())
    return;
  if (last > tokens.size())
    last = tokens.size();
  SToken & head = tokens[first];
  std::string & text = head.MutableToken();
  for (std::size_t i = first + 1; i < last; ++i)
    text += tokens[i].Token();
  head.SetType(type);
  head.SetExtra(extra);
  head.SetClass(0);
  if (last > first + 1)
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(first + 1),
                 tokens.begin() + static_cast<std::ptrdiff_t>(last));
}
