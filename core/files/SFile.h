// A file named by a path, held exclusively while open, read and written in blocks.
//
// Every failure is an SFileException with a fixed message and, where it is known, the
// reason after it. While a file is open no
// other SFile, in this process or another, can open it (share mode 0 on Windows, an
// exclusive flock on POSIX). All system calls go through SSystemCalls.
#pragma once

#include "files/SFileInfo.h"
#include "files/SFileSpec.h"

#include <string>

class SFile {
public:
  enum EPermission : int { eRead = 0, eWrite = 1, eReadWrite = 2 };

#ifdef _WIN32
  using NativeHandle = void *; // a HANDLE
#else
  using NativeHandle = int;    // a file descriptor
#endif

  /// Keeps the path; no file is open.
  explicit SFile(const SFileSpec & inFileSpec);
  /// Takes over inOther's path and open file; inOther is left closed.
  SFile(SFile && inOther) noexcept;
  /// Closes this file (ignoring failure), then takes over inOther's path and open file.
  SFile & operator=(SFile && inOther) noexcept;
  SFile(const SFile &) = delete;
  SFile & operator=(const SFile &) = delete;
  /// Closes the file if it is open; a failure to close is ignored.
  virtual ~SFile();

  /// The path.
  const SFileSpec & GetFileSpec() const { return mFileSpec; }
  /// True while a file is held.
  bool IsOpen() const;

  /// True if something (a file or a folder) exists at inFileSpec.
  static bool ExistsOnDisk(const SFileSpec & inFileSpec);
  /// True if something exists at this file's path.
  bool ExistsOnDisk() const { return ExistsOnDisk(mFileSpec); }
  /// Lets the user pick a file where the platform needs it; there is nothing to pick here.
  bool PickTarget() { return false; }

  /// Creates a new, empty file at the path and closes it again; fails if anything exists
  /// there. Throws "A File could not be created" / "A newly created file could not be closed".
  void Create(const SFileInfo & inFileInfo);
  /// Opens the existing regular file at the path and holds it exclusively; an open file
  /// is closed first. Throws "A file could not be opened" (missing, a folder, no
  /// permission, or held by someone else).
  void Open(EPermission inPermission);
  /// Closes the file if open; it counts as closed afterwards even when closing fails.
  /// Throws "A file could not be closed".
  void Close();
  /// The size in bytes: of the open file, else of the regular file at the path.
  /// Throws "The length of a file could not be read".
  unsigned long Length() const;
  /// Truncates or extends the open file to inLength bytes; the position is then at the end.
  /// Throws "The length of a file could not be set[ because the file was not open]".
  void SetLength(unsigned long inLength);
  /// Moves the position of the open file to inPosition bytes from the start.
  /// Throws "The position in a file could not be set[ because the file was not open]".
  void SetPosition(unsigned long inPosition);
  /// Reads up to inCount bytes at the position, stopping early only at the end of the
  /// file; returns the count read. Reading nothing when inCount is not 0 is a failure.
  /// Throws "The contents of a file could not be read".
  unsigned long Read(void * outBuffer, unsigned long inCount);
  /// Writes all inCount bytes at the position and returns inCount; anything less
  /// (disk full, ...) is a failure. Throws "The contents of a file could not be Written".
  unsigned long Write(const void * inBuffer, unsigned long inCount);

  // ---- building blocks for replacing a file safely ------------------------------------
  /// The path with symbolic links followed to the file they finally name (which need not
  /// exist); the path itself if it names no link or the links loop.
  static std::string ResolvedPath(const SFileSpec & inFileSpec);
  /// Creates and opens (read and write, held, readable by the owner only) a new file with
  /// a unique name in the folder of inBeside. Throws "A File could not be created".
  static SFile CreateTemporary(const SFileSpec & inBeside);
  /// Creates and opens (read and write, held) a new file without a name in the folder of
  /// inBeside where the system has such files (it vanishes if the program is killed before
  /// MoveTo names it), else as CreateTemporary. Throws "A File could not be created".
  static SFile CreateUnnamed(const SFileSpec & inBeside);
  /// Moves this open file (named or made by CreateUnnamed) over inTo in one step and makes
  /// the move durable; the file then has the path inTo. Throws "The contents of a file
  /// could not be Written"; the path tells afterwards whether the move happened.
  void MoveTo(const SFileSpec & inTo);
  /// Forces the open file's contents to the disk.
  /// Throws "The contents of a file could not be Written".
  void Sync();
  /// Gives the open file the permission bits, and where this process may, the owner and
  /// group of the file at inOriginal (nothing to do on Windows).
  /// Throws "The contents of a file could not be Written".
  void CopyPermissionsFrom(const SFileSpec & inOriginal);
  /// Moves the file at inFrom (which may be held open if CreateTemporary made it) over
  /// inTo in one step and makes the move durable; inTo must not be held open (Windows
  /// refuses). Throws "The contents of a file could not be Written".
  static void Rename(const SFileSpec & inFrom, const SFileSpec & inTo);
  /// Deletes the file at inFileSpec if it can; never fails.
  static void Remove(const SFileSpec & inFileSpec) noexcept;
  /// Deletes the file this object holds, if its path still names it (another program may
  /// have put a file of its own there), and closes it; nothing if not open. Never fails.
  void RemoveIfHeld() noexcept;
  /// Why a system call failed, in the words that follow a failure message's colon
  /// ("permission denied"), for an errno value (a Win32 error code on Windows); empty
  /// when there are none.
  static std::string ReasonFor(int inSystemError);
  /// Deletes the temporary files of CreateTemporary and MoveTo that exist right now; safe
  /// to call from a signal handler.
  static void RemovePendingTemporaries() noexcept;
  /// Closes this file (ignoring failure) and takes over ioOther's open file, keeping this
  /// path; ioOther is left closed. Used once ioOther has been renamed over this path.
  void Adopt(SFile & ioOther) noexcept;

protected:
  SFileSpec mFileSpec;
  NativeHandle mFileRef;
  SFileSpec mBeside; // for an unnamed file: the file it will replace
};
