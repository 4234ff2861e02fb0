// A test fixture for everything that opens time sheets: a folder for files, a time zone
// with daylight saving, scripted prompts, the preferences restored afterwards, and no
// time sheet open before or after the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "application/WTallyworthApp.h"
#include "documents/WTimeSheetDocument.h"
#include "files/SSystemCalls.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"
#include "tasks/STask.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskVector.h"

class TimeSheetFixture : public ::testing::Test {
protected:
  void SetUp() override {
    SSystemCalls::Reset();
    guitest::CloseAllDocuments();
    mPrompts = std::make_unique<guitest::PromptScript>();
    mCount = WTallyworthApp::sMaxMRUCount;
    mClear = WTallyworthApp::sClearFilesAfterMergingFlag;
    mWarn = WTallyworthApp::sWarnBeforeClearingMergedFilesFlag;
    mSave = WTallyworthApp::sSaveBeforeClearingMergedFilesFlag;
  }

  void TearDown() override {
    SSystemCalls::Reset();
    EXPECT_TRUE(mPrompts->AllAnswersUsed()) << "a scripted answer was not asked for";
    guitest::CloseAllDocuments();
    mPrompts.reset();
    WTallyworthApp::sMaxMRUCount = mCount;
    WTallyworthApp::Get().WriteClearAfterMergeFlags(mClear, mWarn, mSave);
  }

  /// Writes a time sheet file called inName with inLines (each a whole line) and returns
  /// its full path.
  std::string WriteSheet(const std::string & inName, const std::vector<std::string> & inLines) {
    std::string bytes;
    for (const std::string & line : inLines)
      bytes += line;
    const std::string path = mFolder.file(inName);
    testsupport::WriteFileBytes(path, bytes);
    return path;
  }

  /// A sheet of inCount lines, each of 1:15 for person inWho.
  std::string WriteSheetOf(const std::string & inName, int inCount, const std::string & inWho = "AB") {
    std::vector<std::string> lines;
    for (int i = 0; i < inCount; ++i)
      lines.push_back(guitest::Line("03/0" + std::to_string(1 + i % 9) + "/2026", "1:15", inWho,
                                    std::to_string(100 + i), "10", "Entry " + std::to_string(i)));
    return WriteSheet(inName, lines);
  }

  /// Opens the time sheet at inPath through the application; null when it failed.
  WTimeSheetDocument * Open(const std::string & inPath) {
    return dynamic_cast<WTimeSheetDocument *>(WTallyworthApp::Get().OpenDocumentFile(wxString::FromUTF8(inPath)));
  }

  /// Appends a task to inDocument, as an edit does.
  static void AppendTask(WTimeSheetDocument & inDocument, const std::string & inLine) {
    STaskDocumentData data(inDocument);
    const std::string text = inLine.substr(0, inLine.find_first_of("\r\n"));
    data.GetData().push_back(STask(SDateFormat(SDateFormat::eMDY), text.data(), static_cast<unsigned>(text.size())));
  }

  static std::string Bytes(const std::string & inPath) { return testsupport::ReadFileBytes(inPath); }

  guitest::PromptScript & Prompts() { return *mPrompts; }

  testsupport::ScopedTimeZone mZone{"America/New_York"};
  testsupport::TempDir mFolder;

private:
  std::unique_ptr<guitest::PromptScript> mPrompts;
  int mCount = 20;
  bool mClear = true, mWarn = true, mSave = true;
};
