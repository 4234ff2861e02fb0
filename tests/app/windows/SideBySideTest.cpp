// Several time sheets seen at once through the Window menu, and pictures of the main frame
// for a person to look at (build/screenshots).
#include <gtest/gtest.h>

#include "documents/WDocManager.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

void ShowMainFrame() {
  WMainWindow & main = guitest::MainWindow();
  main.SetSize(wxRect(0, 0, 1000, 640));
  main.Raise();
  guitest::Flush();
}

// Waits until inWindow shows its rows and is painted.
void WaitShown(wxWindow & inWindow) {
  EXPECT_TRUE(guitest::WaitUntil([&] { return inWindow.IsShownOnScreen() && inWindow.GetSize().x > 100; }));
  inWindow.Refresh();
  inWindow.Update();
  guitest::Flush();
}

} // namespace

using SideBySideTest = TimeSheetFixture;

TEST_F(SideBySideTest, TilingShowsSheetsSideBySideOrStackedAndCascadeShowsOneAgain) {
  using guitest::Line;
  // Accented names: one sheet in UTF-8, one in Windows-1252.
  WTimeSheetDocument * left = Open(WriteSheet(
      "left.txt", {Line("03/02/2026", "1:30", "\xC3\x89MILE", "4711", "A1", "Measurements"),
                   Line("03/03/2026", "2:00", "\xC3\x85SA", "4711", "B2", "\xC3\x89tude \xC3\xA0 part"),
                   Line("03/04/2026", "0:45", "JOS\xC3\x89", "815", "A1", "R\xC3\xA9union")}));
  ASSERT_NE(left, nullptr);
  ShowMainFrame();
  WaitShown(*left->GetTimeSheetWindow());
  viewtest::SaveScreenshot(&guitest::MainWindow(), "accented-names");
  WTimeSheetDocument * right = Open(WriteSheet(
      "right.txt", {Line("03/02/2026", "3:00", "JOS\xC9", "815", "C3", "Caf\xE9 visit"),
                    Line("03/05/2026", "1:00", "\xC5SA", "4711", "C3", "Na\xEFve estimate")}));
  ASSERT_NE(right, nullptr);
  WTimeSheetWindow & a = *left->GetTimeSheetWindow();
  WTimeSheetWindow & b = *right->GetTimeSheetWindow();
  WaitShown(b);
  EXPECT_FALSE(a.IsShownOnScreen()) << "one sheet at a time before tiling";
  EXPECT_TRUE(guitest::IsCommandEnabled(wxID_MDI_WINDOW_TILE_VERT));

  struct Arrangement {
    int command;
    const char * picture;
    bool sideBySide;
  };
  for (const Arrangement & arrangement : {Arrangement{wxID_MDI_WINDOW_TILE_VERT, "two-sheets-side-by-side", true},
                                          Arrangement{wxID_MDI_WINDOW_TILE_HORZ, "two-sheets-stacked", false}}) {
    SCOPED_TRACE(arrangement.picture);
    guitest::Command(arrangement.command);
    WaitShown(a);
    WaitShown(b);
    const wxRect ra = a.GetScreenRect();
    const wxRect rb = b.GetScreenRect();
    EXPECT_FALSE(ra.Intersects(rb));
    EXPECT_EQ(arrangement.sideBySide ? ra.y : ra.x, arrangement.sideBySide ? rb.y : rb.x);
    EXPECT_GT(std::min(ra.width, rb.width), arrangement.sideBySide ? 300 : 800);
    EXPECT_GT(std::min(ra.height, rb.height), arrangement.sideBySide ? 400 : 150);
    // The one in front stays in front, and both show their entries.
    EXPECT_EQ(guitest::ActiveDocument(), right);
    EXPECT_EQ(a.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "3");
    viewtest::SaveScreenshot(&guitest::MainWindow(), arrangement.picture);
  }

  guitest::Command(wxID_MDI_WINDOW_CASCADE);
  WaitShown(b);
  EXPECT_FALSE(a.IsShownOnScreen());
  EXPECT_EQ(guitest::ActiveDocument(), right);
  // Closing a tiled sheet leaves the other whole.
  guitest::Command(wxID_MDI_WINDOW_TILE_VERT);
  WaitShown(a);
  right->Modify(false);
  guitest::DocManager().CloseDocument(right, true);
  ASSERT_TRUE(guitest::WaitUntil([&] { return guitest::Documents().size() == 1; }));
  WaitShown(a);
  EXPECT_EQ(guitest::ActiveDocument(), left);
}

TEST_F(SideBySideTest, ALargeGroupedSheetShowsItsTotalsUncapped) {
  // Three people with 1,500 entries of 8 hours each: 12,000 hours per group.
  std::vector<std::string> lines;
  for (int i = 0; i < 4500; ++i)
    lines.push_back(guitest::Line("03/0" + std::to_string(1 + i % 9) + "/2026", "8:00", i % 3 == 0 ? "AB" : i % 3 == 1 ? "CD" : "EF",
                                  std::to_string(100 + i % 40), "A1", "Entry " + std::to_string(i)));
  WTimeSheetDocument * document = Open(WriteSheet("large.txt", lines));
  ASSERT_NE(document, nullptr);
  ShowMainFrame();
  guitest::Command(WCommandIds::eGroupByWhoCode);
  auto * view = dynamic_cast<WTimeSheetView *>(document->GetFirstView());
  ASSERT_NE(view, nullptr);
  WTreeListBox & tree = *view->TreeBox();
  WaitShown(tree);
  EXPECT_EQ(tree.GroupRowText(0), "AB:  12000:00:00");
  tree.Collapse(0);
  EXPECT_EQ(tree.GroupRowText(1), "CD:  12000:00:00");
  EXPECT_EQ(document->GetTimeSheetWindow()->GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "36000:00:00");
  WaitShown(tree);
  viewtest::SaveScreenshot(&guitest::MainWindow(), "large-grouped-sheet");
}
