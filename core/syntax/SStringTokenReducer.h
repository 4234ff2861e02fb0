// Merges a name (letters, or underscores then letters, then letters, digits, underscores) into one token.
#pragma once

#include "syntax/STokenReducer.h"

class SStringTokenReducer : public STokenReducer {
public:
  /// Reduces the run at `first` when it has this reducer's form.
  bool operator()(STokenVector & tokens, std::size_t first, std::size_t last) override;
};
