// Merges a quoted text, quotes removed, into one literal token (1 double, 2 single quotes).
#pragma once

#include "syntax/STokenReducer.h"

class SLiteralTokenReducer : public STokenReducer {
public:
  /// Reduces the run at `first` when it has this reducer's form.
  bool operator()(STokenVector & tokens, std::size_t first, std::size_t last) override;
};
