// Helpers shared by the tests: temporary folders, time-zone scoping, file bytes.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

/// A fresh temporary directory, removed with everything in it when the object dies.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir & operator=(const TempDir &) = delete;

  /// The directory's path.
  const std::filesystem::path & path() const { return mPath; }
  /// The full path of a file called `name` inside the directory.
  std::string file(const std::string & name) const { return (mPath / name).string(); }

private:
  std::filesystem::path mPath;
};

/// Sets TZ for the lifetime of the object and restores the previous value after.
/// Zones are named as in the tz database ("America/New_York", "UTC"). The Windows C
/// runtime reads only POSIX-style values such as "EST5EDT" and applies US daylight-saving
/// rules to every zone, so there the few zones it can follow are translated and any other
/// is not supported: a test must then skip (see Supported and WhyUnsupported).
class ScopedTimeZone {
public:
  explicit ScopedTimeZone(const char * zone);
  ~ScopedTimeZone();
  ScopedTimeZone(const ScopedTimeZone &) = delete;
  ScopedTimeZone & operator=(const ScopedTimeZone &) = delete;

  /// False when the C library here cannot follow the zone's rules; TZ is then left alone.
  bool Supported() const { return mSupported; }
  /// Why the zone is not supported, for GTEST_SKIP.
  std::string WhyUnsupported() const;

private:
  bool mSupported = true;
  bool mHadValue = false;
  std::string mZone;
  std::string mOldValue;
};

/// The whole contents of a file as bytes; empty when it cannot be read. On Windows a file
/// that this process holds open is read through the holding handle (nothing else may open
/// it), whose position stays where it was.
std::string ReadFileBytes(const std::string & path);
/// Replaces the contents of a file by `bytes`.
void WriteFileBytes(const std::string & path, const std::string & bytes);

} // namespace testsupport
