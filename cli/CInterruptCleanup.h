// Interrupted (Ctrl-C) or asked to stop (SIGTERM, SIGHUP), the tool removes the temporary
// file of a save in progress before it ends as the signal says; the file being saved
// stays as it was.
#pragma once

class CInterruptCleanup {
public:
  /// Installs the handlers for SIGINT, SIGTERM and SIGHUP (where they are not ignored).
  static void Install();
};
