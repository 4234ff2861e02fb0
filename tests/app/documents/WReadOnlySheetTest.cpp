// A sheet that cannot be written opens read-only, refuses changes, saves under another name.

#include <cerrno>
#include <filesystem>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "documents/WDocManager.h"
#include "panes/WListListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

const std::string kLines = guitest::Line("03/02/2026", "1:30", "AB", "1001", "10", "One") +
                           guitest::Line("03/29/2026", "2:00", "CD", "1002", "20", "Two");
const std::string kThird = guitest::Line("03/30/2026", "0:15", "EF", "1003", "30", "Three");

} // namespace

using WReadOnlySheetTest = TimeSheetFixture;

TEST_F(WReadOnlySheetTest, ItOpensRefusesChangesAndIsSavedOnlyUnderAnotherName) {
  const std::string path = WriteSheet("locked.txt", {kLines});
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  // Permissions do not stop the superuser (nor wine run by one): refuse writing as the
  // system would.
#if !defined(_WIN32)
  if (::geteuid() == 0)
#endif
    SSystemCalls::FailNth(SSystemCalls::eOpen, 1, EACCES);
  WTimeSheetDocument * document = Open(path);
  EXPECT_TRUE(document->IsReadOnly());
  EXPECT_EQ(document->GetTimeSheetWindow()->GetTitle(), "locked.txt (read-only)");
  EXPECT_EQ(guitest::MainWindow().GetTitle(), "Tallyworth - locked.txt (read-only)");

  // Editing in place, Merge and Clear are refused with a message, before any dialog.
  const wxString refusal =
      "The time sheet locked.txt is read-only and cannot be changed. Save it under another name to change the copy.";
  WListListBox * list = View(document).ListBox();
  for (int attempt : {0, 1, 2}) {
    Prompts().AnswerMessage(wxOK);
    if (attempt == 0)
      EXPECT_FALSE(list->OpenInPlaceEdit(0, 2));
    else
      guitest::Command(attempt == 1 ? WCommandIds::eFileMerge : WCommandIds::eClearTimeSheet);
    EXPECT_EQ(Prompts().mMessages, std::vector<wxString>{refusal});
    Prompts().ClearRecords();
  }
  EXPECT_EQ(list->InPlaceEditControl(), nullptr);
  EXPECT_EQ(document->GetData().size(), 2u);

  // Save asks for a name; its own name is refused.
  Prompts().ChooseFiles({path});
  Prompts().AnswerMessage(wxYES); // replace it?
  Prompts().AnswerMessage(wxOK);
  EXPECT_FALSE(document->Save());
  // It starts in the sheet's folder, with its name.
  EXPECT_EQ(Prompts().mFileDialogs, std::vector<wxString>{"Save As: " + W(mFolder.path().string()) + "/locked.txt"});
  ASSERT_EQ(Prompts().mMessages.size(), 2u);
  EXPECT_EQ(Prompts().mMessages[1],
            "The save operation failed: The file " + W(path) + " is read-only: save the time sheet under another name.");
  EXPECT_TRUE(document->IsReadOnly());

  // Under another name it is an ordinary time sheet from then on; its old file is untouched.
  const std::string copy = mFolder.file("copy.txt");
  Prompts().ChooseFiles({copy});
  EXPECT_TRUE(document->Save());
  EXPECT_EQ(Bytes(copy), kLines);
  EXPECT_FALSE(document->IsReadOnly());
  EXPECT_EQ(document->GetTimeSheetWindow()->GetTitle(), "copy.txt");
  EXPECT_EQ(guitest::DocManager().GetHistoryFile(0), W(copy));
  EXPECT_TRUE(list->OpenInPlaceEdit(0, 2));
  list->CancelInPlaceEdit();
  AppendTask(*document, kThird);
  guitest::Command(wxID_SAVE);
  EXPECT_EQ(Bytes(copy), kLines + kThird);
  EXPECT_EQ(Bytes(path), kLines);
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
}
