// The one road by which the program runs its own dialogs modally.
#include "other/WModalRunner.h"

#include <utility>

#include <wx/dialog.h>

WModalRunner::Runner WModalRunner::sRunner;

int WModalRunner::Run(wxDialog & inDialog) {
  if (sRunner)
    return sRunner(inDialog);
  return inDialog.ShowModal();
}

WModalRunner::Runner WModalRunner::SetRunner(Runner inRunner) {
  return std::exchange(sRunner, std::move(inRunner));
}
