// Merges the digits, point and exponent of a number into one number token (1 integer, 2 decimal).
#pragma once

#include "syntax/STokenReducer.h"

class SNumericTokenReducer : public STokenReducer {
public:
  /// Reduces the run at `first` when it has this reducer's form.
  bool operator()(STokenVector & tokens, std::size_t first, std::size_t last) override;
};
