// The flat list: rows that follow the task vector, cells, sorting, and the selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <wx/settings.h>

#include "support/GuiTestSupport.h"
#include "tasks/STaskComparator.h"
#include "view/ListHarness.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

TEST(WListListBox, AChangedEntryRedrawsTheRowThatShowsIt) {
  ListHarness h(SampleLines(12));
  // Reverse file order: entry i shows in row 11 - i.
  h.list->Sort(STaskComparator(&h.vector, STaskComparator::eNotOrderInFile));
  guitest::Flush();
  h.list->mRefreshed.clear();
  h.vector.set(std::size_t{2}, MakeTask("01/02/2012\t1:00:00\tZZ\t1\tX\tchanged"));
  EXPECT_EQ(h.list->mRefreshed, std::vector<std::size_t>{9});
  EXPECT_EQ(h.Field(9, STask::eDescription), "changed");
}

TEST(WListListBox, SortOrdersTheRowsByEachFieldAndClearsTheSelection) {
  ListHarness h(SampleLines(200, 3));
  for (int code = -7; code <= 7; ++code) {
    if (code == 0) {
      continue;
    }
    h.list->SelectRange(3, 7);
    const STaskComparator comparator(&h.vector, static_cast<STaskComparator::EField>(code));
    h.list->Sort(comparator);
    EXPECT_EQ(h.list->GetSelectedCount(), 0u) << "code " << code;
    ASSERT_EQ(h.list->size(), 200u);
    std::set<std::uint32_t> seen(h.list->begin(), h.list->end());
    EXPECT_EQ(seen.size(), 200u);
    for (std::size_t row = 1; row < h.list->size(); ++row) {
      // No row sorts before the one above it.
      ASSERT_FALSE(comparator((*h.list)[row], (*h.list)[row - 1])) << "code " << code << " row " << row;
    }
  }
}

TEST(WListListBox, RemovingEntriesKeepsTheSelectionOnTheEntriesThatStay) {
  ListHarness h(SampleLines(10));
  h.list->Sort(STaskComparator(&h.vector, STaskComparator::eNotOrderInFile)); // rows 9, 8, ..., 0
  const std::string kept = h.vector[7];
  h.list->SelectRange(1, 3); // entries 8, 7, 6
  h.vector.erase(5, 7);      // removes entries 5 and 6; 7 becomes 5, 8 becomes 6
  EXPECT_EQ(h.list->GetItemCount(), 8u);
  EXPECT_EQ(h.list->GetSelectedCount(), 2u);
  EXPECT_TRUE(h.list->IsSelected(1));
  EXPECT_TRUE(h.list->IsSelected(2));
  EXPECT_EQ(std::string(h.list->get(2)), kept);

  h.vector.clear();
  EXPECT_EQ(h.list->GetItemCount(), 0u);
  EXPECT_EQ(h.list->GetSelectedCount(), 0u);
  guitest::Flush();
  Append(h.vector, SampleLines(4));
  EXPECT_TRUE(guitest::WaitUntil([&] { return h.list->GetItemCount() == 4u; }));
}

TEST(WListListBox, SelectedRowsAreDrawnInTheHighlightColour) {
  ListHarness h(SampleLines(6));
  h.list->SelectRange(1, 2);
  h.list->Refresh();
  guitest::Flush();
  const wxImage shown = Capture(h.list);
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  for (int row = 0; row < 4; ++row) {
    // Left of the first column nothing but the row's fill is drawn.
    const wxRect rect = h.list->GetItemRect(static_cast<std::size_t>(row));
    const int x = 8, y = rect.y + rect.height / 2;
    const wxColour pixel(shown.GetRed(x, y), shown.GetGreen(x, y), shown.GetBlue(x, y));
    EXPECT_EQ(pixel, row == 1 || row == 2 ? highlight : window) << "row " << row;
  }
}
