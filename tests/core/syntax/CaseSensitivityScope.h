// Sets the process-wide case rule of wildcard comparisons for one scope and restores it.
#pragma once

#include "syntax/SWildcardString.h"

namespace testsupport {

class ScopedCaseSensitivity {
public:
  explicit ScopedCaseSensitivity(SWildcardString::ECaseSensitivity sensitivity)
      : mOld(SWildcardString::GlobalCaseSensitivity()) {
    SWildcardString::SetGlobalCaseSensitivity(sensitivity);
  }
  ~ScopedCaseSensitivity() { SWildcardString::SetGlobalCaseSensitivity(mOld); }
  ScopedCaseSensitivity(const ScopedCaseSensitivity &) = delete;
  ScopedCaseSensitivity & operator=(const ScopedCaseSensitivity &) = delete;

private:
  SWildcardString::ECaseSensitivity mOld;
};

} // namespace testsupport
