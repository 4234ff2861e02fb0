// Merging time sheets into an open one, and emptying the merged files as the three
// preferences and the confirmation decide.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "dialogs/WConfirmClearDialog.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"

namespace {

wxString W(const std::string & inText) { return wxString::FromUTF8(inText); }

std::vector<std::string> Lines(const std::string & inWho, int inCount) {
  std::vector<std::string> lines;
  for (int i = 0; i < inCount; ++i)
    lines.push_back(guitest::Line("04/1" + std::to_string(i) + "/2026", std::to_string(i + 1) + ":00", inWho,
                                  "20" + std::to_string(i), "30", inWho + " work " + std::to_string(i)));
  return lines;
}

std::string Joined(const std::vector<std::vector<std::string>> & inParts) {
  std::string text;
  for (const auto & part : inParts)
    for (const std::string & line : part)
      text += line;
  return text;
}

// The lines of a document's tasks, each with a Windows line break.
std::string DocumentText(const WTimeSheetDocument & inDocument) {
  std::string text;
  for (const STask & task : inDocument.GetData())
    text += std::string(task) + "\r\n";
  return text;
}

enum EExpect { eKept = 0, eCleared = 1 };

struct SMergeCase {
  bool mClear, mWarn, mSave;
  int mFiles;
  int mAnswer; // the confirmation's result, or 0 when none is expected
  bool mSaved;
  EExpect mSources;
};

} // namespace

class WMergeTest : public TimeSheetFixture {
protected:
  void SetUp() override {
    TimeSheetFixture::SetUp();
    mOwn = Lines("TG", 2);
    mFirst = Lines("S1", 3);
    mSecond = Lines("S2", 2);
  }

  // Opens the target and merges one or two sources through the Merge command.
  WTimeSheetDocument * MergeInto(const std::string & inTarget, int inFiles) {
    const std::string target = WriteSheet(inTarget, mOwn);
    mSourcePaths = {WriteSheet("first.txt", mFirst)};
    if (inFiles > 1)
      mSourcePaths.push_back(WriteSheet("second.txt", mSecond));
    WTimeSheetDocument * document = Open(target);
    if (document == nullptr)
      return nullptr;
    Prompts().ChooseFiles(mSourcePaths);
    guitest::Command(WCommandIds::eFileMerge);
    return document;
  }

  std::vector<std::string> mOwn, mFirst, mSecond;
  std::vector<std::string> mSourcePaths;
};

TEST_F(WMergeTest, EveryCombinationOfThePreferencesAndAnswers) {
  const int clear = WConfirmClearDialog::eClear;
  const int dont = WConfirmClearDialog::eDontClear;
  const int saveClear = WConfirmClearDialog::eSaveAndClear;
  const int escape = wxID_CANCEL;
  std::vector<SMergeCase> cases;
  for (int files : {1, 2}) {
    for (bool warn : {false, true})
      for (bool save : {false, true})
        cases.push_back({false, warn, save, files, 0, false, eKept});
    for (bool save : {false, true}) {
      cases.push_back({true, true, save, files, clear, false, eCleared});
      cases.push_back({true, true, save, files, dont, false, eKept});
      cases.push_back({true, true, save, files, escape, false, eKept});
      cases.push_back({true, true, save, files, saveClear, true, eCleared});
    }
    cases.push_back({true, false, true, files, 0, true, eCleared});
    cases.push_back({true, false, false, files, 0, false, eCleared});
  }
  int run = 0;
  for (const SMergeCase & c : cases) {
    SCOPED_TRACE(testing::Message() << "clear " << c.mClear << " warn " << c.mWarn << " save " << c.mSave
                                    << " files " << c.mFiles << " answer " << c.mAnswer);
    WTallyworthApp::Get().WriteClearAfterMergeFlags(c.mClear, c.mWarn, c.mSave);
    Prompts().ClearRecords();
    if (c.mAnswer != 0)
      Prompts().AnswerDialog(c.mAnswer);
    const std::string target = "target" + std::to_string(run++) + ".txt";
    WTimeSheetDocument * document = MergeInto(target, c.mFiles);
    ASSERT_NE(document, nullptr);

    // The entries follow the time sheet's own, file by file in the dialog's order.
    const std::string merged = c.mFiles > 1 ? Joined({mOwn, mFirst, mSecond}) : Joined({mOwn, mFirst});
    EXPECT_EQ(DocumentText(*document), merged);
    EXPECT_EQ(document->IsDirty(), !c.mSaved) << "a merge saved before clearing ends clean";
    // One confirmation at most for the whole command, in the plural for several files.
    if (c.mAnswer != 0) {
      ASSERT_EQ(Prompts().DialogMessageIds().size(), 1u);
      EXPECT_EQ(Prompts().DialogMessageIds()[0], c.mFiles > 1 ? 16457u : 16456u);
    } else {
      EXPECT_TRUE(Prompts().DialogMessageIds().empty());
    }
    EXPECT_EQ(Bytes(mFolder.file(target)), c.mSaved ? merged : Joined({mOwn}));
    EXPECT_EQ(Bytes(mSourcePaths[0]), c.mSources == eCleared ? "" : Joined({mFirst}));
    if (c.mFiles > 1) {
      EXPECT_EQ(Bytes(mSourcePaths[1]), c.mSources == eCleared ? "" : Joined({mSecond}));
    }
    EXPECT_TRUE(Prompts().Messages().empty());
    guitest::CloseAllDocuments();
  }
}

TEST_F(WMergeTest, AFailingSaveBeforeTheClearEmptiesNoSourceFile) {
  WTallyworthApp::Get().WriteClearAfterMergeFlags(true, false, true);
  const std::string target = WriteSheet("target.txt", mOwn);
  const std::string first = WriteSheet("first.txt", mFirst);
  const std::string second = WriteSheet("second.txt", mSecond);
  WTimeSheetDocument * document = Open(target);
  ASSERT_NE(document, nullptr);
  Prompts().ChooseFiles({first, second});
  Prompts().AnswerMessage(wxOK);
  // The first write after the merged files are read is the save of the time sheet.
  SSystemCalls::FailNth(SSystemCalls::eWrite, 1, ENOSPC);
  guitest::Command(WCommandIds::eFileMerge);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].StartsWith("The contents of a file could not be Written"));
  EXPECT_EQ(Bytes(first), Joined({mFirst}));
  EXPECT_EQ(Bytes(second), Joined({mSecond}));
  EXPECT_EQ(Bytes(target), Joined({mOwn}));
  // The merged entries are kept in the window, unsaved.
  EXPECT_EQ(DocumentText(*document), Joined({mOwn, mFirst, mSecond}));
  EXPECT_TRUE(document->IsModified());
}

TEST_F(WMergeTest, AFileOpenInAnotherWindowIsNotMergedAndEndsTheCommandUndamaged) {
  WTallyworthApp::Get().WriteClearAfterMergeFlags(true, false, false);
  const std::string target = WriteSheet("target.txt", mOwn);
  const std::string first = WriteSheet("first.txt", mFirst);
  const std::string second = WriteSheet("second.txt", mSecond);
  ASSERT_NE(Open(first), nullptr); // holds first.txt
  WTimeSheetDocument * document = Open(target);
  ASSERT_NE(document, nullptr);
  Prompts().ChooseFiles({first, second});
  Prompts().AnswerMessage(wxOK);
  guitest::Command(WCommandIds::eFileMerge);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(Prompts().Messages()[0], "The merge operation failed: The file " + W(first) +
                                         " is open in another window: save and close it there first.");
  EXPECT_EQ(Bytes(first), Joined({mFirst}));
  EXPECT_EQ(Bytes(second), Joined({mSecond})) << "the command ended before the second file";
  EXPECT_EQ(DocumentText(*document), Joined({mOwn}));
  EXPECT_FALSE(document->IsDirty());

  // Merging a time sheet into itself is refused the same way.
  Prompts().ChooseFiles({target});
  Prompts().AnswerMessage(wxOK);
  guitest::Command(WCommandIds::eFileMerge);
  EXPECT_EQ(Prompts().Messages().back(), "The merge operation failed: The file " + W(target) + " is this time sheet's own file.");
  EXPECT_EQ(Bytes(target), Joined({mOwn}));
  EXPECT_EQ(document->GetData().size(), 2u);
}
