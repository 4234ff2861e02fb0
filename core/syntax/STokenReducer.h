// A token reducer merges a run of tokens that starts at a given position into one token.
#pragma once

#include <cstddef>
#include <vector>

#include "syntax/SToken.h"
#include "syntax/STokenEnum.h"

class STokenReducer : public STokenEnum {
public:
  virtual ~STokenReducer() = default;

  /// Offered position `first` of `tokens`, whose end is `last`: replaces the run that
  /// begins there by one token and returns true, or leaves the list alone and returns
  /// false. The base reduces nothing.
  virtual bool operator()(STokenVector & tokens, std::size_t first, std::size_t last);

  /// Joins the texts of [first, last) into the token at `first`, which becomes
  /// (type, joined text, extra, class 0), and erases the rest of the run.
  static void Reduce(STokenVector & tokens, std::size_t first, std::size_t last, EType type, long extra);
};

/// A set of reducers offered each position in order; the reducers are not owned.
using STokenReducerVector = std::vector<STokenReducer *>;
