// The time sheet view: its two panes and modes, the layout, the Sort, Group and Ungroup
// commands and their states, header clicks and column widths.
#include <gtest/gtest.h>

#include <wx/panel.h>

#include "controls/WFileStatusCtrl.h"
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

TEST(WTimeSheetView, StartsWithTheFlatListAndThePopulatorOff) {
  ViewFrame f(SampleLines(30));
  EXPECT_FALSE(f.view->IsGrouped());
  EXPECT_TRUE(f.view->ListBox()->IsShown());
  EXPECT_FALSE(f.view->TreeBox()->IsShown());
  EXPECT_FALSE(f.view->TreeBox()->GetPopulator().IsListening());
  EXPECT_EQ(f.view->ListBox()->GetItemCount(), 30u);
  for (int id = WCommandIds::eSortByDate; id <= WCommandIds::eSortByOrderInFile; ++id) {
    EXPECT_TRUE(f.IsEnabled(id)) << id;
  }
  for (int id = WCommandIds::eGroupByDate; id <= WCommandIds::eGroupByDescription; ++id) {
    EXPECT_TRUE(f.IsEnabled(id)) << id;
  }
  EXPECT_FALSE(f.IsEnabled(WCommandIds::eUngroup));
  EXPECT_TRUE(f.IsEnabled(wxID_PRINT));
  ASSERT_NE(f.view->GetFileStatusCtrl(), nullptr);
  EXPECT_EQ(f.view->HeaderControl()->GetItemText(0), "Date");
  EXPECT_EQ(f.view->HeaderControl()->GetItemText(5), "Description");
}

TEST(WTimeSheetView, LaysOutHeaderStatusAndPanesAndGivesDescriptionTheRest) {
  ViewFrame f(SampleLines(10));
  const wxSize client = f.view->GetPanel()->GetClientSize();
  EXPECT_EQ(f.view->ListBox()->GetRect(), wxRect(0, 20, client.x, client.y - 20));
  EXPECT_EQ(f.view->TreeBox()->GetRect(), wxRect(0, 20, client.x, client.y - 20));
  EXPECT_EQ(f.view->HeaderControl()->GetRect(), wxRect(20, 0, client.x - 20, 20));
  EXPECT_EQ(f.view->GetFileStatusCtrl()->GetRect(), wxRect(0, 0, 20, 20));
  EXPECT_EQ(f.view->Columns().mWidth[5], client.x - 20 - 300);
  EXPECT_EQ(f.view->HeaderControl()->GetItemWidth(5), client.x - 20 - 300);

  // A narrower window narrows Description, down to nothing.
  f.frame->SetSize(wxSize(300, 300));
  ASSERT_TRUE(guitest::WaitUntil([&] { return f.view->GetPanel()->GetClientSize().x < 320; }));
  EXPECT_EQ(f.view->Columns().mWidth[5], 0);
  EXPECT_EQ(f.view->Columns().mOffset[4], 272);
}

TEST(WTimeSheetView, SnapsItsFrameToWholeRows) {
  ViewFrame f(SampleLines(10));
  for (int height : {313, 320, 331}) {
    f.frame->SetSize(wxSize(600, height));
    guitest::Flush();
    const int rows = f.view->ListBox()->GetClientSize().y;
    EXPECT_EQ(rows % WListListBox::sRowHeight, 0) << "frame height " << height << ", list " << rows;
    EXPECT_LE(f.frame->GetSize().y, height);
    EXPECT_GT(f.frame->GetSize().y, height - WListListBox::sRowHeight);
  }
}

TEST(WTimeSheetView, GroupAndSortCommandsSwitchPanesAndUngroupFollowsTheMode) {
  ViewFrame f(SampleLines(80));
  f.Command(WCommandIds::eGroupByWhoCode);
  EXPECT_TRUE(f.view->IsGrouped());
  EXPECT_TRUE(f.view->TreeBox()->IsShown());
  EXPECT_FALSE(f.view->ListBox()->IsShown());
  EXPECT_TRUE(f.view->TreeBox()->GetPopulator().IsListening());
  EXPECT_TRUE(f.IsEnabled(WCommandIds::eUngroup));
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"AB", "CD", "EF", "GH", "JK", "LM"}));

  // Grouping again by another field regroups and stays in tree mode.
  f.Command(WCommandIds::eGroupByTimeCode);
  EXPECT_TRUE(f.view->IsGrouped());
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"DEV", "DOC", "MTG", "SUP", "TRV"}));

  // A sort issued in tree mode shows the flat list sorted; Ungroup then changes nothing.
  f.Command(WCommandIds::eSortByJobNumber);
  EXPECT_FALSE(f.view->IsGrouped());
  EXPECT_TRUE(f.view->ListBox()->IsShown());
  EXPECT_FALSE(f.view->TreeBox()->IsShown());
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

TEST(WTimeSheetView, ThePopulatorListensOnlyInTreeMode) {
  ViewFrame f(SampleLines(20));
  f.Command(WCommandIds::eGroupByWhoCode);
  Append(f.document.Data(), {"01/01/2012\t1:00:00\tZZ\t1\tX\tnew in tree mode"});
  ASSERT_TRUE(guitest::WaitUntil([&] { return !f.view->TreeBox()->RowsPending(); }));
  EXPECT_EQ(TopHeadings(f).back(), "ZZ");
  EXPECT_EQ(f.view->TreeBox()->GetItemCount(), f.view->TreeBox()->size());

  f.Command(WCommandIds::eUngroup);
  const std::size_t branches = f.view->TreeBox()->InternalTree().Branches().size();
  Append(f.document.Data(), {"01/01/2012\t1:00:00\tYY\t1\tX\tnew in list mode"});
  EXPECT_EQ(f.view->TreeBox()->InternalTree().Branches().size(), branches);
  ASSERT_TRUE(guitest::WaitUntil([&] { return f.view->ListBox()->GetItemCount() == 22u; }));
  f.document.Data().clear();
  guitest::Flush();

  // The next grouping sees everything there is.
  Append(f.document.Data(), {"01/01/2012\t1:00:00\tXX\t1\tX\tafter the clear"});
  f.Command(WCommandIds::eGroupByWhoCode);
  EXPECT_EQ(TopHeadings(f), std::vector<std::string>{"XX"});
  EXPECT_EQ(f.view->TreeBox()->GetItemCount(), 2u);
}

TEST(WTimeSheetView, HeaderClicksSortInListModeAndGroupInTreeMode) {
  ViewFrame f(SampleLines(60));
  WHeaderCtrl * header = f.view->HeaderControl();
  auto clickItem = [&](int inItem) {
    const wxRect rect = header->GetItemRect(inItem);
    Click(header, wxPoint(rect.x + rect.width / 2, 10));
  };
  clickItem(3);
  EXPECT_FALSE(f.view->IsGrouped());
  EXPECT_TRUE(SortedBy(f, STaskComparator::eJobNumber));
  clickItem(1);
  EXPECT_TRUE(SortedBy(f, STaskComparator::eDuration));

  f.Command(WCommandIds::eGroupByWhoCode);
  clickItem(4);
  EXPECT_TRUE(f.view->IsGrouped());
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"DEV", "DOC", "MTG", "SUP", "TRV"}));
  // The flat list kept its order meanwhile.
  EXPECT_TRUE(SortedBy(f, STaskComparator::eDuration));
  EXPECT_TRUE(guitest::WaitUntil([] { return wxWindow::GetCapture() == nullptr; }));
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
  const std::string flat = SaveScreenshot(f.frame, "view-flat");
  f.Command(WCommandIds::eGroupByWhoCode);
  f.view->TreeBox()->Collapse(0);
  f.view->TreeBox()->SetSelection(2);
  guitest::Flush();
  const std::string grouped = SaveScreenshot(f.frame, "view-grouped");
  f.Command(WCommandIds::eGroupByWhoCode);
  f.view->TreeBox()->InternalTree(); // two levels next
  f.view->TreeBox()->Group(STaskComparator(STaskComparator::eWhoCode, STaskComparator::eJobNumber, STaskComparator::eNop,
                                           STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                                           STaskComparator::eNop, 2));
  guitest::Flush();
  const std::string twoLevels = SaveScreenshot(f.frame, "view-grouped-two-levels");
  EXPECT_FALSE(flat.empty());
  EXPECT_FALSE(grouped.empty());
  EXPECT_FALSE(twoLevels.empty());
}
