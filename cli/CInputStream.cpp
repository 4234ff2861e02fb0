// A task stream that reads standard input, a pipe or a device to its end.
#include "CInputStream.h"

#include "files/SFile.h"
#include "files/SFileException.h"
#include "files/SSystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

namespace {

const char kOpenFailed[] = "A file could not be opened";
const char kReadFailed[] = "The contents of a file could not be read";
const char kWriteFailed[] = "The contents of a file could not be Written";

constexpr std::size_t kBlock = std::size_t(1) << 16;

} // namespace

CInputStream::CInputStream(const std::string & inPath)
    : STaskStream(mSettings, SDateFormat(SDateFormat::eMDY)), mPath(inPath) {}

CInputStream::~CInputStream() { Release(); }

bool CInputStream::IsInput(const std::string & inPath) {
  // The names of the standard input and of inherited descriptors stay streams even when
  // they lead to a file: that file was handed over to be read, not rewritten.
  if (inPath == "-" || inPath == "/dev/stdin" || inPath.starts_with("/dev/fd/") ||
      inPath.starts_with("/proc/self/fd/"))
    return true;
  struct stat info;
  return SSystemCalls::Stat(inPath.c_str(), &info) == 0 &&
         (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISSOCK(info.st_mode));
}

void CInputStream::Connect() { mConnected = true; }

void CInputStream::Reserve() {
  if (mDescriptor >= 0)
    return;
  if (mPath == "-") {
    mDescriptor = 0;
    mOwned = false;
    return;
  }
  // A pipe without a writer yet is waited for, as any reader of a pipe does.
  int fd;
  do
    fd = SSystemCalls::Open(mPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  while (fd < 0 && errno == EINTR);
  if (fd < 0)
    throw SFileException(kOpenFailed, SFile::ReasonFor(errno));
  mDescriptor = fd;
  mOwned = true;
}

void CInputStream::ReadData(STaskVector & outVector) {
  if (mDescriptor < 0)
    throw SFileException(kReadFailed);
  std::string bytes;
  for (;;) {
    const std::size_t had = bytes.size();
    bytes.resize(had + kBlock);
    const ssize_t got = SSystemCalls::Read(mDescriptor, bytes.data() + had, kBlock);
    if (got < 0) {
      bytes.resize(had);
      if (errno == EINTR)
        continue;
      throw SFileException(kReadFailed, SFile::ReasonFor(errno));
    }
    bytes.resize(had + static_cast<std::size_t>(got));
    if (got == 0)
      break;
  }
  ParseLines(bytes.data(), bytes.data() + bytes.size(), outVector);
}

void CInputStream::OpenOutput() { throw SFileException(kWriteFailed); }

void CInputStream::SetOutputLength(const STaskVector &) { throw SFileException(kWriteFailed); }

void CInputStream::WriteData(const STaskVector &) { throw SFileException(kWriteFailed); }

void CInputStream::ConfirmOutput() { throw SFileException(kWriteFailed); }

void CInputStream::Release() {
  if (mOwned && mDescriptor >= 0)
    SSystemCalls::Close(mDescriptor);
  mDescriptor = -1;
  mOwned = false;
}

void CInputStream::Disconnect() { mConnected = false; }
