// Helpers for the interface tests: the test application and waiting for the event loop.
#pragma once

#include <chrono>
#include <functional>

class wxApp;

namespace guitest {

/// The application object the tests run under.
wxApp * CreateTestApp();

/// Processes pending events until `done` holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()> & done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

/// Processes every pending event once.
void Flush();

} // namespace guitest
