// The grouped list: rows from the group tree, group rows, the plus and minus boxes,
// opening and closing groups with the selection, and rows that stay in step with the tree.
#include <gtest/gtest.h>

#include <random>

#include "resources/WTreeBoxBitmaps.h"
#include "support/GuiTestSupport.h"
#include "view/TreeHarness.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

namespace {

// Who AB has three entries, CD two, EF two; in file order they are mixed.
const std::vector<std::string> kLines = {
    "01/02/2012\t1:00:00\tCD\t1\tX\tc1", "01/03/2012\t0:30:00\tAB\t2\tX\ta1", "01/04/2012\t2:00:00\tEF\t1\tY\te1",
    "01/05/2012\t0:15:00\tAB\t1\tY\ta2", "01/06/2012\t1:15:00\tCD\t2\tY\tc2", "01/07/2012\t3:00:00\tab\t2\tX\ta3",
    "01/08/2012\t0:45:00\tEF\t2\tX\te2",
};

} // namespace

TEST(WTreeListBox, GroupingShowsEveryGroupOpenWithItsEntriesBelowIt) {
  TreeHarness h(kLines);
  h.Group({STaskComparator::eWhoCode});
  ASSERT_EQ(h.tree->size(), 10u);
  EXPECT_EQ(h.Fault(), "");
  EXPECT_EQ(h.GroupRow("AB"), 0);
  EXPECT_EQ(h.GroupRow("CD"), 4);
  EXPECT_EQ(h.GroupRow("EF"), 7);
  EXPECT_EQ(h.tree->GroupRowText(0), "AB:  03:45:00");
  EXPECT_EQ(h.tree->GroupRowText(4), "CD:  02:15:00");
  EXPECT_EQ(h.tree->GroupRowText(1), "");
  for (std::size_t row : {1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
    EXPECT_EQ((*h.tree)[row].Type(), WTreeListBox::Element::eLeaf);
    EXPECT_EQ((*h.tree)[row].Level(), 1);
  }
  EXPECT_EQ(h.tree->GetSelection(), wxNOT_FOUND);

  // The box of a top group lies 5 pixels in and 3 down; entry rows have none.
  const wxRect row4 = h.tree->GetItemRect(4);
  EXPECT_EQ(h.tree->GetControlBox(4, false), wxRect(5, row4.y + 3, 9, 9));
  EXPECT_EQ(h.tree->GetControlBox(5, false), wxRect());
}

TEST(WTreeListBox, GroupTotalsShowAtLeastTwoHourDigitsAndAreNeverCapped) {
  TreeHarness h({"01/02/2012\t6000:00:00\tAB\t1\tX\tlong", "01/02/2012\t5000:00:00\tAB\t1\tX\tlonger",
                 "01/02/2012\t100:00:00\tCD\t1\tX\thundred", "01/02/2012\t0:05:00\t\t1\tX\tno one"});
  h.Group({STaskComparator::eWhoCode});
  EXPECT_EQ(h.tree->GroupRowText(static_cast<std::size_t>(h.GroupRow(""))), ":  00:05:00");
  EXPECT_EQ(h.tree->GroupRowText(static_cast<std::size_t>(h.GroupRow("AB"))), "AB:  11000:00:00");
  EXPECT_EQ(h.tree->GroupRowText(static_cast<std::size_t>(h.GroupRow("CD"))), "CD:  100:00:00");
}

TEST(WTreeListBox, CollapsingAndExpandingKeepTheSelection) {
  TreeHarness h(kLines);
  h.Group({STaskComparator::eWhoCode});
  // A selection inside the group moves to the group's row; one below moves up by the rows
  // hidden and back down when they show again; one above stays.
  const struct {
    int mSelected, mGroup, mCollapsed, mExpanded;
  } table[] = {{2, 0, 0, 0}, {8, 4, 6, 8}, {1, 4, 1, 1}};
  for (const auto & row : table) {
    SCOPED_TRACE(testing::Message() << "row " << row.mSelected << " in or near group " << row.mGroup);
    h.tree->SetSelection(row.mSelected);
    h.tree->Collapse(static_cast<std::size_t>(row.mGroup));
    EXPECT_EQ(h.tree->GetItemCount(), 10u - (row.mGroup == 0 ? 3u : 2u));
    EXPECT_EQ(h.tree->GetSelection(), row.mCollapsed);
    EXPECT_EQ(h.Fault(), "");
    h.tree->Expand(static_cast<std::size_t>(row.mGroup));
    EXPECT_EQ(h.tree->GetSelection(), row.mExpanded);
  }
  // Entry rows and rows out of range do nothing.
  h.tree->Collapse(1);
  h.tree->Expand(99);
  EXPECT_EQ(h.tree->size(), 10u);
  EXPECT_EQ(h.Fault(), "");
}

TEST(WTreeListBox, ClickingTheBoxTogglesAndClickingBesideItSelects) {
  TreeHarness h(kLines);
  h.Group({STaskComparator::eWhoCode});
  h.tree->SetSelection(9);
  Click(h.tree, h.Box(4));
  EXPECT_FALSE((*h.tree)[4].Branch().IsOpen());
  EXPECT_EQ(h.tree->size(), 8u);
  EXPECT_EQ(h.tree->GetSelection(), 7); // moved up with its rows, not selected anew

  // Beside the box: a selection, no toggle.
  const wxRect row = h.tree->GetItemRect(4);
  Click(h.tree, wxPoint(60, row.y + row.height / 2));
  EXPECT_EQ(h.tree->GetSelection(), 4);
  EXPECT_FALSE((*h.tree)[4].Branch().IsOpen());
  // On an entry row where a box would be: a selection.
  Click(h.tree, wxPoint(h.Box(4).x, h.tree->GetItemRect(1).y + 5));
  EXPECT_EQ(h.tree->GetSelection(), 1);
  EXPECT_TRUE((*h.tree)[0].Branch().IsOpen());

  // Each click of a double click toggles once.
  DoubleClick(h.tree, h.Box(4));
  EXPECT_FALSE((*h.tree)[4].Branch().IsOpen());
  EXPECT_EQ(h.Fault(), "");
  DoubleClick(h.tree, h.Box(0));
  EXPECT_TRUE((*h.tree)[0].Branch().IsOpen());
  EXPECT_EQ(h.Fault(), "");
}

TEST(WTreeListBox, AGroupRowShowsTheBoxThatMatchesItsState) {
  TreeHarness h(kLines);
  h.Group({STaskComparator::eWhoCode, STaskComparator::eJobNumber});
  const int sub = h.GroupRow("2", 1); // AB, job 2, a level-1 group
  ASSERT_GT(sub, 0);
  h.tree->Collapse(static_cast<std::size_t>(h.GroupRow("CD")));
  guitest::Flush();

  auto expectBox = [&](int inRow, const wxImage & inExpected) {
    const wxRect box = h.tree->GetControlBox(static_cast<std::size_t>(inRow), false);
    const wxImage shown = Capture(h.tree);
    int wrong = 0;
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 9; ++x) {
        wrong += shown.GetRed(box.x + x, box.y + y) != inExpected.GetRed(x, y) ||
                 shown.GetGreen(box.x + x, box.y + y) != inExpected.GetGreen(x, y) ||
                 shown.GetBlue(box.x + x, box.y + y) != inExpected.GetBlue(x, y);
      }
    }
    EXPECT_EQ(wrong, 0) << "row " << inRow;
  };
  const int ab = h.GroupRow("AB");
  const int cd = h.GroupRow("CD");
  EXPECT_EQ(h.tree->GetControlBox(static_cast<std::size_t>(sub), false).x, 16 + 5);
  expectBox(ab, WTreeBoxBitmaps::MinusImage());
  expectBox(cd, WTreeBoxBitmaps::PlusImage());
  expectBox(sub, WTreeBoxBitmaps::MinusImage());
}

TEST(WTreeListBox, RowsStayInStepWhileEntriesAreAppendedChangedAndCleared) {
  TreeHarness h(kLines);
  h.Group({STaskComparator::eWhoCode});
  h.tree->Collapse(static_cast<std::size_t>(h.GroupRow("CD")));
  h.tree->SetSelection(h.EntryRow(6)); // e2, in EF
  h.tree->Refresh();
  guitest::Flush();

  // Appends in a burst: rebuilt once they stop; the closed group stays closed, the
  // selection stays on its entry.
  Append(h.vector, {"02/01/2012\t1:00:00\tCD\t9\tZ\tc3", "02/02/2012\t1:00:00\tGH\t9\tZ\tg1",
                    "02/03/2012\t1:00:00\tAB\t9\tZ\ta4"});
  EXPECT_TRUE(h.tree->RowsPending());
  h.tree->Refresh();
  static_cast<wxWindow *>(h.tree)->Update(); // painting first brings the rows in step
  EXPECT_FALSE(h.tree->RowsPending());
  EXPECT_EQ(h.Fault(), "");
  EXPECT_FALSE((*h.tree)[static_cast<std::size_t>(h.GroupRow("CD"))].Branch().IsOpen());
  EXPECT_GE(h.GroupRow("GH"), 0);
  EXPECT_EQ(h.tree->GetSelection(), h.EntryRow(6));

  // A change that moves the selected entry to another group: the selection follows it.
  h.vector.set(std::size_t{6}, MakeTask("01/08/2012\t0:45:00\tAB\t2\tX\te2 moved"));
  ASSERT_TRUE(guitest::WaitUntil([&] { return !h.tree->RowsPending(); }));
  EXPECT_EQ(h.Fault(), "");
  EXPECT_EQ(h.tree->GetSelection(), h.EntryRow(6));
  EXPECT_EQ(h.tree->GroupRowText(static_cast<std::size_t>(h.GroupRow("AB"))), "AB:  05:30:00");

  // The selected entry's group closes: the selection stays on the group.
  h.tree->Collapse(static_cast<std::size_t>(h.GroupRow("AB")));
  h.vector.set(std::size_t{0}, MakeTask("01/02/2012\t2:00:00\tCD\t1\tX\tc1 longer"));
  ASSERT_TRUE(guitest::WaitUntil([&] { return !h.tree->RowsPending(); }));
  EXPECT_EQ(h.tree->GetSelection(), h.GroupRow("AB"));

  // Clearing empties the list; entries after that make a fresh tree.
  h.vector.clear();
  h.tree->Refresh();
  static_cast<wxWindow *>(h.tree)->Update();
  EXPECT_EQ(h.tree->GetItemCount(), 0u);
  EXPECT_EQ(h.Fault(), "");
  Append(h.vector, {kLines[1], kLines[2]});
  ASSERT_TRUE(guitest::WaitUntil([&] { return h.tree->GetItemCount() == 4u; }));
  EXPECT_EQ(h.Fault(), "");
}

TEST(WTreeListBox, RandomEditsNeverLeaveAStaleRow) {
  TreeHarness h(SampleLines(60, 21), wxSize(640, 300));
  h.Group({STaskComparator::eWhoCode, STaskComparator::eTimeCode});
  std::mt19937 random(2024);
  const std::vector<std::string> extra = SampleLines(200, 77);
  for (int step = 0; step < 120; ++step) {
    const unsigned action = random() % 10;
    if (action < 3 || h.vector.empty()) {
      const unsigned count = 1 + random() % 6;
      for (unsigned i = 0; i < count; ++i) {
        h.vector.push_back(MakeTask(extra[random() % extra.size()]));
      }
    } else if (action < 7) {
      h.vector.set(static_cast<std::size_t>(random() % h.vector.size()), MakeTask(extra[random() % extra.size()]));
    } else if (action < 9) {
      const auto begin = static_cast<std::size_t>(random() % h.vector.size());
      h.vector.erase(begin, std::min(h.vector.size(), begin + 1 + random() % 4));
    } else if (h.tree->GetItemCount() > 0) {
      // Open or close a random group, or select a random row.
      h.tree->SyncRows();
      const auto row = static_cast<std::size_t>(random() % h.tree->size());
      if ((*h.tree)[row].Type() == WTreeListBox::Element::eBranch) {
        if ((*h.tree)[row].Branch().IsOpen()) {
          h.tree->Collapse(row);
        } else {
          h.tree->Expand(row);
        }
      } else {
        h.tree->SetSelection(static_cast<int>(row));
      }
    }
    if (step % 3 == 0) {
      static_cast<wxWindow *>(h.tree)->Update();
    } else {
      h.tree->SyncRows();
    }
    ASSERT_EQ(h.Fault(), "") << "step " << step;
    const int selection = h.tree->GetSelection();
    ASSERT_LT(selection, static_cast<int>(h.tree->GetItemCount())) << "step " << step;
  }
}
