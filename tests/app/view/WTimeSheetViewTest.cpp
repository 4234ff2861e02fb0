// The time sheet view: its two panes and modes, the Sort, Group and Ungroup commands, and
// column widths.
#include <gtest/gtest.h>

#include <wx/panel.h>

#include "controls/WInPlaceEdit.h"
#include "controls/WHeaderCtrl.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/GuiTestSupport.h"
#include "tasks/STaskComparator.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetView.h"

using namespace viewtest;

namespace {

// True when no row of the flat list sorts before the row above it by `inField`.
bool SortedBy(ViewFrame & f, STaskComparator::EField inField) {
  const STaskComparator comparator(&f.document.Data(), inField);
  const WListListBox & list = *f.view->ListBox();
  for (std::size_t row = 1; row < list.size(); ++row) {
    if (comparator(list[row], list[row - 1])) {
      return false;
    }
  }
  return true;
}

// The headings of the grouped list's top-level groups, in order.
std::vector<std::string> TopHeadings(ViewFrame & f) {
  std::vector<std::string> headings;
  WTreeListBox & tree = *f.view->TreeBox();
  tree.SyncRows();
  for (const auto & element : tree) {
    if (element.Type() == WTreeListBox::Element::eBranch && element.Level() == 0) {
      headings.push_back(element.Branch().Group().Heading());
    }
  }
  return headings;
}

} // namespace

TEST(WTimeSheetView, GroupAndSortCommandsSwitchPanesAndUngroupFollowsTheMode) {
  ViewFrame f(SampleLines(80));
  f.Command(WCommandIds::eGroupByWhoCode);
  EXPECT_TRUE(f.view->IsGrouped() && f.view->TreeBox()->IsShown() && !f.view->ListBox()->IsShown());
  EXPECT_TRUE(f.view->TreeBox()->GetPopulator().IsListening());
  EXPECT_TRUE(f.IsEnabled(WCommandIds::eUngroup));
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"AB", "CD", "EF", "GH", "JK", "LM"}));

  // Grouping again by another field regroups and stays in tree mode.
  f.Command(WCommandIds::eGroupByTimeCode);
  EXPECT_TRUE(f.view->IsGrouped());
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"DEV", "DOC", "MTG", "SUP", "TRV"}));

  // A sort issued in tree mode shows the flat list sorted; Ungroup then changes nothing.
  f.Command(WCommandIds::eSortByJobNumber);
  EXPECT_TRUE(!f.view->IsGrouped() && f.view->ListBox()->IsShown() && !f.view->TreeBox()->IsShown());
  EXPECT_FALSE(f.view->TreeBox()->GetPopulator().IsListening());
  EXPECT_TRUE(SortedBy(f, STaskComparator::eJobNumber));
  const std::vector<std::uint32_t> order(f.view->ListBox()->begin(), f.view->ListBox()->end());
  EXPECT_FALSE(f.IsEnabled(WCommandIds::eUngroup));
  f.Command(WCommandIds::eUngroup);
  EXPECT_FALSE(f.view->IsGrouped());
  EXPECT_EQ(std::vector<std::uint32_t>(f.view->ListBox()->begin(), f.view->ListBox()->end()), order);

  // Ungroup from tree mode returns to the flat list as it was sorted.
  f.Command(WCommandIds::eGroupByDate);
  f.Command(WCommandIds::eUngroup);
  EXPECT_FALSE(f.view->IsGrouped());
  EXPECT_EQ(std::vector<std::uint32_t>(f.view->ListBox()->begin(), f.view->ListBox()->end()), order);

  for (int id = WCommandIds::eSortByDate; id <= WCommandIds::eSortByOrderInFile; ++id) {
    f.Command(id);
    EXPECT_TRUE(SortedBy(f, static_cast<STaskComparator::EField>(id - 16416))) << id;
  }
  EXPECT_EQ(f.view->GetSortByOrderInFileCount(), 1u);
}

TEST(WTimeSheetView, WideningAColumnMovesTheOthersAndNarrowsDescription) {
  ViewFrame f(SampleLines(20));
  WHeaderCtrl * header = f.view->HeaderControl();
  const int description = f.view->Columns().mWidth[5];
  // Drag the divider between Date and Duration 10 pixels to the right.
  Mouse(header, wxEVT_LEFT_DOWN, wxPoint(76, 10));
  Mouse(header, wxEVT_MOTION, wxPoint(81, 10));
  EXPECT_EQ(f.view->Columns().mWidth[0], 81); // the lists follow the drag as it goes
  Mouse(header, wxEVT_MOTION, wxPoint(86, 10));
  Mouse(header, wxEVT_LEFT_UP, wxPoint(86, 10));
  EXPECT_EQ(f.view->Columns().mWidth[0], 86);
  const std::array<std::int32_t, 6> offsets{20, 106, 170, 218, 282, 330};
  EXPECT_EQ(f.view->Columns().mOffset, offsets);
  EXPECT_EQ(f.view->Columns().mWidth[5], description - 10);
  EXPECT_EQ(header->GetItemWidth(5), description - 10);

  // Description still ends at the window's right edge after the window changes size.
  f.frame->SetSize(f.frame->GetSize() + wxSize(50, 0));
  ASSERT_TRUE(guitest::WaitUntil([&] { return f.view->Columns().mWidth[5] == description + 40; }));
  const int panelWidth = f.view->GetPanel()->GetClientSize().x;
  EXPECT_EQ(f.view->Columns().mOffset[5] + f.view->Columns().mWidth[5], panelWidth);

  // The in-place edit box opens over the moved column.
  f.view->ListBox()->OpenInPlaceEdit(0, 1);
  ASSERT_NE(f.view->ListBox()->InPlaceEditControl(), nullptr);
  EXPECT_EQ(f.view->ListBox()->InPlaceEditControl()->GetPosition().x, 106 - 2);
  f.view->ListBox()->CancelInPlaceEdit();
  EXPECT_TRUE(guitest::WaitUntil([] { return wxWindow::GetCapture() == nullptr; }));
}

TEST(WTimeSheetView, ScreenshotsOfARealisticTimeSheet) {
  ViewFrame f(SampleLines(400, 2012), wxSize(760, 480));
  f.view->ListBox()->SelectRange(3, 4);
  f.Command(WCommandIds::eSortByDate);
  f.view->ListBox()->SelectRange(2, 3);
  guitest::Flush();
  SaveScreenshot(f.frame, "view-flat");
  f.Command(WCommandIds::eGroupByWhoCode);
  f.view->TreeBox()->Collapse(0);
  f.view->TreeBox()->SetSelection(2);
  guitest::Flush();
  SaveScreenshot(f.frame, "view-grouped");
  f.view->TreeBox()->Group(STaskComparator(STaskComparator::eWhoCode, STaskComparator::eJobNumber, STaskComparator::eNop,
                                           STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                                           STaskComparator::eNop, 2));
  guitest::Flush();
  SaveScreenshot(f.frame, "view-grouped-two-levels");
}
