// The standard reducer set.
#include "generic/SStandardTokenReducer.h"

SStandardTokenReducer::SStandardTokenReducer() {
  reserve(4);
  push_back(&mLiteralTokenReducer);
  push_back(&mRelationalTokenReducer);
  push_back(&mNumericTokenReducer);
  push_back(&mStringTokenReducer);
}
