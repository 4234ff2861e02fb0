// Test helpers for streams and documents: a concrete document, a recorder of document
// messages, file streams, folder listings, and a child process that holds a file.
#pragma once

#include "files/SFile.h"
#include "files/SFileException.h"
#include "tasks/STaskDocument.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskDocumentListener.h"
#include "tasks/STaskFileStream.h"
#include "tasks/STaskFileStreamSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#ifdef _WIN32
#include "support/ChildProcess.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace doctest {

/// A document whose answer to "empty the merged file?" is set by the test.
class TestDocument : public STaskDocument {
public:
  bool WantToClearMergeStream(STaskStream * inStream) override {
    mAskedAbout.push_back(inStream);
    return mClearMergeStream;
  }

  /// The parts handle.
  STaskDocumentData Data() { return STaskDocumentData(*this); }

  bool mClearMergeStream = false;
  std::vector<STaskStream *> mAskedAbout;
};

/// Records the codes of the document messages it hears.
class DocumentRecorder : public STaskDocumentListener {
public:
  void ListenToMessage(STaskDocumentMessage inMessage) override { mCodes.push_back(inMessage.mCode); }
  std::size_t Count(STaskDocumentMessage::ECode inCode) const {
    std::size_t count = 0;
    for (const auto code : mCodes)
      count += code == inCode;
    return count;
  }
  std::vector<STaskDocumentMessage::ECode> mCodes;
};

/// A file stream on inPath whose dates are in inOrder.
inline std::unique_ptr<STaskFileStream> FileStream(const std::string & inPath,
                                                   SDateFormat inOrder = SDateFormat::eMDY) {
  return std::make_unique<STaskFileStream>(STaskFileStreamSettings(SFileSpec(inPath)), inOrder);
}

/// True if another SFile can open inPath right now (nobody holds it).
inline bool CanOpen(const std::string & inPath) {
  try {
    SFile probe{SFileSpec(inPath)};
    probe.Open(SFile::eReadWrite);
    return true;
  } catch (const SFileException &) {
    return false;
  }
}

/// The names in a folder, sorted.
inline std::vector<std::string> NamesIn(const std::filesystem::path & inFolder) {
  std::vector<std::string> names;
  for (const auto & entry : std::filesystem::directory_iterator(inFolder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

/// The message of the exception (of any standard type; a file failure's without its
/// reason) inAction throws, or "<no failure>".
template <class Action>
std::string Failure(Action && inAction) {
  try {
    inAction();
  } catch (const SFileException & e) {
    return e.Message(); // without the reason
  } catch (const std::exception & e) {
    return e.what();
  }
  return "<no failure>";
}

#ifdef _WIN32

/// A child process that opens and holds a file until the object dies.
class HeldByChild {
public:
  explicit HeldByChild(const std::string & inPath) : mHolder(inPath, SFile::eReadWrite) {}

  /// True once the child holds the file.
  bool IsHolding() const { return mHolder.IsHolding(); }

private:
  testsupport::FileHeldByChild mHolder;
};

#else

/// A child process that opens and holds a file until the object dies.
class HeldByChild {
public:
  explicit HeldByChild(const std::string & inPath) {
    int ready[2], go[2];
    if (::pipe(ready) != 0 || ::pipe(go) != 0)
      return;
    mChild = ::fork();
    if (mChild == 0) {
      ::close(ready[0]);
      ::close(go[1]);
      char ok = 'n';
      try {
        SFile file{SFileSpec(inPath)};
        file.Open(SFile::eReadWrite);
        ok = 'y';
        (void)!::write(ready[1], &ok, 1);
        char ignored;
        while (::read(go[0], &ignored, 1) > 0) {
        }
      } catch (...) {
        (void)!::write(ready[1], &ok, 1);
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(go[0]);
    mGo = go[1];
    char answer = 'n';
    mHolding = mChild > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
  }
  ~HeldByChild() {
    if (mGo >= 0)
      ::close(mGo); // the child sees the end of the pipe and leaves
    if (mChild > 0) {
      int status = 0;
      ::waitpid(mChild, &status, 0);
    }
  }
  HeldByChild(const HeldByChild &) = delete;
  HeldByChild & operator=(const HeldByChild &) = delete;

  /// True once the child holds the file.
  bool IsHolding() const { return mHolding; }

private:
  pid_t mChild = -1;
  int mGo = -1;
  bool mHolding = false;
};

#endif

} // namespace doctest
