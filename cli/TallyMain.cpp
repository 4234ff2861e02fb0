// The entry point of the tally command-line tool.
#include "CInterruptCleanup.h"
#include "CTallyTool.h"

#include <climits>
#include <csignal>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char ** argv) {
#if defined(__GLIBC__)
  // Large blocks (the file's bytes, the sort's work lists) come from the heap and stay
  // there when freed, so that later blocks reuse pages already in place instead of the
  // system handing out fresh ones: a large file loads and groups noticeably faster.
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
  // A reader that goes away (| head) shows up as a failed write, which ends the run quietly.
  std::signal(SIGPIPE, SIG_IGN);
  CInterruptCleanup::Install();
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  CTallyTool tool(1, 2);
  tool.SetEndProcessWhenDone(true);
  return tool.Run(arguments);
}
