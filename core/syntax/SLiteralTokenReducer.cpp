// Quoted texts become literal tokens; an unmatched quote stays a lone token.
#include "syntax/SLiteralTokenReducer.h"

bool SLiteralTokenReducer::operator()(STokenVector & tokens, std::size_t first, std::size_t last) {
  if (first >= last)
    return false;
  const EType quote = tokens[first].Type();
  if (quote != eDoubleQuote && quote != eSingleQuote)
    return false;
  std::size_t close = first + 1;
  while (close < last && tokens[close].Type() != quote)
    ++close;
  if (close >= last)
    return false;
  std::string text;
  for (std::size_t i = first + 1; i < close; ++i)
    text += tokens[i].Token();
  tokens[first].assign(eLiteral, text, quote == eDoubleQuote ? 1 : 2, 0);
  tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(first + 1),
               tokens.begin() + static_cast<std::ptrdiff_t>(close + 1));
  return true;
}
