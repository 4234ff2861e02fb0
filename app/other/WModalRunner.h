// The one road by which the program runs its own dialogs modally. Tests replace the
// runner to inspect the dialog (its texts, buttons and default button) and to give the
// result without a modal loop.
#pragma once

#include <functional>

class wxDialog;

class WModalRunner {
public:
  /// Runs inDialog and returns the id it ended with.
  using Runner = std::function<int(wxDialog & inDialog)>;

  /// Runs the dialog modally (through the installed runner, if any).
  static int Run(wxDialog & inDialog);

  /// Installs inRunner in place of ShowModal (empty: ShowModal again); returns the runner
  /// that was installed before.
  static Runner SetRunner(Runner inRunner);

private:
  static Runner sRunner;
};
