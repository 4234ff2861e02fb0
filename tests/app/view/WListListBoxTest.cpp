// The flat list: rows that follow the task vector, cells, sorting, and the selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/GuiTestSupport.h"
#include "tasks/STaskComparator.h"
#include "view/ListHarness.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

TEST(WListListBox, RowsAreSeventeenPixelsAndCellsComeFromTheColumns) {
  ListHarness h(SampleLines(3));
  EXPECT_EQ(h.list->GetItemRect(1), wxRect(0, 17, h.list->GetClientSize().x, 17));
  h.columns.SetDescriptionWidth(400);

  const wxRect row(0, 34, 600, 17);
  EXPECT_EQ(h.list->GetFieldRect(row, 0, false), wxRect(20, 34, 76, 17));
  EXPECT_EQ(h.list->GetFieldRect(row, 0, true), wxRect(24, 36, 68, 15));
  EXPECT_EQ(h.list->GetFieldRect(row, 4, true), wxRect(276, 36, 40, 15));
  // Description reaches past the row: its cell ends at the row's right edge.
  EXPECT_EQ(h.list->GetFieldRect(row, 5, false), wxRect(320, 34, 280, 17));
  EXPECT_EQ(h.list->GetFieldRect(row, 5, true), wxRect(324, 36, 276, 15));
  // A row narrower than a column's start gives an empty cell.
  EXPECT_EQ(h.list->GetFieldRect(wxRect(0, 0, 100, 17), 3, true).width, 0);

  EXPECT_EQ(h.list->ColumnAt(10), -1);
  EXPECT_EQ(h.list->ColumnAt(20), 0);
  EXPECT_EQ(h.list->ColumnAt(96), 0); // the shared edge belongs to the left column
  EXPECT_EQ(h.list->ColumnAt(97), 1);
  EXPECT_EQ(h.list->ColumnAt(719), 5);
  EXPECT_EQ(h.list->ColumnAt(721), -1);
}

TEST(WListListBox, AppendedEntriesAreCountedOnceTheBurstIsOver) {
  ListHarness h(SampleLines(5));
  EXPECT_EQ(h.list->GetItemCount(), 5u);
  Append(h.vector, SampleLines(300, 11));
  // Still the old count while the messages arrive; the map already holds every entry.
  EXPECT_EQ(h.list->GetItemCount(), 5u);
  EXPECT_EQ(h.list->size(), 305u);
  EXPECT_TRUE(guitest::WaitUntil([&] { return h.list->GetItemCount() == 305u; }));
  for (std::uint32_t position = 0; position < 305; ++position) {
    ASSERT_EQ(h.list->at(position), position);
  }
}

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
