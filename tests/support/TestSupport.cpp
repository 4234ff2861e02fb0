// Helpers shared by the tests.
#include "support/TestSupport.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string_view>
#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <utility>
#else
#include <unistd.h>
#endif

namespace testsupport {

TempDir::TempDir() {
  // Random names until one can be created afresh; the clock tells apart runs started at once.
  const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  static std::mt19937_64 sRandom{std::random_device{}() ^ now};
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate = base / ("tally-test-" + std::to_string(sRandom()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      mPath = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Give back any permission a test took away, so everything can be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(mPath, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(mPath, ignored);
}

namespace {

#ifdef _WIN32

// The zones whose rules the Windows C runtime can follow, in its own notation. It knows
// only the US daylight-saving rules (the 2007 ones from 2007 on, the earlier ones before).
const char * WindowsZone(std::string_view inZone) {
  struct Entry {
    std::string_view mName;
    const char * mValue;
  };
  static const Entry kZones[] = {
      {"UTC", "UTC0"},
      {"Etc/UTC", "UTC0"},
      {"GMT", "GMT0"},
      {"America/New_York", "EST5EDT"},
      {"America/Chicago", "CST6CDT"},
      {"America/Denver", "MST7MDT"},
      {"America/Los_Angeles", "PST8PDT"},
      {"America/Phoenix", "MST7"},
      {"Asia/Tokyo", "JST-9"},
  };
  for (const Entry & entry : kZones)
    if (entry.mName == inZone)
      return entry.mValue;
  return nullptr;
}

void SetZone(const char * inValue) {
  ::_putenv_s("TZ", inValue != nullptr ? inValue : "");
  ::_tzset();
}

// Once wine's C runtime has taken the system's own zone (TZ not set), it forgets the
// daylight-saving rules of every TZ value set later. So TZ is set before anything asks for
// local time, and scoped zones always go back to a set value.
const bool sTimeZoneIsSet = [] {
  if (std::getenv("TZ") == nullptr)
    SetZone("UTC0");
  return true;
}();

#else

void SetZone(const char * inValue) {
  if (inValue != nullptr)
    setenv("TZ", inValue, 1);
  else
    unsetenv("TZ");
  tzset();
}

#endif

} // namespace

ScopedTimeZone::ScopedTimeZone(const char * zone) : mZone(zone) {
#ifdef _WIN32
  const char * value = WindowsZone(mZone);
  if (value == nullptr) {
    mSupported = false;
    return;
  }
#else
  const char * value = zone;
#endif
  if (const char * old = std::getenv("TZ")) {
    mHadValue = true;
    mOldValue = old;
  }
  SetZone(value);
}

ScopedTimeZone::~ScopedTimeZone() {
  if (mSupported)
    SetZone(mHadValue ? mOldValue.c_str() : nullptr);
}

std::string ScopedTimeZone::WhyUnsupported() const {
  return "the Windows C runtime applies US daylight-saving rules to every zone, so it cannot follow " + mZone;
}

#ifdef _WIN32

namespace {

// Which file a handle is on: its volume and its number there.
bool FileIdentity(HANDLE inHandle, std::pair<DWORD, unsigned long long> & outIdentity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(inHandle, &info))
    return false;
  outIdentity = {info.dwVolumeSerialNumber, (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return true;
}

// Reads the whole file through inHandle, which this process holds, and puts its position
// back; false if the handle cannot read.
bool ReadThroughHandle(HANDLE inHandle, std::string & outBytes) {
  LARGE_INTEGER zero{}, position{};
  if (!::SetFilePointerEx(inHandle, zero, &position, FILE_CURRENT) ||
      !::SetFilePointerEx(inHandle, zero, nullptr, FILE_BEGIN))
    return false;
  std::string bytes;
  char buffer[65536];
  DWORD done = 0;
  bool ok;
  while ((ok = ::ReadFile(inHandle, buffer, sizeof buffer, &done, nullptr)) && done > 0)
    bytes.append(buffer, done);
  ::SetFilePointerEx(inHandle, position, nullptr, FILE_BEGIN);
  if (ok)
    outBytes = std::move(bytes);
  return ok;
}

} // namespace

std::string ReadFileBytes(const std::string & path) {
  {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::ostringstream out;
      out << in.rdbuf();
      return out.str();
    }
  }
  // A file held with share mode 0 keeps out every other open, readers included. If this
  // process holds it, read it through the holding handle: look for the handle on the same
  // file among the process's own. (A handle without access rights may always be opened.)
  const HANDLE probe = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (probe == INVALID_HANDLE_VALUE)
    return "";
  std::pair<DWORD, unsigned long long> wanted, seen;
  const bool known = FileIdentity(probe, wanted);
  ::CloseHandle(probe);
  std::string bytes;
  for (std::uintptr_t value = 4; known && value < (1u << 16); value += 4) {
    const HANDLE handle = reinterpret_cast<HANDLE>(value);
    DWORD flags;
    if (handle == probe || !::GetHandleInformation(handle, &flags) || ::GetFileType(handle) != FILE_TYPE_DISK)
      continue;
    // Wine reports volume 0 for a handle whose file was renamed since it was opened.
    const bool same = FileIdentity(handle, seen) && seen.second == wanted.second &&
                      (seen.first == wanted.first || seen.first == 0 || wanted.first == 0);
    if (same && ReadThroughHandle(handle, bytes))
      return bytes;
  }
  return "";
}

#else

std::string ReadFileBytes(const std::string & path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

#endif

void WriteFileBytes(const std::string & path, const std::string & bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace testsupport
