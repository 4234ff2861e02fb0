// Merges the two-character relations <=, =<, >=, =>, <> and >< into one token.
#pragma once

#include "syntax/STokenReducer.h"

class SRelationalTokenReducer : public STokenReducer {
public:
  /// Reduces the run at `first` when it has this reducer's form.
  bool operator()(STokenVector & tokens, std::size_t first, std::size_t last) override;
};
