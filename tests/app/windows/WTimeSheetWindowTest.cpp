// The time sheet window: its status line (texts, repainting, drawing), its smallest size
// and layout, and the file status icons.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <wx/dcmemory.h>
#include <wx/image.h>

#include "controls/WFileSettingsPopup.h"
#include "controls/WFileStatusCtrl.h"
#include "panes/WStatusBar.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

bool SameRegion(const wxImage & inFirst, const wxImage & inSecond, const wxRect & inRect) {
  for (int y = inRect.y; y < inRect.GetBottom(); ++y)
    for (int x = inRect.x; x < inRect.GetRight(); ++x)
      if (inFirst.GetRed(x, y) != inSecond.GetRed(x, y) || inFirst.GetGreen(x, y) != inSecond.GetGreen(x, y) ||
          inFirst.GetBlue(x, y) != inSecond.GetBlue(x, y))
        return false;
  return true;
}

wxImage RenderFileStatus(WFileStatusCtrl & inControl) {
  wxBitmap bitmap(20, 20);
  {
    wxMemoryDC dc(bitmap);
    inControl.DrawItem(dc, wxRect(0, 0, 20, 20));
  }
  return bitmap.ConvertToImage();
}

WTimeSheetWindow & WindowOf(WTimeSheetDocument & inDocument) { return *inDocument.GetTimeSheetWindow(); }

WFileStatusCtrl & FileStatusOf(WTimeSheetDocument & inDocument) {
  return *dynamic_cast<WTimeSheetView *>(inDocument.GetFirstView())->GetFileStatusCtrl();
}

} // namespace

using WTimeSheetWindowTest = TimeSheetFixture;

TEST_F(WTimeSheetWindowTest, DurationHasAtLeastTwoAndAtMostSixHourDigitsAndTheCountIsDecimal) {
  EXPECT_EQ(WTimeSheetWindow::DurationText(STime(0)), "00:00:00");
  EXPECT_EQ(WTimeSheetWindow::DurationText(STime(5 * 3600 + 90)), "05:01:30");
  EXPECT_EQ(WTimeSheetWindow::DurationText(STime(123 * 3600 + 59)), "123:00:59");
  EXPECT_EQ(WTimeSheetWindow::DurationText(STime(999999UL * 3600 + 3599)), "999999:59:59");
  EXPECT_EQ(WTimeSheetWindow::DurationText(STime(0xFFFFFFFFUL)), "1193046:28:15");
  EXPECT_EQ(WTimeSheetWindow::EntryCountText(0), "0");
  EXPECT_EQ(WTimeSheetWindow::EntryCountText(1234567), "1234567");
}

TEST_F(WTimeSheetWindowTest, StatusLineShowsTotalsAfterLoadMergeAndEdit) {
  guitest::Command(wxID_NEW);
  WTimeSheetDocument * fresh = guitest::ActiveDocument();
  ASSERT_NE(fresh, nullptr);
  WTimeSheetWindow & window = WindowOf(*fresh);
  using Texts = std::pair<wxString, wxString>;
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eDurationPane), Texts("Duration:", "00:00:00"));
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane), Texts("Entry Count:", "0"));
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eSettingsPane), Texts());
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eRestPane), Texts());

  // Merging 25 entries of 1:15 into the empty time sheet.
  WTallyworthApp::Get().WriteClearAfterMergeFlags(false, true, true);
  WStatusBar & status = window.GetTimeSheetStatusBar();
  const unsigned durationBefore = status.GetRefreshCount(WTimeSheetWindow::eDurationPane);
  Prompts().ChooseFiles({WriteSheetOf("many.txt", 25)});
  guitest::Command(WCommandIds::eFileMerge);
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "31:15:00");
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "25");
  EXPECT_EQ(status.GetRefreshCount(WTimeSheetWindow::eDurationPane), durationBefore + 25);

  // Changing one entry's duration repaints the duration pane only.
  const unsigned duration = status.GetRefreshCount(WTimeSheetWindow::eDurationPane);
  const unsigned count = status.GetRefreshCount(WTimeSheetWindow::eEntryCountPane);
  STaskDocumentData data(*fresh);
  const std::string line = guitest::Line("03/01/2026", "10:00", "AB", "100", "10", "Longer");
  const std::string text = line.substr(0, line.size() - 2);
  data.GetData().set(0, STask(SDateFormat(SDateFormat::eMDY), text.data(), static_cast<unsigned>(text.size())));
  EXPECT_EQ(status.GetRefreshCount(WTimeSheetWindow::eDurationPane), duration + 1);
  EXPECT_EQ(status.GetRefreshCount(WTimeSheetWindow::eEntryCountPane), count);
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "40:00:00");
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "25");

  // An insertion repaints both; a removal too.
  AppendTask(*fresh, line);
  EXPECT_EQ(status.GetRefreshCount(WTimeSheetWindow::eDurationPane), duration + 2);
  EXPECT_EQ(status.GetRefreshCount(WTimeSheetWindow::eEntryCountPane), count + 1);
  data.GetData().erase(0, 2);
  EXPECT_EQ(status.GetRefreshCount(WTimeSheetWindow::eEntryCountPane), count + 2);
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "24");
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "38:45:00");

  // A loaded file shows its own totals.
  const std::string path = WriteSheet("three.txt", {guitest::Line("03/02/2026", "1:30", "AB", "1", "1", "a"),
                                                    guitest::Line("03/02/2026", "2.5", "AB", "1", "1", "b"),
                                                    guitest::Line("03/02/2026", "0:15", "AB", "1", "1", "c")});
  WTimeSheetDocument * loaded = Open(path);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(WindowOf(*loaded).GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "04:15:00");
  EXPECT_EQ(WindowOf(*loaded).GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "3");
}

TEST_F(WTimeSheetWindowTest, FileStatusShowsUnchangedChangedAndNeverSaved) {
  WTimeSheetDocument * opened = Open(WriteSheetOf("week.txt", 2));
  ASSERT_NE(opened, nullptr);
  WFileStatusCtrl & status = FileStatusOf(*opened);
  EXPECT_FALSE(status.IsEnabled());
  EXPECT_EQ(status.GetSize(), wxSize(20, 20));
  EXPECT_EQ(status.GetIcon(), WFileStatusCtrl::eUntouched);
  const wxImage untouched = RenderFileStatus(status);
  unsigned requests = status.GetRepaintRequests();
  AppendTask(*opened, guitest::Line("03/09/2026", "1:00", "AB", "1", "1", "x"));
  EXPECT_EQ(status.GetIcon(), WFileStatusCtrl::eTouched);
  EXPECT_GT(status.GetRepaintRequests(), requests);
  const wxImage touched = RenderFileStatus(status);

  guitest::Command(wxID_NEW);
  WTimeSheetDocument * fresh = guitest::ActiveDocument();
  WFileStatusCtrl & freshStatus = FileStatusOf(*fresh);
  EXPECT_EQ(freshStatus.GetIcon(), WFileStatusCtrl::eUntouched);
  AppendTask(*fresh, guitest::Line("03/09/2026", "1:00", "AB", "1", "1", "x"));
  EXPECT_EQ(freshStatus.GetIcon(), WFileStatusCtrl::eNeverSaved);
  const wxImage neverSaved = RenderFileStatus(freshStatus);

  // Saving sends a stream and a dirty message, both repaint.
  requests = freshStatus.GetRepaintRequests();
  Prompts().ChooseFiles({mFolder.file("saved.txt")});
  guitest::Command(wxID_SAVE);
  EXPECT_GE(freshStatus.GetRepaintRequests(), requests + 2);
  EXPECT_EQ(freshStatus.GetIcon(), WFileStatusCtrl::eUntouched);

  // The three icons look different, on the same header background.
  const wxRect icon(2, 2, 16, 16);
  EXPECT_FALSE(SameRegion(untouched, touched, icon));
  EXPECT_FALSE(SameRegion(untouched, neverSaved, icon));
  EXPECT_FALSE(SameRegion(touched, neverSaved, icon));
  EXPECT_TRUE(SameRegion(untouched, RenderFileStatus(freshStatus), wxRect(0, 0, 20, 20)));
}
