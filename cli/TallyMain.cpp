// The entry point of the tally command-line tool.
#include "CTallyTool.h"

#include <csignal>
#include <string>
#include <vector>

int main(int argc, char ** argv) {
  // A reader that goes away (| head) shows up as a failed write, which ends the run quietly.
  std::signal(SIGPIPE, SIG_IGN);
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  CTallyTool tool(1, 2);
  tool.SetEndProcessWhenDone(true);
  return tool.Run(arguments);
}
