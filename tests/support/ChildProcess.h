// Windows has no fork: a test that needs another process starts this test program again,
// running only one (disabled) test that the environment tells what to do.
#pragma once

#ifdef _WIN32

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

/// Starts this program again to run only inTest ("Suite.DISABLED_Name"), with the
/// variables of inEnvironment added to its environment; its report goes nowhere, and it
/// inherits the handles marked inheritable. Returns its process handle, or null.
inline HANDLE StartChildTest(const std::string & inTest,
                             const std::vector<std::pair<std::string, std::string>> & inEnvironment) {
  char program[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program)
    return nullptr;
  std::string commandLine =
      std::string("\"") + program + "\" --gtest_also_run_disabled_tests --gtest_filter=" + inTest;
  for (const auto & [name, value] : inEnvironment)
    ::SetEnvironmentVariableA(name.c_str(), value.c_str());
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE silence = ::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = silence;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
  for (const auto & entry : inEnvironment)
    ::SetEnvironmentVariableA(entry.first.c_str(), nullptr);
  if (silence != INVALID_HANDLE_VALUE)
    ::CloseHandle(silence);
  if (!started)
    return nullptr;
  ::CloseHandle(process.hThread);
  return process.hProcess;
}

/// Waits (at most a minute) for a child that StartChildTest started and returns its exit
/// code, or -1; the handle is closed.
inline int WaitForChildTest(HANDLE inProcess) {
  if (inProcess == nullptr)
    return -1;
  DWORD code = 0;
  const bool ended = ::WaitForSingleObject(inProcess, 60000) == WAIT_OBJECT_0 && ::GetExitCodeProcess(inProcess, &code);
  ::CloseHandle(inProcess);
  return ended ? static_cast<int>(code) : -1;
}

} // namespace testsupport

#endif
