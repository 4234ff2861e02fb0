// tally merge TARGET SOURCE... [--clear-sources]: appends the sources to the target and
// saves it safely; sources are emptied only once the target is saved.
#pragma once

#include "CCommandLine.h"

class COutput;

class CMergeCommand {
public:
  /// The command for inLine (not owned).
  explicit CMergeCommand(const CCommandLine & inLine);

  /// Merges and saves. A source that cannot be emptied afterwards is reported on ioErrors
  /// and makes the status 1. Throws CToolError for a failure before the target is saved,
  /// which leaves the target and every source as they were.
  int Run(COutput & ioErrors, int inProgressDescriptor);

private:
  // Throws CUsageError if a file is named twice (the same file, whatever the path).
  void RequireDistinctFiles() const;

  const CCommandLine & mLine;
};
