// The flat list: the selection as entries go, and its highlight.
#include <gtest/gtest.h>

#include <wx/settings.h>

#include "view/PaneHarness.h"

using namespace viewtest;

TEST(WListListBox, RemovingEntriesKeepsTheSelectionOnTheEntriesThatStayAndSelectedRowsAreHighlighted) {
  ListHarness h(SampleLines(10));
  h.pane->Sort(STaskComparator(&h.vector, STaskComparator::eNotOrderInFile)); // rows 9, 8, ..., 0
  const std::string kept = h.vector[7];
  h.pane->SelectRange(1, 3); // entries 8, 7, 6
  h.vector.erase(5, 7);      // removes entries 5 and 6; 7 becomes 5, 8 becomes 6
  EXPECT_EQ(h.pane->GetItemCount(), 8u);
  EXPECT_EQ(h.pane->GetSelectedCount(), 2u);
  EXPECT_TRUE(h.pane->IsSelected(1) && h.pane->IsSelected(2));
  EXPECT_EQ(std::string(h.pane->get(2)), kept);
  h.vector.clear();
  EXPECT_EQ(h.pane->GetItemCount(), 0u);
  EXPECT_EQ(h.pane->GetSelectedCount(), 0u);
  Append(h.vector, SampleLines(4));
  EXPECT_TRUE(guitest::WaitUntil([&] { return h.pane->GetItemCount() == 4u; }));

  // Selected rows are drawn in the highlight colour.
  h.pane->SelectRange(1, 2);
  h.pane->Refresh();
  guitest::Flush();
  const wxImage shown = Capture(h.pane);
  for (int row = 0; row < 4; ++row) {
    // Left of the first column nothing but the row's fill is drawn.
    const wxRect rect = h.pane->GetItemRect(static_cast<std::size_t>(row));
    const int x = 8, y = rect.y + rect.height / 2;
    EXPECT_EQ(wxColour(shown.GetRed(x, y), shown.GetGreen(x, y), shown.GetBlue(x, y)),
              wxSystemSettings::GetColour(row == 1 || row == 2 ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW))
        << "row " << row;
  }
}
