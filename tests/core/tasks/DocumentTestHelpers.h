// Test helpers for streams and documents: a concrete document, a recorder of document
// messages, file streams and folder listings.
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
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

} // namespace doctest
