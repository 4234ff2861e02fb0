// Merging time sheets, and emptying the merged files as the preferences and answers say.

#include <cerrno>

#include "dialogs/WConfirmClearDialog.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"

namespace {

std::string Lines(const std::string & inWho, int inCount) {
  std::string lines;
  for (int i = 0; i < inCount; ++i)
    lines += guitest::Line("04/1" + std::to_string(i) + "/2026", std::to_string(i + 1) + ":00", inWho,
                           "20" + std::to_string(i), "30", inWho + " work " + std::to_string(i));
  return lines;
}

// The lines of a document's tasks, each with a Windows line break.
std::string DocumentText(const WTimeSheetDocument & inDocument) {
  std::string text;
  for (const STask & task : inDocument.GetData())
    text += std::string(task) + "\r\n";
  return text;
}

} // namespace

class WMergeTest : public TimeSheetFixture {
protected:
  // Opens inTarget and merges first.txt and, when inBoth, second.txt into it through the Merge command.
  WTimeSheetDocument * Merge(bool inBoth, const std::string & inTarget = "target.txt") {
    mTarget = WriteSheet(inTarget, {mOwn});
    mFirst = WriteSheet("first.txt", {mFirstLines});
    mSecond = WriteSheet("second.txt", {mSecondLines});
    WTimeSheetDocument * document = Open(mTarget);
    Prompts().ChooseFiles(inBoth ? std::vector<std::string>{mFirst, mSecond} : std::vector<std::string>{mFirst});
    guitest::Command(WCommandIds::eFileMerge);
    return document;
  }

  const std::string mOwn = Lines("TG", 2), mFirstLines = Lines("S1", 3), mSecondLines = Lines("S2", 2);
  std::string mTarget, mFirst, mSecond;
};

TEST_F(WMergeTest, EveryCombinationOfThePreferencesAndAnswers) {
  struct Case {
    bool mClear, mWarn, mSave;
    int mAnswer; // the confirmation's result, or 0 when none is expected
    bool mSaved, mCleared;
  };
  std::vector<Case> cases;
  for (bool warn : {false, true})
    for (bool save : {false, true})
      cases.push_back({false, warn, save, 0, false, false});
  for (bool save : {false, true}) {
    cases.push_back({true, true, save, WConfirmClearDialog::eClear, false, true});
    cases.push_back({true, true, save, WConfirmClearDialog::eDontClear, false, false});
    cases.push_back({true, true, save, wxID_CANCEL, false, false});
    cases.push_back({true, true, save, WConfirmClearDialog::eSaveAndClear, true, true});
  }
  cases.push_back({true, false, true, 0, true, true});
  cases.push_back({true, false, false, 0, false, true});
  int run = 0;
  for (bool both : {false, true})
    for (const Case & c : cases) {
      SCOPED_TRACE(testing::Message() << "clear " << c.mClear << " warn " << c.mWarn << " save " << c.mSave
                                      << " files " << (both ? 2 : 1) << " answer " << c.mAnswer);
      WTallyworthApp::Get().WriteClearAfterMergeFlags(c.mClear, c.mWarn, c.mSave);
      Prompts().ClearRecords();
      if (c.mAnswer != 0)
        Prompts().AnswerDialog(c.mAnswer);
      WTimeSheetDocument * document = Merge(both, "target" + std::to_string(run++) + ".txt");
      // The entries follow the time sheet's own, file by file in the dialog's order.
      const std::string merged = mOwn + mFirstLines + (both ? mSecondLines : "");
      EXPECT_EQ(DocumentText(*document), merged);
      EXPECT_EQ(document->IsDirty(), !c.mSaved) << "a merge saved before clearing ends clean";
      // One confirmation at most for the whole command, in the plural for several files.
      EXPECT_EQ(Prompts().mDialogMessageIds,
                c.mAnswer == 0 ? std::vector<unsigned>{} : std::vector<unsigned>{both ? 16457u : 16456u});
      EXPECT_EQ(Bytes(mTarget), c.mSaved ? merged : mOwn);
      EXPECT_EQ(Bytes(mFirst), c.mCleared ? "" : mFirstLines);
      EXPECT_EQ(Bytes(mSecond), c.mCleared && both ? "" : mSecondLines);
      guitest::CloseAllDocuments();
    }
}

TEST_F(WMergeTest, AFailingSaveBeforeTheClearEmptiesNoSourceFile) {
  WTallyworthApp::Get().WriteClearAfterMergeFlags(true, false, true);
  Prompts().AnswerMessage(wxOK);
  // The first write is the save of the time sheet, after the merged files are read.
  SSystemCalls::FailNth(SSystemCalls::eWrite, 1, ENOSPC);
  WTimeSheetDocument * document = Merge(true); // the failure is reported in the message box answered above
  EXPECT_EQ(Bytes(mFirst), mFirstLines);
  EXPECT_EQ(Bytes(mSecond), mSecondLines);
  EXPECT_EQ(Bytes(mTarget), mOwn);
  // The merged entries are kept in the window, unsaved.
  EXPECT_EQ(DocumentText(*document), mOwn + mFirstLines + mSecondLines);
  EXPECT_TRUE(document->IsModified());
}

TEST_F(WMergeTest, AFileOpenInAnotherWindowOrTheSheetItselfIsNotMerged) {
  WTallyworthApp::Get().WriteClearAfterMergeFlags(true, false, false);
  Open(WriteSheet("first.txt", {mFirstLines})); // holds first.txt
  Prompts().AnswerMessage(wxOK);
  WTimeSheetDocument * document = Merge(true);
  ASSERT_EQ(Prompts().mMessages.size(), 1u);
  EXPECT_EQ(Prompts().mMessages[0], "The merge operation failed: The file " + W(mFirst) +
                                        " is open in another window: save and close it there first.");
  EXPECT_EQ(Bytes(mFirst), mFirstLines);
  EXPECT_EQ(Bytes(mSecond), mSecondLines) << "the command ended before the second file";
  EXPECT_EQ(DocumentText(*document), mOwn);
  EXPECT_FALSE(document->IsDirty());

  Prompts().ChooseFiles({mTarget});
  Prompts().AnswerMessage(wxOK);
  guitest::Command(WCommandIds::eFileMerge);
  EXPECT_EQ(Prompts().mMessages.back(),
            "The merge operation failed: The file " + W(mTarget) + " is this time sheet's own file.");
  EXPECT_EQ(Bytes(mTarget), mOwn);
  EXPECT_EQ(document->GetData().size(), 2u);
}
