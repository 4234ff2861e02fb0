// tally filter EXPR IN OUT: writes the entries of IN that match EXPR to a new time sheet.
#pragma once

#include "CCommandLine.h"

class COutput;

class CFilterCommand {
public:
  /// The command for inLine (not owned).
  explicit CFilterCommand(const CCommandLine & inLine);

  /// Writes OUT (to ioOut when OUT is "-"); notes go to ioErrors, the progress line to
  /// inProgressDescriptor. Returns the exit status; throws CToolError for a failure,
  /// leaving OUT as it was.
  int Run(COutput & ioOut, COutput & ioErrors, int inProgressDescriptor);

private:
  const CCommandLine & mLine;
};
