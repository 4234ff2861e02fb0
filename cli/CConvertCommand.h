// tally convert FILE [-o OUT] [--line-break mac|windows|unix]: rewrites a time sheet with
// another line break, in place (safely) or to another file.
#pragma once

#include "CCommandLine.h"

class CConvertCommand {
public:
  /// The command for inLine (not owned).
  explicit CConvertCommand(const CCommandLine & inLine);

  /// Rewrites the file. Returns the exit status; throws CToolError for a failure, which
  /// leaves every file as it was.
  int Run(int inProgressDescriptor);

private:
  const CCommandLine & mLine;
};
