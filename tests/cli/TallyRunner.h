// Runs the built tally program in a child process and collects what it wrote and how it
// ended; the child gets a fixed environment (time zone with daylight saving, C locale).
#pragma once

#include <string>
#include <vector>

namespace clitest {

/// How one run of the program is set up.
struct TallyRun {
  std::vector<std::string> mArguments;       ///< after the program's name
  std::vector<std::string> mEnvironment;     ///< extra "NAME=value" settings
  enum EStdout { ePipe, eDevFull, eCloseAfterFirstBytes } mStdout = ePipe;
  bool mStderrTerminal = false;              ///< stderr on a pseudo-terminal
  unsigned short mTerminalColumns = 0;       ///< its width; 0 leaves it unset
  long mFileSizeLimit = -1;                  ///< bytes a file may grow to; -1: no limit
  enum EStdin { eNothing, eFromFile, eFromPipe } mStdin = eNothing;
  std::string mStdinSource;                  ///< the file (eFromFile) or the bytes (eFromPipe)
};

/// How a run ended.
struct TallyResult {
  int mStatus = -1;    ///< exit status, or 128 + signal
  std::string mOut;    ///< everything on stdout
  std::string mErr;    ///< everything on stderr (or the terminal)
};

/// Runs the program as set up.
TallyResult RunTally(const TallyRun & inRun);
/// Runs the program with these arguments and the default setup.
TallyResult RunTally(std::vector<std::string> inArguments);

/// The path of the program under test.
const char * ProgramPath();

} // namespace clitest
