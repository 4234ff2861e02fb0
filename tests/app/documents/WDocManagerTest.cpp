// The document manager: Open with several files, and the recent-file list.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/menu.h>
#include <wx/mdi.h>

#include "documents/WDocManager.h"
#include "resources/WCommandIds.h"
#include "resources/WMenus.h"
#include "support/TimeSheetFixture.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

wxString W(const std::string & inText) { return wxString::FromUTF8(inText); }

// The "Open Recent" sub-menu of the menu bar in force.
wxMenu * RecentMenu() {
  auto * child = guitest::MainWindow().GetActiveChild();
  wxMenuBar * bar = child != nullptr ? child->GetMenuBar() : guitest::MainWindow().GetMenuBar();
  return bar != nullptr ? WMenus::FindRecentFileMenu(*bar) : nullptr;
}

} // namespace

using WDocManagerTest = TimeSheetFixture;

TEST_F(WDocManagerTest, OpenTakesSeveralFilesInTheDialogsOrderAndActivatesOneAlreadyOpen) {
  const std::string a = WriteSheetOf("a.txt", 2);
  const std::string b = WriteSheetOf("b.txt", 3);
  const std::string c = WriteSheetOf("c.txt", 1);
  Prompts().ChooseFiles({b, a, c});
  guitest::Command(wxID_OPEN);
  auto documents = guitest::Documents();
  ASSERT_EQ(documents.size(), 3u);
  EXPECT_EQ(documents[0]->GetFilename(), W(b));
  EXPECT_EQ(documents[1]->GetFilename(), W(a));
  EXPECT_EQ(documents[2]->GetFilename(), W(c));
  EXPECT_EQ(documents[0]->GetData().size(), 3u);
  EXPECT_EQ(guitest::ActiveDocument(), documents[2]);
  // The newest is at the top of the recent-file list.
  EXPECT_EQ(guitest::DocManager().GetHistoryFile(0), W(c));
  EXPECT_EQ(guitest::DocManager().GetHistoryFile(1), W(a));

  // Opening one again activates its window instead.
  Prompts().ChooseFiles({b});
  guitest::Command(wxID_OPEN);
  EXPECT_EQ(guitest::Documents().size(), 3u);
  EXPECT_EQ(guitest::ActiveDocument(), documents[0]);
  EXPECT_EQ(guitest::MainWindow().GetTitle(), "Tallyworth - b.txt");

  // Cancelling the dialog changes nothing.
  Prompts().ChooseFiles({});
  guitest::Command(wxID_OPEN);
  EXPECT_EQ(guitest::Documents().size(), 3u);
  EXPECT_TRUE(Prompts().Messages().empty());
}

TEST_F(WDocManagerTest, AChosenFileThatVanishedIsRefusedAndTheOthersOpen) {
  const std::string a = WriteSheetOf("a.txt", 2);
  const std::string gone = mFolder.file("gone.txt");
  const std::string c = WriteSheetOf("c.txt", 1);
  Prompts().ChooseFiles({a, gone, c});
  Prompts().AnswerMessage(wxOK);
  guitest::Command(wxID_OPEN);
  EXPECT_EQ(guitest::Documents().size(), 2u);
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(Prompts().Messages()[0], "The open operation failed: The file " + W(gone) + " does not exist on disk.");
  EXPECT_FALSE(std::filesystem::exists(gone));
}

class WRecentFileTest : public TimeSheetFixture {
protected:
  void SetUp() override {
    TimeSheetFixture::SetUp();
    wxConfigBase::Get()->DeleteGroup("/Recent File List");
  }
  void TearDown() override {
    TimeSheetFixture::TearDown();
    wxConfigBase::Get()->DeleteGroup("/Recent File List");
    WTallyworthApp::sMaxMRUCount = 20;
    guitest::DocManager().StartRecentFileList();
  }
  void StartListWith(int inCount) {
    WTallyworthApp::sMaxMRUCount = inCount;
    guitest::DocManager().StartRecentFileList();
  }
};

TEST_F(WRecentFileTest, FiftyEntriesEachOpenTheirOwnFileAndAMissingOneIsRefusedAndRemoved) {
  StartListWith(50);
  WDocManager & manager = guitest::DocManager();
  EXPECT_EQ(manager.GetMaxRecentFiles(), 50u);
  // Opening adds to the list (see above); here the list is filled directly.
  std::vector<std::string> paths;
  for (int i = 0; i < 51; ++i) {
    paths.push_back(WriteSheetOf("sheet" + std::to_string(i) + ".txt", 1));
    manager.AddFileToHistory(W(paths.back()));
  }
  // The list holds the newest 50; the first file fell off.
  ASSERT_EQ(manager.GetHistoryFilesCount(), 50u);
  EXPECT_EQ(manager.GetHistoryFile(0), W(paths[50]));
  EXPECT_EQ(manager.GetHistoryFile(49), W(paths[1]));

  wxMenu * menu = RecentMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->GetMenuItemCount(), 50u);
  for (int i = 0; i < 50; ++i) {
    wxMenuItem * item = menu->FindItemByPosition(static_cast<size_t>(i));
    EXPECT_EQ(item->GetId(), WCommandIds::eFirstRecentFile + i);
    EXPECT_TRUE(item->GetItemLabelText().EndsWith(manager.GetHistoryFile(static_cast<size_t>(i))));
    EXPECT_TRUE(guitest::IsCommandEnabled(WCommandIds::eFirstRecentFile + i));
  }
  EXPECT_EQ(menu->FindItemByPosition(9)->GetItemLabel().BeforeFirst(' '), "&10");

  // Every entry opens its own file, the 50th too. Opening moves an entry to the top and
  // the ones above it down by one, so entry i still holds the i-th file when it is chosen.
  for (int i = 0; i < 50; ++i) {
    const wxString expected = manager.GetHistoryFile(static_cast<size_t>(i));
    EXPECT_EQ(expected, W(paths[50 - i]));
    guitest::Command(WCommandIds::eFirstRecentFile + i);
    ASSERT_EQ(guitest::Documents().size(), static_cast<size_t>(i + 1)) << i;
    ASSERT_NE(guitest::ActiveDocument(), nullptr);
    EXPECT_EQ(guitest::ActiveDocument()->GetFilename(), expected) << i;
  }
  guitest::CloseAllDocuments();
  EXPECT_TRUE(Prompts().Messages().empty());

  // An entry whose file was deleted is refused with its full path and removed.
  const size_t victim = 7;
  const wxString missing = manager.GetHistoryFile(victim);
  std::filesystem::remove(missing.utf8_string());
  Prompts().AnswerMessage(wxOK);
  guitest::Command(WCommandIds::eFirstRecentFile + static_cast<int>(victim));
  EXPECT_TRUE(guitest::Documents().empty());
  ASSERT_EQ(Prompts().Messages().size(), 1u);
  EXPECT_EQ(Prompts().Messages()[0], "The open operation failed: The file " + missing + " does not exist on disk.");
  EXPECT_EQ(manager.GetHistoryFilesCount(), 49u);
  for (size_t i = 0; i < manager.GetHistoryFilesCount(); ++i)
    EXPECT_NE(manager.GetHistoryFile(i), missing);
  EXPECT_EQ(RecentMenu()->GetMenuItemCount(), 49u);
  EXPECT_FALSE(wxConfigBase::Get()->Exists("/Recent File List/File50"));
}

// Signs that look like environment variables are parts of file names.
TEST(WRecentFilesVerbatim, PathsWithDollarsPercentsAndBackslashesSurviveARestart) {
  testsupport::TempDir folder;
  const wxString file = wxString::FromUTF8(folder.file("Tallyworth.conf"));
  const std::vector<wxString> paths = {
      "/data/$HOME/a.txt",     "/data/${USER}/b.txt", "/data/%PATH%/c.txt",
      "/data/back\\$slash.txt", "/data/${open/d.txt", "C:\\Users\\me\\week.txt",
  };
  WDocManager & manager = guitest::DocManager();
  const int count = WTallyworthApp::sMaxMRUCount;
  WTallyworthApp::sMaxMRUCount = 20;
  // Each configuration object stands for one run of the program on the same file.
  auto * first = new wxFileConfig("Tallyworth", "Quillmark", file, wxString(), wxCONFIG_USE_LOCAL_FILE);
  wxConfigBase * previous = wxConfigBase::Set(first);
  manager.StartRecentFileList();
  for (auto path = paths.rbegin(); path != paths.rend(); ++path)
    manager.AddFileToHistory(*path);
  auto * second = new wxFileConfig("Tallyworth", "Quillmark", file, wxString(), wxCONFIG_USE_LOCAL_FILE);
  wxConfigBase::Set(second);
  manager.StartRecentFileList();
  ASSERT_EQ(manager.GetHistoryFilesCount(), paths.size());
  for (size_t i = 0; i < paths.size(); ++i)
    EXPECT_EQ(manager.GetHistoryFile(i), paths[i]);

  wxConfigBase::Set(previous);
  delete first;
  delete second;
  WTallyworthApp::sMaxMRUCount = count;
  manager.StartRecentFileList();
}
