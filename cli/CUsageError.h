// A command line the tool cannot make sense of: reported with a one-line hint, status 2.
#pragma once

#include <stdexcept>
#include <string>

class CUsageError : public std::runtime_error {
public:
  /// A usage error whose one-line hint is inHint.
  explicit CUsageError(const std::string & inHint);
};
