// The standard reducer set: literals, relations, numbers, names, offered in that order.
#pragma once

#include "syntax/SLiteralTokenReducer.h"
#include "syntax/SNumericTokenReducer.h"
#include "syntax/SRelationalTokenReducer.h"
#include "syntax/SStringTokenReducer.h"
#include "syntax/STokenReducer.h"

class SStandardTokenReducer : public STokenReducerVector {
public:
  /// Lists the four member reducers in their offering order.
  SStandardTokenReducer();
  // The list points at the members: copies would point into the original.
  SStandardTokenReducer(const SStandardTokenReducer &) = delete;
  SStandardTokenReducer & operator=(const SStandardTokenReducer &) = delete;

private:
  SLiteralTokenReducer mLiteralTokenReducer;
  SRelationalTokenReducer mRelationalTokenReducer;
  SNumericTokenReducer mNumericTokenReducer;
  SStringTokenReducer mStringTokenReducer;
};
