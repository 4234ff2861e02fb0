// Another program's exclusive hold on a file, the way each system expresses it: an
// exclusive advisory lock on POSIX systems, a handle that shares nothing on Windows.
#pragma once

#include <string>

class ExclusiveFileHolder {
public:
  /// Opens the file and holds it; IsHeld() says whether that worked.
  explicit ExclusiveFileHolder(const std::string & inPath);
  /// Lets go of the file.
  ~ExclusiveFileHolder();
  ExclusiveFileHolder(const ExclusiveFileHolder &) = delete;
  ExclusiveFileHolder & operator=(const ExclusiveFileHolder &) = delete;

  bool IsHeld() const { return mIsHeld; }
  /// Lets go of the file now; afterwards IsHeld() is false.
  void Release();

private:
  bool mIsHeld = false;
#if defined(_WIN32)
  void * mHandle = nullptr;
#else
  int mDescriptor = -1;
#endif
};
