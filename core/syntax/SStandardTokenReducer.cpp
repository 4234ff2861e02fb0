// The standard reducer set.
#include "syntax/SStandardTokenReducer.h"

SStandardTokenReducer::SStandardTokenReducer() {
  reserve(4);
  push_back(&mLiteralTokenReducer);
  push_back(&mRelationalTokenReducer);
  push_back(&mNumericTokenReducer);
  push_back(&mStringTokenReducer);
}
