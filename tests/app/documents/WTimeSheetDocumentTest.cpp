// Time sheet documents: closing, leaving the program, clearing, a failed save.

#include <cerrno>
#include <filesystem>

#include "controls/WFileStatusCtrl.h"
#include "documents/WDocManager.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "windows/WMainWindow.h"

namespace {

const std::string kFirst = guitest::Line("03/02/2026", "1:30", "AB", "1001", "10", "Design review");
const std::string kSecond = guitest::Line("03/03/2026", "2.25", "CD", "1002", "20", "Site visit");
const std::string kThird = guitest::Line("03/04/2026", "0:45", "AB", "1001", "10", "Notes");

} // namespace

using WTimeSheetDocumentTest = TimeSheetFixture;

TEST_F(WTimeSheetDocumentTest, ClosingAsksOnlyAboutChangesAndCancelKeepsEverything) {
  const std::string path = WriteSheet("week.txt", {kFirst, kSecond});
  Open(path);
  guitest::Command(wxID_CLOSE); // unchanged: closes without a question
  EXPECT_TRUE(guitest::WaitUntil([] { return guitest::Documents().empty(); }));
  // Changed: Cancel keeps it open and changed, No drops the change, Yes saves it.
  for (const int answer : {wxCANCEL, wxNO, wxYES}) {
    SCOPED_TRACE(answer);
    Prompts().ClearRecords();
    WTimeSheetDocument * document = Open(path);
    if (document->GetData().size() == 2)
      AppendTask(*document, kThird);
    Prompts().AnswerMessage(answer);
    guitest::Command(wxID_CLOSE);
    EXPECT_EQ(guitest::WaitUntil([] { return guitest::Documents().empty(); }, std::chrono::milliseconds(300)),
              answer != wxCANCEL);
    ASSERT_EQ(Prompts().mMessages, std::vector<wxString>{"Save changes to week.txt?"});
    EXPECT_EQ(Prompts().mMessageStyles[0] & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);
    EXPECT_EQ(Bytes(path), kFirst + kSecond + (answer == wxYES ? kThird : ""));
    EXPECT_TRUE(guitest::Documents().empty() || document->IsModified()) << "kept open, it stays changed";
  }
}

TEST_F(WTimeSheetDocumentTest, LeavingTheProgramAsksAboutEveryChangedTimeSheetBeforeClosingAny) {
  const std::string a = WriteSheet("a.txt", {kFirst});
  const std::string b = WriteSheet("b.txt", {kSecond});
  WTimeSheetDocument * first = Open(a);
  WTimeSheetDocument * second = Open(b);
  guitest::Command(wxID_NEW); // unchanged: not asked about
  AppendTask(*first, kThird);
  AppendTask(*second, kThird);
  WDocManager & manager = guitest::DocManager();
  // "No" for the first, then "Cancel": nothing is closed and no change is dropped; closing
  // the main frame is refused the same way.
  Prompts().AnswerMessage(wxNO);
  Prompts().AnswerMessage(wxCANCEL);
  EXPECT_FALSE(manager.SaveAllModified());
  Prompts().AnswerMessage(wxCANCEL);
  EXPECT_FALSE(guitest::MainWindow().Close());
  EXPECT_EQ(Prompts().mMessages.size(), 3u);
  EXPECT_TRUE(first->IsModified() && second->IsModified());
  EXPECT_EQ(guitest::Documents().size(), 3u);
  // "No", then "Yes": the first change is given up, the second saved.
  Prompts().AnswerMessage(wxNO);
  Prompts().AnswerMessage(wxYES);
  EXPECT_TRUE(manager.SaveAllModified());
  EXPECT_FALSE(first->IsModified() || second->IsModified());
  EXPECT_EQ(Bytes(a), kFirst);
  EXPECT_EQ(Bytes(b), kSecond + kThird);
  manager.CloseDocuments(false); // asks nothing more
}

TEST_F(WTimeSheetDocumentTest, ClearAsksWithTheMessageForTheStateAndEmptiesOnlyOnClear) {
  const std::string path = WriteSheet("week.txt", {kFirst, kSecond});
  WTimeSheetDocument * document = Open(path);
  Prompts().AnswerDialog(wxID_CANCEL);
  guitest::Command(WCommandIds::eClearTimeSheet);
  EXPECT_EQ(document->GetData().size(), 2u);
  EXPECT_FALSE(document->IsModified());
  AppendTask(*document, kThird);
  Prompts().AnswerDialog(wxID_OK);
  guitest::Command(WCommandIds::eClearTimeSheet);
  EXPECT_EQ(Prompts().mDialogMessageIds, (std::vector<unsigned>{16448u, 16449u})) << "a changed sheet is warned about";
  EXPECT_TRUE(document->GetData().empty());
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(Bytes(path), kFirst + kSecond) << "clearing changes only the window until it is saved";
}

TEST_F(WTimeSheetDocumentTest, ADiskThatFillsDuringSaveLeavesTheFileAndTheChangesAsTheyWere) {
  const std::string path = WriteSheet("week.txt", {kFirst, kSecond});
  WTimeSheetDocument * document = Open(path);
  AppendTask(*document, kThird);
  SSystemCalls::FailNth(SSystemCalls::eWrite, 1, ENOSPC);
  Prompts().AnswerMessage(wxOK);
  guitest::Command(wxID_SAVE);
  ASSERT_EQ(Prompts().mMessages.size(), 1u);
  EXPECT_TRUE(Prompts().mMessages[0].StartsWith("The contents of a file could not be Written")) << Prompts().mMessages[0];
  EXPECT_EQ(Bytes(path), kFirst + kSecond);
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(View(document).GetFileStatusCtrl()->GetIcon(), WFileStatusCtrl::eTouched);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 1) << "a temporary file was left";
  guitest::Command(wxID_SAVE); // the program carries on: the next save works
  EXPECT_EQ(Bytes(path), kFirst + kSecond + kThird);
  EXPECT_FALSE(document->IsModified());
}
