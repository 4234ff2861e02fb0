// The one seam between the file layer and the operating system.
//
// Every system call the file layer makes goes through a thin wrapper here, with the
// system's own signature and error reporting (-1 and errno on POSIX; the failure value
// and GetLastError() on Windows). Tests can arm faults: the nth next call of an
// operation fails with a chosen error, or transfers fewer bytes than asked. With no
// fault armed, a wrapper costs one predictable branch before the real call.
//
// Arming is not thread-safe; the program is single-threaded.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/types.h>
#endif

class SSystemCalls {
public:
  /// The operations that can be made to fail. The Windows call each one stands for is
  /// given after it.
  enum EOperation {
    eOpen,      // open                  CreateFileA
    eClose,     // close                 CloseHandle
    eRead,      // read                  ReadFile
    eWrite,     // write                 WriteFile
    eLseek,     // lseek                 SetFilePointerEx
    eFtruncate, // ftruncate             SetEndOfFile
    eFstat,     // fstat                 GetFileSize, GetFileType
    eStat,      // stat                  FindFirstFileA
    eLstat,     // lstat                 -
    eFsync,     // fsync                 FlushFileBuffers
    eRename,    // rename                MoveFileExA
    eUnlink,    // unlink                DeleteFileA
    eFlock,     // flock                 -
    eFchmod,    // fchmod                -
    eReadlink,  // readlink              -
    eFcntl,     // fcntl (F_GETFL/F_SETFL) -
    eFindClose, // -                     FindClose
    eFchown,    // fchown                -
    eLinkat,    // linkat                -
    eOperationCount
  };

  // ---- the calls -------------------------------------------------------------------
#ifdef _WIN32
  static HANDLE CreateFileA(LPCSTR inName, DWORD inAccess, DWORD inShare, LPSECURITY_ATTRIBUTES inSecurity,
                            DWORD inDisposition, DWORD inFlags, HANDLE inTemplate);
  static BOOL CloseHandle(HANDLE inHandle);
  static BOOL ReadFile(HANDLE inHandle, LPVOID outBuffer, DWORD inCount, LPDWORD outRead, LPOVERLAPPED inOverlapped);
  static BOOL WriteFile(HANDLE inHandle, LPCVOID inBuffer, DWORD inCount, LPDWORD outWritten,
                        LPOVERLAPPED inOverlapped);
  static BOOL SetFilePointerEx(HANDLE inHandle, LARGE_INTEGER inDistance, PLARGE_INTEGER outPosition,
                               DWORD inMethod);
  static BOOL SetEndOfFile(HANDLE inHandle);
  static DWORD GetFileSize(HANDLE inHandle, LPDWORD outHigh);
  static DWORD GetFileType(HANDLE inHandle);
  static HANDLE FindFirstFileA(LPCSTR inName, LPWIN32_FIND_DATAA outData);
  static BOOL FindClose(HANDLE inHandle);
  static BOOL FlushFileBuffers(HANDLE inHandle);
  static BOOL MoveFileExA(LPCSTR inFrom, LPCSTR inTo, DWORD inFlags);
  static BOOL DeleteFileA(LPCSTR inName);
#else
  static int Open(const char * inPath, int inFlags, mode_t inMode = 0);
  static int Close(int inFd);
  static ssize_t Read(int inFd, void * outBuffer, std::size_t inCount);
  static ssize_t Write(int inFd, const void * inBuffer, std::size_t inCount);
  static off_t Lseek(int inFd, off_t inOffset, int inWhence);
  static int Ftruncate(int inFd, off_t inLength);
  static int Fstat(int inFd, struct stat * outStat);
  static int Stat(const char * inPath, struct stat * outStat);
  static int Lstat(const char * inPath, struct stat * outStat);
  static int Fsync(int inFd);
  static int Rename(const char * inFrom, const char * inTo);
  static int Unlink(const char * inPath);
  static int Flock(int inFd, int inOperation);
  static int Fchmod(int inFd, mode_t inMode);
  static ssize_t Readlink(const char * inPath, char * outBuffer, std::size_t inSize);
  /// fcntl for the commands that take an int argument (F_GETFL, F_SETFL, F_GETFD, ...).
  static int Fcntl(int inFd, int inCommand, int inArgument = 0);
  static int Fchown(int inFd, uid_t inOwner, gid_t inGroup);
  static int Linkat(int inFromFolder, const char * inFrom, int inToFolder, const char * inTo, int inFlags);
#endif

  /// Advises the system that the memory [inBegin, inBegin + inBytes), not yet written, is
  /// best backed by huge pages (a large buffer then fills much faster); the whole 2 MB pages
  /// inside it only, and only where the system offers them. Mere advice: it cannot fail.
  static void AdviseHugePages(const void * inBegin, std::size_t inBytes);

  // ---- faults, for tests --------------------------------------------------------------
  /// Makes the nth next call of inOperation (1: the very next) fail with inError (an
  /// errno value; a Win32 error code on Windows) without reaching the system. A failing
  /// close is the exception: the descriptor is released first, as the system does.
  static void FailNth(EOperation inOperation, unsigned inNth, int inError);
  /// Makes the nth next call of eRead or eWrite transfer at most inCount bytes; with
  /// inCount 0 it returns 0 without reaching the system.
  static void ShortNth(EOperation inOperation, unsigned inNth, std::size_t inCount);
  /// Runs inAction just before the nth next call of inOperation reaches the system (a
  /// test's way to let another program act at that very moment); the call then proceeds.
  static void BeforeNth(EOperation inOperation, unsigned inNth, std::function<void()> inAction);
  /// The number of armed faults that have not happened yet.
  static std::size_t PendingFaults();
  /// Disarms every fault and forgets the call counts.
  static void Reset();

private:
  struct Fault;
  static std::vector<Fault> & Faults();
  static bool Take(EOperation inOperation, Fault & outFault);
  static bool sArmed;
};
