// tally convert FILE [-o OUT] [--line-break mac|windows|unix]: rewrites a time sheet with
// another line break, in place (safely) or to another file.
#pragma once

#include "CCommandLine.h"

class COutput;

class CConvertCommand {
public:
  /// The command for inLine (not owned).
  explicit CConvertCommand(const CCommandLine & inLine);

  /// Rewrites the file, or writes it to ioOut when OUT is "-" or FILE is standard input, a
  /// pipe or a device without OUT. Returns the exit status; throws CToolError for a
  /// failure, which leaves every file as it was.
  int Run(COutput & ioOut, int inProgressDescriptor);

private:
  const CCommandLine & mLine;
};
