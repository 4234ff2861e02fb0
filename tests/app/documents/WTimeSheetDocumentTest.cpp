// Time sheet documents: saving, closing with and without changes, clearing, and what a
// failure of the file layer leaves behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <wx/filedlg.h>

#include "controls/WFileStatusCtrl.h"
#include "dialogs/WConfirmClearDialog.h"
#include "dialogs/WFileDialog.h"
#include "documents/WDocManager.h"
#include "resources/WCommandIds.h"
#include "support/ExclusiveFileHolder.h"
#include "support/TimeSheetFixture.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

wxString W(const std::string & inText) { return wxString::FromUTF8(inText); }

const std::string kFirst = guitest::Line("03/02/2026", "1:30", "AB", "1001", "10", "Design review");
const std::string kSecond = guitest::Line("03/03/2026", "2.25", "CD", "1002", "20", "Site visit");
const std::string kThird = guitest::Line("03/04/2026", "0:45", "AB", "1001", "10", "Notes");

WTimeSheetView * ViewOf(WTimeSheetDocument & inDocument) {
  return dynamic_cast<WTimeSheetView *>(inDocument.GetFirstView());
}

} // namespace

using WTimeSheetDocumentTest = TimeSheetFixture;

TEST_F(WTimeSheetDocumentTest, SavingANewTimeSheetAsksForANameAndFollowsItEverywhere) {
  guitest::Command(wxID_NEW);
  WTimeSheetDocument * document = guitest::ActiveDocument();
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kFirst);
  AppendTask(*document, kSecond);
  EXPECT_TRUE(document->IsModified());

  const std::string path = mFolder.file("fresh"); // no extension: ".txt" is added
  Prompts().AnswerFileDialog([&](WFileDialog & inDialog) {
    EXPECT_EQ(inDialog.GetTitle(), "Save As");
    EXPECT_FALSE(inDialog.IsOpenFileDialog());
    EXPECT_TRUE(inDialog.GetFlags() & wxFD_OVERWRITE_PROMPT);
    EXPECT_EQ(inDialog.GetDefaultExtension(), "txt");
    inDialog.SetPaths({W(path)});
    return static_cast<int>(wxID_OK);
  });
  guitest::Command(wxID_SAVE);
  const std::string saved = path + ".txt";
  EXPECT_EQ(Bytes(saved), kFirst + kSecond);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(document->GetStreamPath(), W(saved));
  EXPECT_EQ(document->GetUserReadableName(), "fresh.txt");
  EXPECT_EQ(document->GetTimeSheetWindow()->GetTitle(), "fresh.txt");
  EXPECT_EQ(guitest::MainWindow().GetTitle(), "Tallyworth - fresh.txt");
  EXPECT_EQ(guitest::DocManager().GetHistoryFile(0), W(saved));
  EXPECT_EQ(ViewOf(*document)->GetFileStatusCtrl()->GetIcon(), WFileStatusCtrl::eUntouched);

  // From now on Save writes the same file without asking.
  AppendTask(*document, kThird);
  guitest::Command(wxID_SAVE);
  EXPECT_EQ(Bytes(saved), kFirst + kSecond + kThird);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(Prompts().FileDialogTitles().size(), 1u);
}

TEST_F(WTimeSheetDocumentTest, SaveAsMovesAnOpenTimeSheetToTheNewFileAndCancellingChangesNothing) {
  const std::string original = WriteSheet("original.txt", {kFirst, kSecond});
  WTimeSheetDocument * document = Open(original);
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kThird);

  Prompts().ChooseFiles({});
  guitest::Command(wxID_SAVEAS);
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(document->GetStreamPath(), W(original));

  const std::string copy = mFolder.file("copy.txt");
  Prompts().ChooseFiles({copy});
  guitest::Command(wxID_SAVEAS);
  EXPECT_EQ(Bytes(copy), kFirst + kSecond + kThird);
  EXPECT_EQ(Bytes(original), kFirst + kSecond) << "the original stays as it was";
  EXPECT_EQ(document->GetStreamPath(), W(copy));
  EXPECT_EQ(document->GetTimeSheetWindow()->GetTitle(), "copy.txt");
  EXPECT_EQ(guitest::DocManager().GetHistoryFile(0), W(copy));
  EXPECT_FALSE(document->IsModified());
  // The old file is no longer held: it opens in a window of its own.
  WTimeSheetDocument * again = Open(original);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, document);
  EXPECT_EQ(again->GetData().size(), 2u);
}

TEST_F(WTimeSheetDocumentTest, ClosingAskedOnlyWithChangesAndCancelKeepsEverything) {
  const std::string path = WriteSheet("week.txt", {kFirst, kSecond});
  // Clean: closes without a question.
  ASSERT_NE(Open(path), nullptr);
  guitest::Command(wxID_CLOSE);
  guitest::WaitUntil([] { return guitest::Documents().empty(); });
  EXPECT_TRUE(guitest::Documents().empty());
  EXPECT_TRUE(Prompts().Messages().empty());

  // Changed, Cancel: stays open and changed; the file is untouched.
  WTimeSheetDocument * document = Open(path);
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kThird);
  Prompts().AnswerMessage(wxCANCEL);
  guitest::Command(wxID_CLOSE);
  guitest::Flush();
  ASSERT_EQ(guitest::Documents().size(), 1u);
  EXPECT_TRUE(document->IsModified());
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(Prompts().Messages()[0], "Save changes to week.txt?");
  const long style = Prompts().MessageStyles()[0];
  EXPECT_TRUE((style & wxYES_NO) == wxYES_NO && (style & wxCANCEL));
  EXPECT_EQ(Bytes(path), kFirst + kSecond);

  // No: closes and drops the change, asked exactly once.
  Prompts().AnswerMessage(wxNO);
  guitest::Command(wxID_CLOSE);
  guitest::WaitUntil([] { return guitest::Documents().empty(); });
  EXPECT_TRUE(guitest::Documents().empty());
  EXPECT_EQ(Prompts().Messages().size(), 2u);
  EXPECT_EQ(Bytes(path), kFirst + kSecond);

  // Yes: saves, then closes.
  document = Open(path);
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kThird);
  Prompts().AnswerMessage(wxYES);
  guitest::Command(wxID_CLOSE);
  guitest::WaitUntil([] { return guitest::Documents().empty(); });
  EXPECT_TRUE(guitest::Documents().empty());
  EXPECT_EQ(Bytes(path), kFirst + kSecond + kThird);
}

TEST_F(WTimeSheetDocumentTest, YesOnANewTimeSheetAsksForANameAndCancellingThatKeepsItOpen) {
  guitest::Command(wxID_NEW);
  WTimeSheetDocument * document = guitest::ActiveDocument();
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kFirst);
  Prompts().AnswerMessage(wxYES);
  Prompts().ChooseFiles({});
  guitest::Command(wxID_CLOSE);
  guitest::Flush();
  ASSERT_EQ(guitest::Documents().size(), 1u);
  EXPECT_TRUE(document->IsModified());
  EXPECT_TRUE(Prompts().Messages()[0].StartsWith("Save changes to Untitled"));
}

TEST_F(WTimeSheetDocumentTest, LeavingTheProgramAsksAboutEveryChangedTimeSheetBeforeClosingAny) {
  const std::string a = WriteSheet("a.txt", {kFirst});
  const std::string b = WriteSheet("b.txt", {kSecond});
  WTimeSheetDocument * first = Open(a);
  WTimeSheetDocument * second = Open(b);
  ASSERT_TRUE(first != nullptr && second != nullptr);
  guitest::Command(wxID_NEW); // unchanged: not asked about
  AppendTask(*first, kThird);
  AppendTask(*second, kThird);
  WDocManager & manager = guitest::DocManager();

  // "No" for the first, then "Cancel": nothing is closed and no change is dropped.
  Prompts().AnswerMessage(wxNO);
  Prompts().AnswerMessage(wxCANCEL);
  EXPECT_FALSE(manager.SaveAllModified());
  EXPECT_EQ(Prompts().Messages().size(), 2u);
  EXPECT_TRUE(first->IsModified());
  EXPECT_TRUE(second->IsModified());
  EXPECT_EQ(guitest::Documents().size(), 3u);

  // Closing the main frame is refused the same way.
  Prompts().AnswerMessage(wxCANCEL);
  EXPECT_FALSE(guitest::MainWindow().Close());
  EXPECT_TRUE(guitest::MainWindow().IsShown());
  EXPECT_EQ(guitest::Documents().size(), 3u);

  // "No", then "Yes": the first change is given up, the second saved.
  Prompts().AnswerMessage(wxNO);
  Prompts().AnswerMessage(wxYES);
  EXPECT_TRUE(manager.SaveAllModified());
  EXPECT_FALSE(first->IsModified());
  EXPECT_FALSE(second->IsModified());
  EXPECT_EQ(Bytes(a), kFirst);
  EXPECT_EQ(Bytes(b), kSecond + kThird);
  // Closing them now asks nothing more.
  manager.CloseDocuments(false);
  guitest::WaitUntil([] { return guitest::Documents().empty(); });
  EXPECT_TRUE(guitest::Documents().empty());
}

TEST_F(WTimeSheetDocumentTest, ClearAsksWithTheMessageForTheStateAndEmptiesOnlyOnClear) {
  const std::string path = WriteSheet("week.txt", {kFirst, kSecond});
  WTimeSheetDocument * document = Open(path);
  ASSERT_NE(document, nullptr);

  Prompts().AnswerDialog([](wxDialog & inDialog) {
    auto & dialog = dynamic_cast<WConfirmClearDialog &>(inDialog);
    EXPECT_FALSE(dialog.IsMergeForm());
    EXPECT_EQ(dialog.GetMessage(), "Are you sure that you want to clear the entire time sheet?");
    return static_cast<int>(wxID_CANCEL);
  });
  guitest::Command(WCommandIds::eClearTimeSheet);
  EXPECT_EQ(document->GetData().size(), 2u);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(ViewOf(*document)->GetSortByOrderInFileCount(), 0u);

  AppendTask(*document, kThird);
  Prompts().AnswerDialog(wxID_OK);
  guitest::Command(WCommandIds::eClearTimeSheet);
  ASSERT_EQ(Prompts().DialogMessageIds().size(), 2u);
  EXPECT_EQ(Prompts().DialogMessageIds()[0], 16448u);
  EXPECT_EQ(Prompts().DialogMessageIds()[1], 16449u);
  EXPECT_TRUE(document->GetData().empty());
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(document->GetData().GetDuration(), STime(0));
  EXPECT_EQ(ViewOf(*document)->GetSortByOrderInFileCount(), 1u);
  EXPECT_EQ(Bytes(path), kFirst + kSecond) << "clearing changes only the window until it is saved";
}

// ---- failures of the file layer --------------------------------------------------------

TEST_F(WTimeSheetDocumentTest, AFileHeldByAnotherProgramIsReportedAndNotOpened) {
  const std::string path = WriteSheet("held.txt", {kFirst, kSecond});
  ExclusiveFileHolder holder(path);
  ASSERT_TRUE(holder.IsHeld());
  Prompts().AnswerMessage(wxOK);
  EXPECT_EQ(Open(path), nullptr);
  holder.Release();
  guitest::Flush();
  EXPECT_TRUE(guitest::Documents().empty());
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].StartsWith("A file could not be opened")) << Prompts().Messages()[0];
  EXPECT_TRUE(Prompts().Messages()[0].Contains(W(path)));
  EXPECT_EQ(Bytes(path), kFirst + kSecond);
  // Once let go, it opens.
  EXPECT_NE(Open(path), nullptr);
}

TEST_F(WTimeSheetDocumentTest, ADiskThatFillsDuringSaveLeavesTheFileAndTheChangesAsTheyWere) {
  const std::string path = WriteSheet("week.txt", {kFirst, kSecond});
  WTimeSheetDocument * document = Open(path);
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kThird);
  SSystemCalls::FailNth(SSystemCalls::eWrite, 1, ENOSPC);
  Prompts().AnswerMessage(wxOK);
  guitest::Command(wxID_SAVE);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].StartsWith("The contents of a file could not be Written"))
      << Prompts().Messages()[0];
  EXPECT_EQ(Bytes(path), kFirst + kSecond);
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(document->GetData().size(), 3u);
  EXPECT_EQ(ViewOf(*document)->GetFileStatusCtrl()->GetIcon(), WFileStatusCtrl::eTouched);
  // No stray temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.path()), {}), 1);
  // The program carries on: the next save works.
  guitest::Command(wxID_SAVE);
  EXPECT_EQ(Bytes(path), kFirst + kSecond + kThird);
  EXPECT_FALSE(document->IsModified());
}

TEST_F(WTimeSheetDocumentTest, SavingIntoAFolderThatRefusesFilesIsReportedAndChangesNothing) {
  guitest::Command(wxID_NEW);
  WTimeSheetDocument * document = guitest::ActiveDocument();
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kFirst);
  const std::filesystem::path locked = mFolder.path() / "locked";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
#if !defined(_WIN32) // a read-only folder on Windows still takes new files: refuse as below
  if (::geteuid() == 0) // permissions do not stop the superuser: refuse the way the system would
#endif
    SSystemCalls::FailNth(SSystemCalls::eOpen, 1, EACCES);
  const std::string target = (locked / "week.txt").string();
  Prompts().ChooseFiles({target});
  Prompts().AnswerMessage(wxOK);
  guitest::Command(wxID_SAVEAS);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_TRUE(Prompts().Messages()[0].StartsWith("A File could not be created")) << Prompts().Messages()[0];
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(document->GetStream(), nullptr);
  EXPECT_TRUE(document->GetUserReadableName().StartsWith("Untitled"));
}

TEST_F(WTimeSheetDocumentTest, SavingOverAFileOpenInAnotherWindowIsRefusedAndLeavesItIntact) {
  const std::string other = WriteSheet("other.txt", {kSecond});
  ASSERT_NE(Open(other), nullptr);
  guitest::Command(wxID_NEW);
  WTimeSheetDocument * document = guitest::ActiveDocument();
  AppendTask(*document, kFirst);
  Prompts().ChooseFiles({other});
  Prompts().AnswerMessage(wxYES); // replace it?
  Prompts().AnswerMessage(wxOK);
  guitest::Command(wxID_SAVEAS);
  ASSERT_EQ(Prompts().Messages().size(), 2u);
  EXPECT_EQ(Prompts().Messages()[1],
            "The save operation failed: The file " + W(other) + " is open in another window: save and close it there first.");
  EXPECT_EQ(Bytes(other), kSecond);
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(document->GetStream(), nullptr);
}
