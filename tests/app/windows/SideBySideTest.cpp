// Time sheets tiled side by side or stacked, and the guide's picture of two side by side.

#include "documents/WDocManager.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

// Waits until inWindow is shown at a useful size and painted.
void WaitShown(wxWindow & inWindow) {
  EXPECT_TRUE(guitest::WaitUntil([&] { return inWindow.IsShownOnScreen() && inWindow.GetSize().x > 100; }));
  inWindow.Refresh();
  inWindow.Update();
  guitest::Flush();
}

} // namespace

using SideBySideTest = TimeSheetFixture;

TEST_F(SideBySideTest, TilingShowsSheetsSideBySideOrStacked) {
  using guitest::Line;
  // Accented names: one sheet in UTF-8, one in Windows-1252.
  WTimeSheetDocument * left = Open(WriteSheet(
      "left.txt", {Line("03/02/2026", "1:30", "\xC3\x89MILE", "4711", "A1", "Measurements"),
                   Line("03/03/2026", "2:00", "\xC3\x85SA", "4711", "B2", "\xC3\x89tude \xC3\xA0 part"),
                   Line("03/04/2026", "0:45", "JOS\xC3\x89", "815", "A1", "R\xC3\xA9union")}));
  WTimeSheetDocument * right = Open(WriteSheet(
      "right.txt", {Line("03/02/2026", "3:00", "JOS\xC9", "815", "C3", "Caf\xE9 visit"),
                    Line("03/05/2026", "1:00", "\xC5SA", "4711", "C3", "Na\xEFve estimate")}));
  WMainWindow & main = guitest::MainWindow();
  main.SetSize(wxRect(0, 0, 1000, 640));
  main.Raise();
  WTimeSheetWindow & a = *left->GetTimeSheetWindow();
  WTimeSheetWindow & b = *right->GetTimeSheetWindow();
  WaitShown(b);
  EXPECT_FALSE(a.IsShownOnScreen()) << "one sheet at a time before tiling";

  for (const bool sideBySide : {false, true}) {
    SCOPED_TRACE(sideBySide ? "side by side" : "stacked");
    guitest::Command(sideBySide ? wxID_MDI_WINDOW_TILE_VERT : wxID_MDI_WINDOW_TILE_HORZ);
    WaitShown(a);
    WaitShown(b);
    const wxRect ra = a.GetScreenRect();
    const wxRect rb = b.GetScreenRect();
    EXPECT_FALSE(ra.Intersects(rb));
    EXPECT_EQ(sideBySide ? ra.y : ra.x, sideBySide ? rb.y : rb.x);
    EXPECT_GT(std::min(ra.width, rb.width), sideBySide ? 300 : 800);
    EXPECT_GT(std::min(ra.height, rb.height), sideBySide ? 400 : 150);
    // The one in front stays in front, and both show their entries.
    EXPECT_EQ(guitest::ActiveDocument(), right);
    EXPECT_EQ(a.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "3");
    if (sideBySide)
      viewtest::SaveScreenshot(&main, "two-sheets-side-by-side");
  }
  // Closing a tiled sheet leaves the other whole.
  right->Modify(false);
  guitest::DocManager().CloseDocument(right, true);
  ASSERT_TRUE(guitest::WaitUntil([&] { return guitest::Documents().size() == 1; }));
  WaitShown(a);
  EXPECT_EQ(guitest::ActiveDocument(), left);
}
