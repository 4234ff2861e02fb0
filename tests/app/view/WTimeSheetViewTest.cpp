// The time sheet view: the Sort, Group and Ungroup commands, from the menu or the column
// header, and the panes they show; and the view in the program.
#include <gtest/gtest.h>

#include "controls/WHeaderCtrl.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/PaneHarness.h"
#include "windows/WMainWindow.h"
#include "views/WTimeSheetView.h"

using namespace viewtest;

namespace {

// True when no row of the flat list sorts before the row above it by inField.
bool SortedBy(ViewFrame & f, STaskComparator::EField inField) {
  const STaskComparator comparator(&f.document.Data(), inField);
  const WListListBox & list = *f.view->ListBox();
  for (std::size_t row = 1; row < list.size(); ++row)
    if (comparator(list[row], list[row - 1]))
      return false;
  return true;
}

std::vector<std::string> TopHeadings(ViewFrame & f) {
  std::vector<std::string> headings;
  f.view->TreeBox()->SyncRows();
  for (const auto & element : *f.view->TreeBox())
    if (element.Type() == WTreeListBox::Element::eBranch && element.Level() == 0)
      headings.push_back(element.Branch().Group().Heading());
  return headings;
}

std::vector<std::uint32_t> Order(ViewFrame & f) { return {f.view->ListBox()->begin(), f.view->ListBox()->end()}; }

} // namespace

TEST(WTimeSheetView, SortAndGroupByMenuOrHeaderSwitchPanesAndUngroupFollowsTheMode) {
  ViewFrame f(SampleLines(80));
  WHeaderCtrl * header = f.view->HeaderControl();
  const auto middle = [&](int inItem) { return header->GetItemRect(inItem).GetPosition() + wxPoint(20, 10); };
  f.Command(WCommandIds::eGroupByWhoCode);
  EXPECT_TRUE(f.view->IsGrouped() && f.view->TreeBox()->IsShown() && !f.view->ListBox()->IsShown());
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"AB", "CD", "EF", "GH", "JK", "LM"}));
  Click(header, middle(4)); // grouped, a click on a title groups by it
  EXPECT_EQ(TopHeadings(f), (std::vector<std::string>{"DEV", "DOC", "MTG", "SUP", "TRV"}));

  // A sort issued in tree mode shows the flat list sorted; Ungroup then changes nothing.
  f.Command(WCommandIds::eSortByJobNumber);
  EXPECT_TRUE(!f.view->IsGrouped() && f.view->ListBox()->IsShown() && !f.view->TreeBox()->IsShown());
  EXPECT_TRUE(SortedBy(f, STaskComparator::eJobNumber));
  const std::vector<std::uint32_t> order = Order(f);
  f.Command(WCommandIds::eUngroup);
  EXPECT_EQ(Order(f), order);
  // Ungroup from tree mode returns to the flat list as it was sorted.
  f.Command(WCommandIds::eGroupByDate);
  f.Command(WCommandIds::eUngroup);
  EXPECT_FALSE(f.view->IsGrouped());
  EXPECT_EQ(Order(f), order);
  for (int id = WCommandIds::eSortByDate; id <= WCommandIds::eSortByOrderInFile; ++id) {
    f.Command(id);
    EXPECT_TRUE(SortedBy(f, static_cast<STaskComparator::EField>(id - WCommandIds::eSortByDate + 1))) << id;
  }
  EXPECT_EQ(f.view->GetSortByOrderInFileCount(), 1u);
  Click(header, middle(1)); // flat, a click on a title sorts by it
  EXPECT_TRUE(SortedBy(f, STaskComparator::eDuration));
  EXPECT_EQ(header->GetSortMarkIndex(), 1);
}

// Inside the program: a sheet opened from a file shows, the main frame's commands reach its
// view, and the guide's pictures of the flat and the grouped list.
using WTimeSheetViewInApp = TimeSheetFixture;

TEST_F(WTimeSheetViewInApp, AnOpenedFileShowsAndTheMenuCommandsReachTheView) {
  WTimeSheetDocument * document = Open(WriteSheet("Week 32.txt", viewtest::SampleLines(250, 32)));
  ASSERT_NE(document, nullptr);
  WTimeSheetView & view = View(document);
  ASSERT_TRUE(guitest::WaitUntil([&] { return view.ListBox()->GetItemCount() == 250u; }));
  EXPECT_FALSE(guitest::IsCommandEnabled(WCommandIds::eUngroup));

  // A window that fits the screen for the pictures.
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 1000, 640);
  guitest::WaitUntil([&] { return view.GetPanel()->GetScreenRect().GetBottom() < 640; });
  guitest::Command(WCommandIds::eSortByDate);
  guitest::Flush();
  const STaskComparator byDate(&view.DocumentData().GetData(), STaskComparator::eDate);
  for (std::size_t row = 1; row < 250; ++row)
    ASSERT_FALSE(byDate(view.ListBox()->at(row), view.ListBox()->at(row - 1))) << row;
  viewtest::SaveScreenshot(&main, "app-flat");
  guitest::Command(WCommandIds::eGroupByWhoCode);
  EXPECT_TRUE(view.IsGrouped());
  EXPECT_TRUE(guitest::IsCommandEnabled(WCommandIds::eUngroup));
  guitest::Flush();
  viewtest::SaveScreenshot(&main, "app-grouped");
  main.SetSize(place);
}
