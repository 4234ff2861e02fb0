// tally filter EXPR IN OUT: writes the entries of IN that match EXPR to a new time sheet.
#pragma once

#include "CCommandLine.h"

class CFilterCommand {
public:
  /// The command for inLine (not owned).
  explicit CFilterCommand(const CCommandLine & inLine);

  /// Writes OUT; the progress line goes to inProgressDescriptor. Returns the exit status;
  /// throws CToolError for a failure, leaving OUT as it was.
  int Run(int inProgressDescriptor);

private:
  const CCommandLine & mLine;
};
