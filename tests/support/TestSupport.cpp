// Helpers shared by the tests.
#include "support/TestSupport.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tally-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create a temporary directory");
  mPath = pattern;
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

ScopedTimeZone::ScopedTimeZone(const char * zone) {
  if (const char * old = std::getenv("TZ")) {
    mHadValue = true;
    mOldValue = old;
  }
  setenv("TZ", zone, 1);
  tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
  if (mHadValue)
    setenv("TZ", mOldValue.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

std::string ReadFileBytes(const std::string & path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string & path, const std::string & bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace testsupport
