// The grouped list: group rows and totals, the boxes, the selection, rows in step.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "resources/WTreeBoxBitmaps.h"
#include "view/PaneHarness.h"

using namespace viewtest;

namespace {

// Who AB has three entries (one written "ab"), CD two, EF two; in file order they are mixed.
const std::vector<std::string> kLines = {
    "01/02/2012\t1:00:00\tCD\t1\tX\tc1", "01/03/2012\t0:30:00\tAB\t2\tX\ta1", "01/04/2012\t2:00:00\tEF\t1\tY\te1",
    "01/05/2012\t0:15:00\tAB\t1\tY\ta2", "01/06/2012\t1:15:00\tCD\t2\tY\tc2", "01/07/2012\t3:00:00\tab\t2\tX\ta3",
    "01/08/2012\t0:45:00\tEF\t2\tX\te2",
};

// Whether the box of row inRow shows exactly the picture inExpected.
bool BoxShows(TreeHarness & h, int inRow, const wxImage & inExpected) {
  const wxPoint box = h.pane->GetControlBox(static_cast<std::size_t>(inRow), false).GetPosition();
  const wxImage shown = Capture(h.pane).GetSubImage(wxRect(box, wxSize(9, 9)));
  return std::equal(shown.GetData(), shown.GetData() + 9 * 9 * 3, inExpected.GetData());
}

} // namespace

TEST(WTreeListBox, GroupsShowOpenWithTheirWholeTotalsAndCollapsingByCallOrClickKeepsTheSelection) {
  TreeHarness h(kLines);
  h.Group({STaskComparator::eWhoCode});
  ASSERT_EQ(h.pane->size(), 10u);
  EXPECT_EQ(h.Fault(), "");
  EXPECT_EQ(h.GroupRow("EF"), 7);
  EXPECT_EQ(h.pane->GroupRowText(0), "AB:  03:45:00");
  EXPECT_EQ(h.pane->GroupRowText(4), "CD:  02:15:00");

  // A selection inside the group moves to the group's row; one below moves up by the rows
  // hidden and back down when they show again; one above stays.
  const struct {
    int mSelected, mGroup, mCollapsed, mExpanded;
  } table[] = {{2, 0, 0, 0}, {8, 4, 6, 8}, {1, 4, 1, 1}};
  for (const auto & row : table) {
    SCOPED_TRACE(testing::Message() << "row " << row.mSelected << " in or near group " << row.mGroup);
    h.pane->SetSelection(row.mSelected);
    h.pane->Collapse(static_cast<std::size_t>(row.mGroup));
    EXPECT_EQ(h.pane->GetItemCount(), 10u - (row.mGroup == 0 ? 3u : 2u));
    EXPECT_EQ(h.pane->GetSelection(), row.mCollapsed);
    EXPECT_EQ(h.Fault(), "");
    h.pane->Expand(static_cast<std::size_t>(row.mGroup));
    EXPECT_EQ(h.pane->GetSelection(), row.mExpanded);
  }

  // A click on the box toggles and draws the state; a click beside it selects.
  h.pane->SetSelection(9);
  Click(h.pane, h.Box(4));
  EXPECT_FALSE(h.IsOpen(4));
  EXPECT_EQ(h.pane->size(), 8u);
  EXPECT_EQ(h.pane->GetSelection(), 7); // moved up with its rows, not selected anew
  guitest::Flush();
  EXPECT_TRUE(BoxShows(h, 4, WTreeBoxBitmaps::PlusImage()));
  EXPECT_TRUE(BoxShows(h, 0, WTreeBoxBitmaps::MinusImage()));

  // Beside the box, or on an entry row where a box would be: a selection, no toggle.
  const wxRect row = h.pane->GetItemRect(4);
  Click(h.pane, wxPoint(60, row.y + row.height / 2));
  EXPECT_EQ(h.pane->GetSelection(), 4);
  EXPECT_FALSE(h.IsOpen(4));
  Click(h.pane, wxPoint(h.Box(4).x, h.pane->GetItemRect(1).y + 5));
  EXPECT_EQ(h.pane->GetSelection(), 1);
  EXPECT_TRUE(h.IsOpen(0));

  // Each click of a double click toggles once.
  Click(h.pane, h.Box(4), true);
  EXPECT_FALSE(h.IsOpen(4));
  Click(h.pane, h.Box(0), true);
  EXPECT_TRUE(h.IsOpen(0));
  EXPECT_EQ(h.Fault(), "");

  // A group inside a group has its box one level further in.
  h.Group({STaskComparator::eWhoCode, STaskComparator::eJobNumber});
  guitest::Flush();
  const int sub = h.GroupRow("2", 1);
  EXPECT_EQ(h.pane->GetControlBox(static_cast<std::size_t>(sub), false).x, 16 + 5);
  EXPECT_TRUE(BoxShows(h, sub, WTreeBoxBitmaps::MinusImage()));

  // Totals keep at least two hour digits and are never capped.
  TreeHarness big({"01/02/2012\t6000:00:00\tAB\t1\tX\tlong", "01/02/2012\t5000:00:00\tAB\t1\tX\tlonger",
                   "01/02/2012\t100:00:00\tCD\t1\tX\thundred", "01/02/2012\t0:05:00\t\t1\tX\tno one"});
  big.Group({STaskComparator::eWhoCode});
  EXPECT_EQ(big.pane->GroupRowText(static_cast<std::size_t>(big.GroupRow(""))), ":  00:05:00");
  EXPECT_EQ(big.pane->GroupRowText(static_cast<std::size_t>(big.GroupRow("AB"))), "AB:  11000:00:00");
  EXPECT_EQ(big.pane->GroupRowText(static_cast<std::size_t>(big.GroupRow("CD"))), "CD:  100:00:00");
}

TEST(WTreeListBox, RandomEditsNeverLeaveAStaleRow) {
  TreeHarness h(SampleLines(60, 21), wxSize(640, 300));
  h.Group({STaskComparator::eWhoCode, STaskComparator::eTimeCode});
  std::mt19937 random(2024);
  const std::vector<std::string> extra = SampleLines(200, 77);
  const auto any = [&] { return MakeTask(extra[random() % extra.size()]); };
  for (int step = 0; step < 120; ++step) {
    const unsigned action = random() % 10;
    if (action < 3 || h.vector.empty()) {
      for (unsigned i = 0, count = 1 + random() % 6; i < count; ++i)
        h.vector.push_back(any());
    } else if (action < 7) {
      h.vector.set(static_cast<std::size_t>(random() % h.vector.size()), any());
    } else if (action < 9) {
      const auto begin = static_cast<std::size_t>(random() % h.vector.size());
      h.vector.erase(begin, std::min(h.vector.size(), begin + 1 + random() % 4));
    } else if (h.pane->GetItemCount() > 0) { // open or close a group, or select a row
      h.pane->SyncRows();
      const auto row = static_cast<std::size_t>(random() % h.pane->size());
      if ((*h.pane)[row].Type() != WTreeListBox::Element::eBranch)
        h.pane->SetSelection(static_cast<int>(row));
      else if (h.IsOpen(static_cast<int>(row)))
        h.pane->Collapse(row);
      else
        h.pane->Expand(row);
    }
    if (step % 3 == 0)
      static_cast<wxWindow *>(h.pane)->Update();
    else
      h.pane->SyncRows();
    ASSERT_EQ(h.Fault(), "") << "step " << step;
    ASSERT_LT(h.pane->GetSelection(), static_cast<int>(h.pane->GetItemCount())) << "step " << step;
  }
}
