// The texts of --help and --version.
#pragma once

#include "CCommandLine.h"

#include <string>

class CHelpText {
public:
  /// The help for inCommand, or the tool's overview for eNoCommand.
  static const char * For(CCommandLine::ECommand inCommand);
  /// The version line.
  static std::string Version();
};
