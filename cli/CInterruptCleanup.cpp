// Removing the temporary file of a save when the tool is interrupted.
#include "CInterruptCleanup.h"

#include "files/SFile.h"

#include <csignal>
#include <signal.h>

namespace {

extern "C" void RemoveTemporariesAndEnd(int inSignal) {
  SFile::RemovePendingTemporaries();
  // End as the signal would have ended the program.
  std::signal(inSignal, SIG_DFL);
  std::raise(inSignal);
}

} // namespace

void CInterruptCleanup::Install() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
      continue; // started in the background with the signal ignored: keep it that way
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}
