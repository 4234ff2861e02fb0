// tally show: loads time sheets (the first as the document, the others merged into it),
// filters, sorts and groups their entries as the window does, and prints them.
#pragma once

#include "CCommandLine.h"

class COutput;
class STaskComparator;
class STaskVector;

class CShowCommand {
public:
  /// The command for inLine (not owned).
  explicit CShowCommand(const CCommandLine & inLine);

  /// Prints the listing to ioOut, notes to ioErrors; the progress line goes to
  /// inProgressDescriptor. Returns the exit status; throws CToolError for a failure. With
  /// inEndProcess the process ends as soon as the listing is out, without taking the
  /// entries apart.
  int Run(COutput & ioOut, COutput & ioErrors, int inProgressDescriptor, bool inEndProcess = false);

  /// A comparator over inTasks ordering by inKeys, level 0 first.
  static STaskComparator MakeComparator(const CCommandLine::Keys & inKeys, const STaskVector & inTasks);

private:
  const CCommandLine & mLine;
};
