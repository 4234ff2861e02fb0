// The document manager: Open with several files, and the recent-file list.

#include <filesystem>

#include <wx/config.h>
#include <wx/menu.h>

#include "documents/WDocManager.h"
#include "resources/WCommandIds.h"
#include "resources/WMenus.h"
#include "support/TimeSheetFixture.h"
#include "windows/WMainWindow.h"

using WDocManagerTest = TimeSheetFixture;

TEST_F(WDocManagerTest, OpenTakesSeveralFilesInTheDialogsOrderRefusesAVanishedOneAndActivatesOneAlreadyOpen) {
  const std::string a = WriteSheetOf("a.txt", 2), b = WriteSheetOf("b.txt", 3), c = WriteSheetOf("c.txt", 1);
  const std::string gone = mFolder.file("gone.txt");
  Prompts().ChooseFiles({b, a, gone, c});
  Prompts().AnswerMessage(wxOK);
  guitest::Command(wxID_OPEN);
  EXPECT_EQ(Prompts().mMessages, std::vector<wxString>{"The open operation failed: The file " + W(gone) +
                                                       " does not exist on disk."});
  auto documents = guitest::Documents();
  ASSERT_EQ(documents.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(documents[i]->GetFilename(), W(std::vector<std::string>{b, a, c}[i]));
  EXPECT_EQ(guitest::ActiveDocument(), documents[2]) << "the last one opened is in front";
  EXPECT_EQ(guitest::DocManager().GetHistoryFile(0), W(c));
  // Opening one again, with a new one, activates the open one when it comes last.
  Prompts().ChooseFiles({WriteSheetOf("d.txt", 4), b});
  guitest::Command(wxID_OPEN);
  guitest::Flush();
  EXPECT_EQ(guitest::Documents().size(), 4u);
  EXPECT_EQ(guitest::ActiveDocument(), documents[0]);
  EXPECT_EQ(guitest::MainWindow().GetTitle(), "Tallyworth - b.txt");
}

TEST_F(WDocManagerTest, FiftyRecentFilesEachOpenTheirOwnFileAndAMissingOneIsRefusedAndRemoved) {
  wxConfigBase::Get()->DeleteGroup("/Recent File List");
  WTallyworthApp::sMaxMRUCount = 50;
  WDocManager & manager = guitest::DocManager();
  manager.StartRecentFileList();
  std::vector<std::string> paths;
  for (int i = 0; i < 51; ++i) {
    paths.push_back(WriteSheetOf("sheet" + std::to_string(i) + ".txt", 1));
    manager.AddFileToHistory(W(paths.back()));
  }
  // The list holds the newest 50, each as an enabled menu item; the first file fell off.
  ASSERT_EQ(manager.GetHistoryFilesCount(), 50u);
  const auto menu = [] {
    auto * child = guitest::MainWindow().GetActiveChild();
    return WMenus::FindRecentFileMenu(*(child != nullptr ? child->GetMenuBar() : guitest::MainWindow().GetMenuBar()));
  };
  ASSERT_NE(menu(), nullptr);
  ASSERT_EQ(menu()->GetMenuItemCount(), 50u);
  // Every entry opens its own file, the 50th too. Opening moves an entry to the top and
  // the ones above it down by one, so entry i still holds the i-th file when it is chosen.
  for (int i = 0; i < 50; ++i) {
    EXPECT_TRUE(menu()->FindItemByPosition(static_cast<size_t>(i))->GetItemLabelText().EndsWith(W(paths[50 - i])));
    EXPECT_TRUE(guitest::IsCommandEnabled(WCommandIds::eFirstRecentFile + i));
    guitest::Command(WCommandIds::eFirstRecentFile + i);
    ASSERT_EQ(guitest::Documents().size(), static_cast<size_t>(i + 1)) << i;
    EXPECT_EQ(guitest::ActiveDocument()->GetFilename(), W(paths[50 - i])) << i;
  }
  guitest::CloseAllDocuments();

  // An entry whose file was deleted is refused with its full path and removed.
  const wxString missing = manager.GetHistoryFile(7);
  std::filesystem::remove(missing.utf8_string());
  Prompts().AnswerMessage(wxOK);
  guitest::Command(WCommandIds::eFirstRecentFile + 7);
  EXPECT_TRUE(guitest::Documents().empty());
  EXPECT_EQ(Prompts().mMessages, std::vector<wxString>{"The open operation failed: The file " + missing +
                                                       " does not exist on disk."});
  EXPECT_EQ(manager.GetHistoryFilesCount(), 49u);
  for (size_t i = 0; i < manager.GetHistoryFilesCount(); ++i)
    EXPECT_NE(manager.GetHistoryFile(i), missing);
  EXPECT_EQ(menu()->GetMenuItemCount(), 49u);
  EXPECT_FALSE(wxConfigBase::Get()->Exists("/Recent File List/File50"));
  wxConfigBase::Get()->DeleteGroup("/Recent File List");
  WTallyworthApp::sMaxMRUCount = 20;
  manager.StartRecentFileList();
}
