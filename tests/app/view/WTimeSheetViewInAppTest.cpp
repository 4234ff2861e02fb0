// The view inside the program: a time sheet opened from a file shows in it, and the main
// frame's menu commands reach it.
#include <gtest/gtest.h>

#include <fstream>

#include "application/WTallyworthApp.h"
#include "documents/WTimeSheetDocument.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"
#include "tasks/STaskComparator.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"

using namespace viewtest;

TEST(WTimeSheetViewInApp, AnOpenedFileShowsAndTheMenuCommandsReachTheView) {
  testsupport::TempDir folder;
  const std::string path = folder.file("Week 32.txt");
  {
    std::ofstream out(path, std::ios::binary);
    for (const std::string & line : SampleLines(250, 32)) {
      out << line << "\r\n";
    }
  }
  wxDocument * document = WTallyworthApp::Get().OpenDocumentFile(path);
  ASSERT_NE(document, nullptr);
  auto * view = dynamic_cast<WTimeSheetView *>(document->GetFirstView());
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(guitest::WaitUntil([&] { return view->ListBox()->GetItemCount() == 250u; }));
  EXPECT_FALSE(view->TreeBox()->GetPopulator().IsListening());
  EXPECT_FALSE(guitest::IsCommandEnabled(WCommandIds::eUngroup));
  EXPECT_TRUE(guitest::IsCommandEnabled(WCommandIds::eSortByDescription));

  // A window that fits the screen for the pictures.
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 1000, 640);
  guitest::WaitUntil([&] { return view->GetPanel()->GetScreenRect().GetBottom() < 640; });
  guitest::Command(WCommandIds::eSortByDate);
  guitest::Flush();
  const STaskComparator byDate(&view->DocumentData().GetData(), STaskComparator::eDate);
  EXPECT_FALSE(byDate(view->ListBox()->at(1), view->ListBox()->at(0)));
  EXPECT_FALSE(byDate(view->ListBox()->at(249), view->ListBox()->at(248)));
  SaveScreenshot(&main, "app-flat");
  guitest::Command(WCommandIds::eGroupByWhoCode);
  EXPECT_TRUE(view->IsGrouped());
  EXPECT_TRUE(guitest::IsCommandEnabled(WCommandIds::eUngroup));
  guitest::Flush();
  SaveScreenshot(&main, "app-grouped");
  main.SetSize(place);

  // Clearing the time sheet empties both panes and sorts the flat list by order in file.
  static_cast<WTimeSheetDocument *>(document)->ClearTimeSheet();
  guitest::Flush();
  EXPECT_EQ(view->ListBox()->GetItemCount(), 0u);
  EXPECT_EQ(view->TreeBox()->GetItemCount(), 0u);
  EXPECT_EQ(view->GetSortByOrderInFileCount(), 1u);
  EXPECT_FALSE(view->IsGrouped());
  const std::size_t open = guitest::Documents().size();
  document->Modify(false);
  document->GetDocumentManager()->CloseDocument(document, true);
  EXPECT_TRUE(guitest::WaitUntil([&] { return guitest::Documents().size() == open - 1; }));
  guitest::Flush();
}
