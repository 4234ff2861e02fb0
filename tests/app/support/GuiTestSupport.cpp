// Helpers for the interface tests.
#include "support/GuiTestSupport.h"

#include <thread>

#include <wx/app.h>

#include "application/WTallyworthApp.h"

namespace guitest {

wxApp * CreateTestApp() { return new WTallyworthApp; }

bool WaitUntil(const std::function<bool()> & done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void Flush() {
  for (int i = 0; i < 5; ++i)
    wxTheApp->Yield(true);
}

} // namespace guitest
