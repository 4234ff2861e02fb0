// The command-line tool: reads the command line, runs the command and turns every outcome
// into an exit status (0 done, 1 failed, 2 wrong usage) and a message on the error stream.
#pragma once

#include <string>
#include <vector>

class CTallyTool {
public:
  /// The tool writing its output to inOutput and its messages to inErrors (descriptors,
  /// not owned).
  CTallyTool(int inOutput, int inErrors);

  /// Runs the command that inArguments (without the program's name) give; returns the exit
  /// status. Process-wide settings it changes (date order, case rule) are put back.
  int Run(const std::vector<std::string> & inArguments);

  /// With true, a command that has nothing left to do but free memory ends the process
  /// at once (for the program, not for callers that go on running).
  void SetEndProcessWhenDone(bool inEnd) { mEndProcessWhenDone = inEnd; }

private:
  // Writes "tally: " + inMessage and a line break to the error stream.
  void Report(const std::string & inMessage) const;

  int mOutput;
  int mErrors;
  bool mEndProcessWhenDone = false;
};
