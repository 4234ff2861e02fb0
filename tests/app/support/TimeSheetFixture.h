// A fixture for tests that open time sheets: a folder, a zone with daylight saving, scripted
// prompts, preferences restored, and no time sheet open before or after.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "application/WTallyworthApp.h"
#include "documents/WTimeSheetDocument.h"
#include "files/SSystemCalls.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"
#include "tasks/STaskDocumentData.h"
#include "views/WTimeSheetView.h"

class TimeSheetFixture : public ::testing::Test {
protected:
  void SetUp() override {
    SSystemCalls::Reset();
    guitest::CloseAllDocuments();
    mPrompts = std::make_unique<guitest::PromptScript>();
  }

  void TearDown() override {
    SSystemCalls::Reset();
    EXPECT_TRUE(mPrompts->AllAnswersUsed()) << "a scripted answer was not asked for";
    guitest::CloseAllDocuments();
    mPrompts.reset();
    WTallyworthApp::sMaxMRUCount = mCount;
    WTallyworthApp::Get().WriteClearAfterMergeFlags(mClear, mWarn, mSave);
  }

  /// Writes the file inName holding inLines (a Windows line break ends each that has no line
  /// break of its own) and returns its full path.
  std::string WriteSheet(const std::string & inName, const std::vector<std::string> & inLines) {
    std::string bytes;
    for (const std::string & line : inLines)
      bytes += line + (line.empty() || line.back() != '\n' ? "\r\n" : "");
    testsupport::WriteFileBytes(mFolder.file(inName), bytes);
    return mFolder.file(inName);
  }

  /// A sheet of inCount lines of inDuration each, "Entry 0", "Entry 1", ..., who codes AB and CD in turn.
  std::string WriteSheetOf(const std::string & inName, int inCount, const std::string & inDuration = "1:15") {
    std::vector<std::string> lines;
    for (int i = 0; i < inCount; ++i)
      lines.push_back(guitest::Line("03/0" + std::to_string(1 + i % 9) + "/2026", inDuration, i % 2 ? "CD" : "AB",
                                    std::to_string(100 + i), "10", "Entry " + std::to_string(i)));
    return WriteSheet(inName, lines);
  }

public:
  /// Opens the time sheet at inPath through the application; throws, failing the test, when it cannot.
  static WTimeSheetDocument * Open(const std::string & inPath) {
    auto * document = dynamic_cast<WTimeSheetDocument *>(WTallyworthApp::Get().OpenDocumentFile(W(inPath)));
    if (document == nullptr)
      throw std::runtime_error("could not open " + inPath);
    return document;
  }

  static WTimeSheetView & View(WTimeSheetDocument * inDocument) {
    return *dynamic_cast<WTimeSheetView *>(inDocument->GetFirstView());
  }

  /// Appends a task to inDocument, as an edit does.
  static void AppendTask(WTimeSheetDocument & inDocument, const std::string & inLine) {
    const std::string text = inLine.substr(0, inLine.find_first_of("\r\n"));
    STaskDocumentData(inDocument).GetData().push_back(
        STask(SDateFormat(SDateFormat::eMDY), text.data(), static_cast<unsigned>(text.size())));
  }

  static std::string Bytes(const std::string & inPath) { return testsupport::ReadFileBytes(inPath); }
  static wxString W(const std::string & inText) { return wxString::FromUTF8(inText); }

protected:
  guitest::PromptScript & Prompts() { return *mPrompts; }

  testsupport::ScopedTimeZone mZone{"America/New_York"};
  testsupport::TempDir mFolder;

private:
  std::unique_ptr<guitest::PromptScript> mPrompts;
  int mCount = WTallyworthApp::sMaxMRUCount;
  bool mClear = WTallyworthApp::sClearFilesAfterMergingFlag, mWarn = WTallyworthApp::sWarnBeforeClearingMergedFilesFlag,
       mSave = WTallyworthApp::sSaveBeforeClearingMergedFilesFlag;
};
