// A file named by a path, held exclusively while open, read and written in blocks.
//
// The operations below are written once; the few platform primitives they use sit in
// one Windows block and one POSIX block, each a handful of calls through SSystemCalls.
#include "files/SFile.h"

#include "files/SFileException.h"
#include "files/SSystemCalls.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <limits>
#include <vector>

#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const char kCreateFailed[] = "A File could not be created";
const char kCreateCloseFailed[] = "A newly created file could not be closed";
const char kOpenFailed[] = "A file could not be opened";
const char kCloseFailed[] = "A file could not be closed";
const char kLengthFailed[] = "The length of a file could not be read";
const char kSetLengthNotOpen[] = "The length of a file could not be set because the file was not open";
const char kSetLengthFailed[] = "The length of a file could not be set";
const char kSetPositionNotOpen[] = "The position in a file could not be set because the file was not open";
const char kSetPositionFailed[] = "The position in a file could not be set";
const char kReadFailed[] = "The contents of a file could not be read";
const char kWriteFailed[] = "The contents of a file could not be Written";

// The most one read or write call is asked to move; larger transfers loop.
constexpr std::size_t kMaxTransfer = std::size_t(1) << 30;

enum class ECreated { eCreated, eExists, eFailed };

using Handle = SFile::NativeHandle;

#ifdef _WIN32
// ---- Windows ---------------------------------------------------------------------------

const Handle kClosed = nullptr;

// Reasons of our own, in the range Windows leaves to applications.
constexpr int kNotRegularFile = 0x20000001;
constexpr int kKeptBeingReplaced = 0x20000002;

int LastError() { return static_cast<int>(::GetLastError()); }
void SetError(int inError) { ::SetLastError(static_cast<DWORD>(inError)); }

// Why a call failed, in words that follow a message's colon; empty when not known.
std::string ReasonText(int inError) {
  switch (inError) {
  case ERROR_ACCESS_DENIED: return "permission denied";
  case ERROR_WRITE_PROTECT: return "the disk is write-protected";
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION: return "it is in use by another program";
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL: return "no space left on the device";
  case ERROR_TOO_MANY_OPEN_FILES: return "too many open files";
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND: return "it does not exist";
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS: return "a file of that name exists";
  case ERROR_FILE_TOO_LARGE: return "the file is too large";
  case ERROR_NOT_ENOUGH_MEMORY:
  case ERROR_OUTOFMEMORY: return "there is not enough memory";
  case kNotRegularFile: return "it is not a regular file";
  case kKeptBeingReplaced: return "another program kept replacing it";
  default: return std::string();
  }
}

bool IsValid(Handle inHandle) { return inHandle != nullptr && inHandle != INVALID_HANDLE_VALUE; }

// The index where the last component of a path starts.
std::size_t NameStart(const std::string & inPath) {
  const std::size_t separator = inPath.find_last_of("\\/:");
  return separator == std::string::npos ? 0 : separator + 1;
}

unsigned long long ProcessNumber() { return ::GetCurrentProcessId(); }

// A directory search for the path; wildcards in its name would match other names, so they
// find nothing. (Only the name is looked at: "\\?\" may begin a long path.)
bool Find(const char * inPath, WIN32_FIND_DATAA & outData) {
  const std::string path(inPath);
  if (path.find_first_of("*?", NameStart(path)) != std::string::npos)
    return false;
  const HANDLE search = SSystemCalls::FindFirstFileA(inPath, &outData);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  SSystemCalls::FindClose(search);
  return true;
}

bool PathExists(const char * inPath) {
  WIN32_FIND_DATAA data;
  return Find(inPath, data);
}

bool PathLength(const char * inPath, std::uint64_t & outLength) {
  WIN32_FIND_DATAA data;
  if (!Find(inPath, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return false;
  outLength = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

// A temporary file kept open shares only deletion, so that it can be renamed over the
// original while this handle stays on it; nobody else can read or write it.
ECreated CreateNew(const char * inPath, bool inKeepOpen, Handle & outHandle) {
  const DWORD access = inKeepOpen ? GENERIC_READ | GENERIC_WRITE : GENERIC_WRITE;
  const DWORD share = inKeepOpen ? FILE_SHARE_DELETE : 0;
  outHandle = SSystemCalls::CreateFileA(inPath, access, share, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (outHandle != INVALID_HANDLE_VALUE)
    return ECreated::eCreated;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ECreated::eExists : ECreated::eFailed;
}

// Share mode 0: nobody else can open the file while we hold it. Folders cannot be
// opened without FILE_FLAG_BACKUP_SEMANTICS, so they fail here; devices ("NUL", "CON",
// "COM1") and pipes open, but are not files: a read could wait for ever.
Handle OpenExisting(const char * inPath, SFile::EPermission inPermission) {
  // An open without read or write access takes no part in sharing: it would hold nothing.
  // An unknown permission reads, as on POSIX.
  DWORD access = GENERIC_READ;
  if (inPermission == SFile::eWrite)
    access = GENERIC_WRITE;
  else if (inPermission == SFile::eReadWrite)
    access = GENERIC_READ | GENERIC_WRITE;
  const Handle handle =
      SSystemCalls::CreateFileA(inPath, access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE && SSystemCalls::GetFileType(handle) != FILE_TYPE_DISK) {
    SSystemCalls::CloseHandle(handle);
    SetError(kNotRegularFile);
    return INVALID_HANDLE_VALUE;
  }
  return handle;
}

bool CloseNative(Handle inHandle) { return SSystemCalls::CloseHandle(inHandle) != FALSE; }

bool HandleLength(Handle inHandle, std::uint64_t & outLength) {
  DWORD high = 0;
  ::SetLastError(NO_ERROR);
  const DWORD low = SSystemCalls::GetFileSize(inHandle, &high);
  if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
    return false;
  outLength = (std::uint64_t(high) << 32) | low;
  return true;
}

bool Seek(Handle inHandle, std::uint64_t inPosition) {
  if (inPosition > std::uint64_t(LLONG_MAX))
    return false;
  LARGE_INTEGER distance;
  distance.QuadPart = static_cast<LONGLONG>(inPosition);
  return SSystemCalls::SetFilePointerEx(inHandle, distance, nullptr, FILE_BEGIN) != FALSE;
}

bool Truncate(Handle inHandle, std::uint64_t inLength) {
  return Seek(inHandle, inLength) && SSystemCalls::SetEndOfFile(inHandle) != FALSE;
}

// The count moved (0 at the end of the file), or -1.
long long ReadSome(Handle inHandle, void * outBuffer, std::size_t inCount) {
  DWORD done = 0;
  const DWORD count = static_cast<DWORD>(std::min(inCount, kMaxTransfer));
  if (!SSystemCalls::ReadFile(inHandle, outBuffer, count, &done, nullptr))
    return -1;
  return done;
}

// The count moved (0 when nothing could be written), or -1.
long long WriteSome(Handle inHandle, const void * inBuffer, std::size_t inCount) {
  DWORD done = 0;
  const DWORD count = static_cast<DWORD>(std::min(inCount, kMaxTransfer));
  if (!SSystemCalls::WriteFile(inHandle, inBuffer, count, &done, nullptr))
    return -1;
  return done;
}

bool SyncHandle(Handle inHandle) { return SSystemCalls::FlushFileBuffers(inHandle) != FALSE; }

// A new file takes the folder's access rules; there are no permission bits to copy.
bool CopyPermissions(Handle, const char *) { return true; }

bool RenamePath(const char * inFrom, const char * inTo) {
  return SSystemCalls::MoveFileExA(inFrom, inTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void RemovePath(const char * inPath) { SSystemCalls::DeleteFileA(inPath); }

std::string ResolvePath(const std::string & inPath) { return inPath; }

// Windows has no unnamed files: a temporary always has a name.
bool CreateUnnamedIn(const std::string &, Handle & outHandle) {
  outHandle = INVALID_HANDLE_VALUE;
  return false;
}

bool NameUnnamed(Handle, const std::string &) { return false; }

#else
// ---- POSIX -----------------------------------------------------------------------------

const Handle kClosed = -1;
const Handle kInvalid = -1;

// How often an open is tried again when the file it found was replaced before it was held.
constexpr int kOpenAttempts = 8;

// Reasons of our own, outside the range of errno values.
constexpr int kNotRegularFile = -1001;
constexpr int kKeptBeingReplaced = -1002;

int LastError() { return errno; }
void SetError(int inError) { errno = inError; }

// Why a call failed, in words that follow a message's colon; empty when not known.
std::string ReasonText(int inError) {
  if (inError == 0)
    return std::string();
  if (inError == EACCES || inError == EPERM)
    return "permission denied";
  if (inError == EROFS)
    return "the file system is read-only";
  if (inError == EWOULDBLOCK || inError == EAGAIN || inError == EBUSY || inError == ETXTBSY)
    return "it is in use by another program";
#ifdef EDQUOT
  if (inError == EDQUOT)
    return "no space left on the device";
#endif
  if (inError == ENOSPC)
    return "no space left on the device";
  if (inError == EMFILE || inError == ENFILE)
    return "too many open files";
  if (inError == ENOENT)
    return "it does not exist";
  if (inError == EISDIR)
    return "it is a folder";
  if (inError == ELOOP)
    return "its symbolic links loop";
  if (inError == EEXIST)
    return "a file of that name exists";
  if (inError == EFBIG)
    return "the file is too large";
  if (inError == ENOMEM)
    return "there is not enough memory";
  if (inError == kNotRegularFile)
    return "it is not a regular file";
  if (inError == kKeptBeingReplaced)
    return "another program kept replacing it";
  if (inError < 0)
    return std::string();
  std::string text = std::strerror(inError);
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  return text;
}

bool IsValid(Handle inHandle) { return inHandle >= 0; }

// The index where the last component of a path starts.
std::size_t NameStart(const std::string & inPath) {
  const std::size_t separator = inPath.rfind('/');
  return separator == std::string::npos ? 0 : separator + 1;
}

unsigned long long ProcessNumber() { return static_cast<unsigned long long>(::getpid()); }

bool PathExists(const char * inPath) {
  struct stat info;
  return SSystemCalls::Stat(inPath, &info) == 0;
}

// Only a regular file has a length; a folder or a device has none.
bool PathLength(const char * inPath, std::uint64_t & outLength) {
  struct stat info;
  if (SSystemCalls::Stat(inPath, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0)
    return false;
  outLength = static_cast<std::uint64_t>(info.st_size);
  return true;
}

bool CloseNative(Handle inHandle) {
  // Never retry a close: the descriptor is released even when close is interrupted.
  return SSystemCalls::Close(inHandle) == 0 || errno == EINTR;
}

// Closes a descriptor on the way out of a failure, keeping the failure's error.
void CloseQuietly(Handle inHandle) {
  const int error = errno;
  CloseNative(inHandle);
  errno = error;
}

bool Lock(Handle inHandle) {
  int result;
  do
    result = SSystemCalls::Flock(inHandle, LOCK_EX | LOCK_NB);
  while (result != 0 && errno == EINTR);
  return result == 0;
}

ECreated CreateNew(const char * inPath, bool inKeepOpen, Handle & outHandle) {
  const int flags = O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | (inKeepOpen ? O_RDWR : O_WRONLY);
  outHandle = SSystemCalls::Open(inPath, flags, inKeepOpen ? 0600 : 0666);
  if (outHandle < 0)
    return errno == EEXIST ? ECreated::eExists : ECreated::eFailed;
  if (inKeepOpen && !Lock(outHandle)) {
    const int error = errno;
    CloseNative(outHandle);
    SSystemCalls::Unlink(inPath);
    errno = error;
    outHandle = kInvalid;
    return ECreated::eFailed;
  }
  return ECreated::eCreated;
}

// Whether the path still names the file the descriptor is open on (nobody renamed another
// file over it, nor removed it).
bool StillNamed(Handle inHandle, const char * inPath) {
  struct stat held, named;
  if (SSystemCalls::Fstat(inHandle, &held) != 0 || SSystemCalls::Stat(inPath, &named) != 0)
    return false;
  return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Opens without blocking (a FIFO would wait for a writer), refuses anything but a regular
// file, then takes the exclusive lock that keeps every other SFile out. Another program
// may rename its new version over the path between the open and the lock: the lock would
// then hold the old, unlinked file, so the open is tried again.
Handle OpenExisting(const char * inPath, SFile::EPermission inPermission) {
  const int access = inPermission == SFile::eWrite ? O_WRONLY : inPermission == SFile::eReadWrite ? O_RDWR : O_RDONLY;
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    const Handle fd = SSystemCalls::Open(inPath, access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
      return kInvalid;
    struct stat info;
    bool ok = SSystemCalls::Fstat(fd, &info) == 0;
    if (ok && !S_ISREG(info.st_mode)) {
      errno = S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile;
      ok = false;
    }
    if (ok) {
      const int flags = SSystemCalls::Fcntl(fd, F_GETFL);
      ok = flags != -1 && SSystemCalls::Fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != -1;
    }
    if (ok)
      ok = Lock(fd);
    if (!ok) {
      CloseQuietly(fd);
      return kInvalid;
    }
    if (StillNamed(fd, inPath))
      return fd;
    CloseNative(fd);
  }
  errno = kKeptBeingReplaced;
  return kInvalid;
}

bool HandleLength(Handle inHandle, std::uint64_t & outLength) {
  struct stat info;
  if (SSystemCalls::Fstat(inHandle, &info) != 0 || info.st_size < 0)
    return false;
  outLength = static_cast<std::uint64_t>(info.st_size);
  return true;
}

bool Seek(Handle inHandle, std::uint64_t inPosition) {
  if (inPosition > std::uint64_t(std::numeric_limits<off_t>::max()))
    return false;
  return SSystemCalls::Lseek(inHandle, static_cast<off_t>(inPosition), SEEK_SET) != off_t(-1);
}

bool Truncate(Handle inHandle, std::uint64_t inLength) {
  if (inLength > std::uint64_t(std::numeric_limits<off_t>::max()))
    return false;
  int result;
  do
    result = SSystemCalls::Ftruncate(inHandle, static_cast<off_t>(inLength));
  while (result != 0 && errno == EINTR);
  return result == 0 && Seek(inHandle, inLength);
}

// The count moved (0 at the end of the file), or -1; interruptions are retried.
long long ReadSome(Handle inHandle, void * outBuffer, std::size_t inCount) {
  ssize_t done;
  do
    done = SSystemCalls::Read(inHandle, outBuffer, std::min(inCount, kMaxTransfer));
  while (done < 0 && errno == EINTR);
  return done;
}

// The count moved (0 when nothing could be written), or -1; interruptions are retried.
long long WriteSome(Handle inHandle, const void * inBuffer, std::size_t inCount) {
  ssize_t done;
  do
    done = SSystemCalls::Write(inHandle, inBuffer, std::min(inCount, kMaxTransfer));
  while (done < 0 && errno == EINTR);
  return done;
}

bool SyncHandle(Handle inHandle) {
  int result;
  do
    result = SSystemCalls::Fsync(inHandle);
  while (result != 0 && errno == EINTR);
  return result == 0;
}

// The owner and group first (a change of owner may clear the set-id bits), then the bits.
// Only a privileged process can give a file away; for anyone else the file simply
// becomes theirs, as any new file would.
bool CopyPermissions(Handle inHandle, const char * inOriginal) {
  struct stat info, own;
  if (SSystemCalls::Stat(inOriginal, &info) != 0 || SSystemCalls::Fstat(inHandle, &own) != 0)
    return false;
  if ((info.st_uid != own.st_uid || info.st_gid != own.st_gid) &&
      SSystemCalls::Fchown(inHandle, info.st_uid, info.st_gid) != 0 && errno != EPERM)
    return false;
  return SSystemCalls::Fchmod(inHandle, info.st_mode & 07777) == 0;
}

// The rename only lasts a crash once the folder holding the name is on the disk too.
// Folders that cannot be synced at all (EINVAL) are accepted.
bool RenamePath(const char * inFrom, const char * inTo) {
  if (SSystemCalls::Rename(inFrom, inTo) != 0)
    return false;
  const std::string to(inTo);
  const std::string folder = NameStart(to) == 0 ? std::string(".") : to.substr(0, NameStart(to));
  const Handle fd = SSystemCalls::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return true; // a folder we may not read cannot be synced, but the move itself happened
  const bool synced = SyncHandle(fd) || errno == EINVAL;
  CloseNative(fd);
  return synced;
}

void RemovePath(const char * inPath) {
  const int error = errno;
  SSystemCalls::Unlink(inPath);
  errno = error;
}

// An unnamed file in inFolder (Linux): killed before it is named, it leaves nothing
// behind. False where the system or the file system has no such files.
bool CreateUnnamedIn(const std::string & inFolder, Handle & outHandle) {
  outHandle = kInvalid;
#ifdef O_TMPFILE
  const Handle fd = SSystemCalls::Open(inFolder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0)
    return false;
  if (!Lock(fd)) {
    CloseQuietly(fd);
    return false;
  }
  outHandle = fd;
  return true;
#else
  (void)inFolder;
  return false;
#endif
}

// Gives the unnamed file open at inHandle the name inName.
bool NameUnnamed(Handle inHandle, const std::string & inName) {
#ifdef O_TMPFILE
  const std::string self = "/proc/self/fd/" + std::to_string(inHandle);
  if (SSystemCalls::Linkat(AT_FDCWD, self.c_str(), AT_FDCWD, inName.c_str(), AT_SYMLINK_FOLLOW) == 0)
    return true;
  // Without /proc, a privileged process can still link the descriptor itself.
  return errno == ENOENT &&
         SSystemCalls::Linkat(inHandle, "", AT_FDCWD, inName.c_str(), AT_EMPTY_PATH) == 0;
#else
  (void)inHandle;
  (void)inName;
  errno = EINVAL;
  return false;
#endif
}

// Follows the chain of links by hand, so that a link to a file that does not exist yet
// still resolves to where that file would be.
std::string ResolvePath(const std::string & inPath) {
  std::string path = inPath;
  std::vector<char> buffer(256);
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (SSystemCalls::Lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
      return path;
    ssize_t length;
    while ((length = SSystemCalls::Readlink(path.c_str(), buffer.data(), buffer.size())) ==
           static_cast<ssize_t>(buffer.size()))
      buffer.resize(buffer.size() * 2);
    if (length <= 0)
      return path;
    const std::string target(buffer.data(), static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : path.substr(0, NameStart(path)) + target;
  }
  return inPath; // the links loop
}

#endif
// ---- both ------------------------------------------------------------------------------

// A name part that no other temporary file is likely to have; collisions are retried.
std::string UniqueName() {
  static std::atomic<unsigned long long> sCounter{0};
  const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  unsigned long long x = now ^ (ProcessNumber() << 32) ^ (++sCounter * 0x9E3779B97F4A7C15ull) ^
                         reinterpret_cast<std::uintptr_t>(&sCounter);
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name(12, 'a');
  for (char & c : name) {
    c = kDigits[x % 36];
    x /= 36;
  }
  return name;
}

bool FitsUnsignedLong(std::uint64_t inValue) { return inValue <= std::numeric_limits<unsigned long>::max(); }

// The failure inMessage, with the reason the last failed call left behind.
SFileException Failure(const char * inMessage) { return SFileException(inMessage, ReasonText(LastError())); }

// A file that could not be created: a path that does not exist is a missing folder.
SFileException CreateFailure() {
#ifdef _WIN32
  const bool noFolder = LastError() == ERROR_PATH_NOT_FOUND;
#else
  const bool noFolder = LastError() == ENOENT;
#endif
  return noFolder ? SFileException(kCreateFailed, "its folder does not exist") : Failure(kCreateFailed);
}

// The names of temporary files that exist right now, so that a signal handler can remove
// them (RemovePendingTemporaries). Fixed storage: nothing here may allocate in a handler.
struct PendingName {
  std::atomic<bool> mUsed{false};
  char mPath[4096];
};
PendingName sPending[8];

void RememberPending(const std::string & inPath) {
  if (inPath.size() >= sizeof sPending[0].mPath)
    return;
  for (PendingName & slot : sPending) {
    if (slot.mUsed.load(std::memory_order_acquire))
      continue;
    std::memcpy(slot.mPath, inPath.c_str(), inPath.size() + 1);
    slot.mUsed.store(true, std::memory_order_release);
    return;
  }
}

void ForgetPending(const std::string & inPath) {
  for (PendingName & slot : sPending)
    if (slot.mUsed.load(std::memory_order_acquire) && inPath == slot.mPath)
      slot.mUsed.store(false, std::memory_order_release);
}

// The folder part of inPath ("" for a bare name) and a temporary name beside it.
std::string FolderOf(const std::string & inPath) { return inPath.substr(0, NameStart(inPath)); }

std::string TemporaryNameBeside(const std::string & inPath) {
  // Keep the name well inside the usual 255-byte limit, however long the original's is.
  const std::size_t nameStart = NameStart(inPath);
  return FolderOf(inPath) + "." + inPath.substr(nameStart, 64) + "." + UniqueName() + ".tmp";
}

} // namespace

SFile::SFile(const SFileSpec & inFileSpec) : mFileSpec(inFileSpec), mFileRef(kClosed) {}

SFile::SFile(SFile && inOther) noexcept
    : mFileSpec(std::move(inOther.mFileSpec)), mFileRef(inOther.mFileRef), mBeside(std::move(inOther.mBeside)) {
  inOther.mFileRef = kClosed;
}

SFile & SFile::operator=(SFile && inOther) noexcept {
  if (this != &inOther) {
    if (IsOpen())
      CloseNative(mFileRef);
    mFileSpec = std::move(inOther.mFileSpec);
    mFileRef = inOther.mFileRef;
    mBeside = std::move(inOther.mBeside);
    inOther.mFileRef = kClosed;
  }
  return *this;
}

SFile::~SFile() {
  if (IsOpen())
    CloseNative(mFileRef);
}

bool SFile::IsOpen() const { return IsValid(mFileRef); }

bool SFile::ExistsOnDisk(const SFileSpec & inFileSpec) { return PathExists(inFileSpec.c_str()); }

void SFile::Create(const SFileInfo &) {
  // A symbolic link to a file that does not exist yet creates that file; the link stays.
  const std::string path = ResolvePath(mFileSpec);
  Handle created;
  SetError(0);
  if (CreateNew(path.c_str(), false, created) != ECreated::eCreated) {
#ifndef _WIN32
    // A loop of links resolves to itself and "exists"; following it tells what is wrong.
    struct stat info;
    if (errno == EEXIST && SSystemCalls::Stat(path.c_str(), &info) != 0 && errno != ELOOP)
      errno = EEXIST;
#endif
    throw CreateFailure();
  }
  if (!CloseNative(created))
    throw Failure(kCreateCloseFailed);
}

void SFile::Open(EPermission inPermission) {
  if (IsOpen())
    Close();
  SetError(0);
  mFileRef = OpenExisting(mFileSpec.c_str(), inPermission);
  if (!IsOpen())
    throw Failure(kOpenFailed);
}

void SFile::Close() {
  if (!IsOpen())
    return;
  const Handle handle = mFileRef;
  mFileRef = kClosed;
  if (!CloseNative(handle))
    throw Failure(kCloseFailed);
}

unsigned long SFile::Length() const {
  std::uint64_t length = 0;
  SetError(0);
  const bool found = IsOpen() ? HandleLength(mFileRef, length) : PathLength(mFileSpec.c_str(), length);
  if (!found || !FitsUnsignedLong(length))
    throw Failure(kLengthFailed);
  return static_cast<unsigned long>(length);
}

void SFile::SetLength(unsigned long inLength) {
  if (!IsOpen())
    throw SFileException(kSetLengthNotOpen);
  SetError(0);
  if (!Truncate(mFileRef, inLength))
    throw Failure(kSetLengthFailed);
}

void SFile::SetPosition(unsigned long inPosition) {
  if (!IsOpen())
    throw SFileException(kSetPositionNotOpen);
  SetError(0);
  if (!Seek(mFileRef, inPosition))
    throw Failure(kSetPositionFailed);
}

unsigned long SFile::Read(void * outBuffer, unsigned long inCount) {
  char * const buffer = static_cast<char *>(outBuffer);
  SetError(0);
  if (inCount == 0) {
    // Nothing to read, but a handle that is not open still fails.
    if (ReadSome(mFileRef, buffer, 0) < 0)
      throw Failure(kReadFailed);
    return 0;
  }
  unsigned long total = 0;
  while (total < inCount) {
    const long long done = ReadSome(mFileRef, buffer + total, inCount - total);
    if (done < 0)
      throw Failure(kReadFailed);
    if (done == 0)
      break;
    total += static_cast<unsigned long>(done);
  }
  if (total == 0)
    throw SFileException(kReadFailed);
  return total;
}

unsigned long SFile::Write(const void * inBuffer, unsigned long inCount) {
  const char * const buffer = static_cast<const char *>(inBuffer);
  SetError(0);
  if (inCount == 0) {
    if (WriteSome(mFileRef, buffer, 0) < 0)
      throw Failure(kWriteFailed);
    return 0;
  }
  unsigned long total = 0;
  while (total < inCount) {
    const long long done = WriteSome(mFileRef, buffer + total, inCount - total);
    if (done < 0)
      throw Failure(kWriteFailed);
    if (done == 0) // no progress at all: the disk is full
      throw SFileException(kWriteFailed, ReasonText(
#ifdef _WIN32
                                             ERROR_DISK_FULL
#else
                                             ENOSPC
#endif
                                             ));
    total += static_cast<unsigned long>(done);
  }
  return total;
}

std::string SFile::ResolvedPath(const SFileSpec & inFileSpec) { return ResolvePath(inFileSpec); }

SFile SFile::CreateTemporary(const SFileSpec & inBeside) {
  SetError(0);
  for (int attempt = 0; attempt < 100; ++attempt) {
    SFile temporary(SFileSpec(TemporaryNameBeside(inBeside)));
    Handle handle;
    switch (CreateNew(temporary.mFileSpec.c_str(), true, handle)) {
    case ECreated::eCreated:
      temporary.mFileRef = handle;
      RememberPending(temporary.mFileSpec);
      return temporary;
    case ECreated::eExists: continue;
    case ECreated::eFailed: throw CreateFailure();
    }
  }
  throw Failure(kCreateFailed);
}

SFile SFile::CreateUnnamed(const SFileSpec & inBeside) {
  const std::string folder = FolderOf(inBeside);
  SetError(0);
  Handle handle;
  if (CreateUnnamedIn(folder.empty() ? std::string(".") : folder, handle)) {
    SFile temporary{SFileSpec()};
    temporary.mFileRef = handle;
    temporary.mBeside = inBeside;
    return temporary;
  }
#ifndef _WIN32
  // Only a system or file system without unnamed files gets a named one instead.
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
    throw CreateFailure();
#endif
  return CreateTemporary(inBeside);
}

void SFile::MoveTo(const SFileSpec & inTo) {
  SetError(0);
  std::string from = mFileSpec;
  if (from.empty() && IsOpen()) {
    // An unnamed file gets a temporary name just before the move; a name taken by
    // chance is tried again.
    bool named = false;
    for (int attempt = 0; attempt < 100 && !named; ++attempt) {
      from = TemporaryNameBeside(mBeside.empty() ? std::string(inTo) : std::string(mBeside));
      RememberPending(from);
      named = NameUnnamed(mFileRef, from);
      if (!named) {
        ForgetPending(from);
        if (LastError() != EEXIST)
          throw Failure(kWriteFailed);
      }
    }
    if (!named)
      throw Failure(kWriteFailed);
  }
  if (!RenamePath(from.c_str(), inTo.c_str())) {
    // The move itself may have happened, with only the folder's sync failing.
    if (!PathExists(from.c_str())) {
      ForgetPending(from);
      mFileSpec = inTo;
    } else if (mFileSpec.empty()) {
      RemovePath(from.c_str()); // back to unnamed
      ForgetPending(from);
    }
    throw Failure(kWriteFailed);
  }
  ForgetPending(from);
  mFileSpec = inTo;
}

void SFile::Sync() {
  SetError(0);
  if (!SyncHandle(mFileRef))
    throw Failure(kWriteFailed);
}

void SFile::CopyPermissionsFrom(const SFileSpec & inOriginal) {
  SetError(0);
  if (!CopyPermissions(mFileRef, inOriginal.c_str()))
    throw Failure(kWriteFailed);
}

void SFile::Rename(const SFileSpec & inFrom, const SFileSpec & inTo) {
  SetError(0);
  if (!RenamePath(inFrom.c_str(), inTo.c_str()))
    throw Failure(kWriteFailed);
  ForgetPending(inFrom);
}

void SFile::Remove(const SFileSpec & inFileSpec) noexcept {
  if (inFileSpec.empty())
    return;
  RemovePath(inFileSpec.c_str());
  ForgetPending(inFileSpec);
}

void SFile::RemoveIfHeld() noexcept {
  if (!IsOpen())
    return;
#ifdef _WIN32
  // Share mode 0 keeps even deletion out while the file is open.
  CloseNative(mFileRef);
  mFileRef = kClosed;
  RemovePath(mFileSpec.c_str());
#else
  // Held, nobody else can have replaced it since it was opened; the path is checked all
  // the same, and the file the links finally name is the one removed.
  const std::string path = ResolvePath(mFileSpec);
  if (StillNamed(mFileRef, path.c_str()))
    RemovePath(path.c_str());
  CloseNative(mFileRef);
  mFileRef = kClosed;
#endif
}

void SFile::RemovePendingTemporaries() noexcept {
  for (PendingName & slot : sPending)
    if (slot.mUsed.load(std::memory_order_acquire)) {
#ifdef _WIN32
      SSystemCalls::DeleteFileA(slot.mPath);
#else
      SSystemCalls::Unlink(slot.mPath);
#endif
    }
}

void SFile::Adopt(SFile & ioOther) noexcept {
  if (this == &ioOther)
    return;
  if (IsOpen())
    CloseNative(mFileRef);
  mFileRef = ioOther.mFileRef;
  ioOther.mFileRef = kClosed;
}

std::string SFile::ReasonFor(int inSystemError) { return ReasonText(inSystemError); }
