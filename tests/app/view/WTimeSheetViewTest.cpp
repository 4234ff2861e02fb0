// The time sheet view in the program: the Sort, Group and Ungroup commands, from the menu or
// the column header, and the panes they show; and the guide's pictures of both lists.
#include "controls/WHeaderCtrl.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/PaneHarness.h"
#include "windows/WMainWindow.h"

using namespace viewtest;

namespace {

// True when no row of the flat list sorts before the row above it by inField.
bool SortedBy(WTimeSheetView & inView, STaskComparator::EField inField) {
  const STaskComparator comparator(&inView.DocumentData().GetData(), inField);
  const WListListBox & list = *inView.ListBox();
  for (std::size_t row = 1; row < list.size(); ++row)
    if (comparator(list[row], list[row - 1]))
      return false;
  return true;
}

std::vector<std::string> TopHeadings(WTimeSheetView & inView) {
  std::vector<std::string> headings;
  inView.TreeBox()->SyncRows();
  for (const auto & element : *inView.TreeBox())
    if (element.Type() == WTreeListBox::Element::eBranch && element.Level() == 0)
      headings.push_back(element.Branch().Group().Heading());
  return headings;
}

std::vector<std::uint32_t> Order(WTimeSheetView & inView) {
  return {inView.ListBox()->begin(), inView.ListBox()->end()};
}

} // namespace

using WTimeSheetViewInApp = TimeSheetFixture;

TEST_F(WTimeSheetViewInApp, SortAndGroupByMenuOrHeaderSwitchPanesAndUngroupFollowsTheMode) {
  WTimeSheetView & view = View(Open(WriteSheet("Week 32.txt", SampleLines(250, 32))));
  ASSERT_TRUE(guitest::WaitUntil([&] { return view.ListBox()->GetItemCount() == 250u; }));
  EXPECT_FALSE(guitest::IsCommandEnabled(WCommandIds::eUngroup));
  // The pictures, in a window that fits the screen.
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 1000, 640);
  guitest::WaitUntil([&] { return view.GetPanel()->GetScreenRect().GetBottom() < 640; });
  guitest::Command(WCommandIds::eSortByDate);
  guitest::Flush();
  EXPECT_TRUE(SortedBy(view, STaskComparator::eDate));
  SaveScreenshot(&main, "app-flat");
  guitest::Command(WCommandIds::eGroupByWhoCode);
  EXPECT_TRUE(view.IsGrouped() && view.TreeBox()->IsShown() && !view.ListBox()->IsShown());
  EXPECT_TRUE(guitest::IsCommandEnabled(WCommandIds::eUngroup));
  guitest::Flush();
  SaveScreenshot(&main, "app-grouped");
  main.SetSize(place);
  EXPECT_EQ(TopHeadings(view), (std::vector<std::string>{"AB", "CD", "EF", "GH", "JK", "LM"}));
  WHeaderCtrl * header = view.HeaderControl();
  const auto middle = [&](int inItem) { return header->GetItemRect(inItem).GetPosition() + wxPoint(20, 10); };
  Click(header, middle(4)); // grouped, a click on a title groups by it
  EXPECT_EQ(TopHeadings(view), (std::vector<std::string>{"DEV", "DOC", "MTG", "SUP", "TRV"}));

  // A sort issued in tree mode shows the flat list sorted; Ungroup then changes nothing.
  guitest::Command(WCommandIds::eSortByJobNumber);
  EXPECT_TRUE(!view.IsGrouped() && view.ListBox()->IsShown() && !view.TreeBox()->IsShown());
  EXPECT_TRUE(SortedBy(view, STaskComparator::eJobNumber));
  const std::vector<std::uint32_t> order = Order(view);
  guitest::Command(WCommandIds::eUngroup);
  EXPECT_EQ(Order(view), order);
  // Ungroup from tree mode returns to the flat list as it was sorted.
  guitest::Command(WCommandIds::eGroupByDate);
  guitest::Command(WCommandIds::eUngroup);
  EXPECT_FALSE(view.IsGrouped());
  EXPECT_EQ(Order(view), order);
  for (int id = WCommandIds::eSortByDate; id <= WCommandIds::eSortByOrderInFile; ++id) {
    view.ListBox()->SelectRange(3, 7);
    guitest::Command(id);
    EXPECT_TRUE(SortedBy(view, static_cast<STaskComparator::EField>(id - WCommandIds::eSortByDate + 1))) << id;
    EXPECT_EQ(view.ListBox()->GetSelectedCount(), 0u) << "a sort clears the selection";
  }
  EXPECT_EQ(view.GetSortByOrderInFileCount(), 1u);
  Click(header, middle(1)); // flat, a click on a title sorts by it
  EXPECT_TRUE(SortedBy(view, STaskComparator::eDuration));
  EXPECT_EQ(header->GetSortMarkIndex(), 1);
}
