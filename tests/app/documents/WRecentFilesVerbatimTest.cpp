// Recent-file paths come back from the configuration exactly as they were stored: signs
// that look like environment variables are parts of file names.
#include <gtest/gtest.h>

#include <vector>

#include <wx/fileconf.h>

#include "application/WTallyworthApp.h"
#include "documents/WDocManager.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

TEST(WRecentFilesVerbatimTest, PathsWithDollarsPercentsAndBackslashesSurviveARestart) {
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
