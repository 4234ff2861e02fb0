// Windows has no fork: a test that needs another process starts this test program again,
// running only one (disabled) test that the environment tells what to do.
#pragma once

#ifdef _WIN32

#include <windows.h>

#include <cstdint>
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

// A child that holds a file: SFileLockChild.DISABLED_OpensTheFileItIsGiven (in
// SFileLockTest.cpp) opens the file named by kHolderPath with the permission kHolderPermission
// names. With a ready pipe it writes 'y' (it holds the file) or 'n' there and keeps the
// file until the release pipe ends, then exits with 0; without one it exits at once, with
// a code that says how the open went.
inline constexpr char kFileHolderTest[] = "SFileLockChild.DISABLED_OpensTheFileItIsGiven";
inline constexpr char kHolderPath[] = "TALLY_HOLDER_PATH";
inline constexpr char kHolderPermission[] = "TALLY_HOLDER_PERMISSION";
inline constexpr char kHolderReady[] = "TALLY_HOLDER_READY";     // a pipe handle to write to
inline constexpr char kHolderRelease[] = "TALLY_HOLDER_RELEASE"; // a pipe handle to wait on

/// Starts the file holder on inPath; inReady and inRelease are inheritable pipe ends, or null.
inline HANDLE StartFileHolder(const std::string & inPath, int inPermission, HANDLE inReady = nullptr,
                              HANDLE inRelease = nullptr) {
  auto text = [](HANDLE inHandle) { return std::to_string(reinterpret_cast<std::uintptr_t>(inHandle)); };
  return StartChildTest(kFileHolderTest, {{kHolderPath, inPath},
                                          {kHolderPermission, std::to_string(inPermission)},
                                          {kHolderReady, text(inReady)},
                                          {kHolderRelease, text(inRelease)}});
}

/// A file held open by another process from construction until destruction.
class FileHeldByChild {
public:
  explicit FileHeldByChild(const std::string & inPath, int inPermission) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE ready[2], release[2];
    if (!::CreatePipe(&ready[0], &ready[1], &inherit, 0))
      return;
    if (!::CreatePipe(&release[0], &release[1], &inherit, 0)) {
      ::CloseHandle(ready[0]);
      ::CloseHandle(ready[1]);
      return;
    }
    // Only the child's own ends go to the child.
    ::SetHandleInformation(ready[0], HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(release[1], HANDLE_FLAG_INHERIT, 0);
    mChild = StartFileHolder(inPath, inPermission, ready[1], release[0]);
    ::CloseHandle(ready[1]);
    ::CloseHandle(release[0]);
    mRelease = release[1];
    char answer = 'n';
    DWORD count = 0;
    mHolding = mChild != nullptr && ::ReadFile(ready[0], &answer, 1, &count, nullptr) && count == 1 && answer == 'y';
    ::CloseHandle(ready[0]);
  }
  ~FileHeldByChild() { Release(); }
  FileHeldByChild(const FileHeldByChild &) = delete;
  FileHeldByChild & operator=(const FileHeldByChild &) = delete;

  /// True once the child holds the file.
  bool IsHolding() const { return mHolding; }
  /// Lets the child go and waits for it; returns its exit code (-1 if it never ran).
  int Release() {
    if (mRelease != nullptr) {
      ::CloseHandle(mRelease); // the child's read ends and it lets go
      mRelease = nullptr;
    }
    const int code = mChild != nullptr ? WaitForChildTest(mChild) : -1;
    mChild = nullptr;
    return code;
  }

private:
  HANDLE mChild = nullptr;
  HANDLE mRelease = nullptr;
  bool mHolding = false;
};

} // namespace testsupport

#endif
