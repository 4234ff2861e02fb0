// The Sort and Group By Other dialog: the drop rules of its lists, and choices that order
// and group a time sheet exactly as `tally show` does.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wx/uiaction.h>

#include "controls/WDragListBox.h"
#include "dialogs/WMultiLevelCompareDialog.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"

namespace {

using Codes = std::vector<int>;

// The dialog the program runs, shown as the modal loop would.
WMultiLevelCompareDialog & Shown(wxDialog & inDialog) {
  auto & dialog = dynamic_cast<WMultiLevelCompareDialog &>(inDialog);
  dialog.Move(100, 100);
  dialog.Show();
  guitest::WaitUntil([&] { return dialog.IsShownOnScreen(); });
  return dialog;
}

void Fill(WDragListBox & ioList, const Codes & inCodes) {
  ioList.DeleteAllItems();
  for (int code : inCodes)
    ioList.InsertItem(ioList.GetCount(), code);
}

// The middle of row inRow on screen; for the item count, a point below the last item.
wxPoint RowPoint(WDragListBox & inList, int inRow) {
  const int count = inList.GetCount();
  const wxRect row = inList.GetItemRect(std::min(inRow, count - 1));
  return inList.ClientToScreen(wxPoint(20, count == 0 ? 4 : inRow < count ? row.y + row.height / 2 : row.GetBottom() + 5));
}

// Drags row inFrom of inSource onto row inAt of inTarget through the drag steps. (This and the
// next two serve only the comparison with tally, which a build without tally leaves out.)
[[maybe_unused]] void Drag(WDragListBox & inSource, int inFrom, WDragListBox & inTarget, int inAt) {
  ASSERT_TRUE(inSource.BeginDrag(RowPoint(inSource, inFrom)));
  inSource.Dragging(RowPoint(inTarget, inAt));
  inSource.Dropped(RowPoint(inTarget, inAt));
}

// A real click on the direction arrow of row inRow.
[[maybe_unused]] void ClickArrow(WDragListBox & inList, int inRow) {
  wxUIActionSimulator mouse;
  mouse.MouseMove(inList.ClientToScreen(inList.GetButtonRect(inRow).GetPosition() + wxPoint(6, 6)));
  guitest::Flush();
  mouse.MouseDown();
  guitest::Flush();
  mouse.MouseUp();
  EXPECT_TRUE(guitest::WaitUntil([] { return wxWindow::GetCapture() == nullptr; }));
}

// Presses a button of the dialog as a click does; returns the dialog's result.
[[maybe_unused]] int Press(WMultiLevelCompareDialog & ioDialog, int inId = wxID_OK) {
  wxCommandEvent click(wxEVT_BUTTON, inId);
  ioDialog.FindWindow(inId)->GetEventHandler()->ProcessEvent(click);
  return ioDialog.GetReturnCode();
}

} // namespace

TEST(WMultiLevelCompareDialog, DropsFollowTheRulesAndShowWhereTheyWouldLand) {
  enum { eLeft, eRight, eOutside };
  const struct {
    const char * name;
    Codes left, right;
    int from, fromIndex, to, at;
    bool viaOutside;
    int bar;    // before the drop: the insert bar shown in the right list (-1: none),
    bool frame; // and the frame around the left list
    Codes leftAfter, rightAfter;
  } cases[] = {
      {"a field to the empty right list", {1, 2, 3, 4, 5, 6, 7}, {}, eLeft, 1, eRight, 0, false, 0, false, {1, 3, 4, 5, 6, 7}, {2}},
      {"a field below the last level", {1, 3, 4}, {2}, eLeft, 0, eRight, 1, false, 1, false, {3, 4}, {2, 1}},
      {"a level back among the fields", {1, 4, 5}, {2, 3}, eRight, 1, eLeft, 0, false, -1, true, {1, 3, 4, 5}, {2}},
      {"a descending level goes to the end", {1, 3, 4}, {-2}, eRight, 0, eLeft, 1, false, -1, true, {1, 3, 4, -2}, {}},
      {"and comes back descending", {1, 3, -2}, {}, eLeft, 2, eRight, 0, false, 0, false, {1, 3}, {-2}},
      {"within the field list", {1, 2, 3}, {}, eLeft, 0, eLeft, 2, false, -1, false, {1, 2, 3}, {}},
      {"within the field list after leaving both", {1, 2, 3}, {}, eLeft, 0, eLeft, 2, true, -1, true, {1, 2, 3}, {}},
      {"a level just below itself", {4}, {2, 3, 1}, eRight, 0, eRight, 1, false, 1, false, {4}, {2, 3, 1}},
      {"a level onto itself", {4}, {2, 3, 1}, eRight, 1, eRight, 1, false, 1, false, {4}, {2, 3, 1}},
      {"the last level to the top", {4}, {2, 3, 1}, eRight, 2, eRight, 0, false, 0, false, {4}, {1, 2, 3}},
      {"the first level below the last", {4}, {2, 3, -1}, eRight, 0, eRight, 3, false, 3, false, {4}, {3, -1, 2}},
      {"a level dropped outside both lists", {4}, {2, 3}, eRight, 0, eOutside, 0, false, -1, false, {4}, {2, 3}},
  };
  WMultiLevelCompareDialog dialog(WMultiLevelCompareDialog::eSortByOther, nullptr, false);
  Shown(dialog);
  WDragListBox & left = dialog.LeftList();
  WDragListBox & right = dialog.RightList();
  const wxPoint outside = dialog.ClientToScreen(wxPoint(2, 2));
  for (const auto & row : cases) {
    SCOPED_TRACE(row.name);
    Fill(left, row.left);
    Fill(right, row.right);
    WDragListBox & source = row.from == eLeft ? left : right;
    const wxPoint target = row.to == eOutside ? outside : RowPoint(row.to == eLeft ? left : right, row.at);
    ASSERT_TRUE(source.BeginDrag(RowPoint(source, row.fromIndex)));
    if (row.viaOutside) {
      EXPECT_EQ(source.Dragging(outside), wxCURSOR_NO_ENTRY);
    }
    source.Dragging(target);
    EXPECT_EQ(right.ShownInsertBar(), row.bar);
    EXPECT_EQ(left.ShowsTargetFrame(), row.frame);
    source.Dropped(target);
    EXPECT_EQ(left.Codes(), row.leftAfter);
    EXPECT_EQ(right.Codes(), row.rightAfter);
    EXPECT_EQ(right.ShownInsertBar(), -1);
    EXPECT_FALSE(left.ShowsTargetFrame());
  }
}

using WMultiLevelCompareDialogInApp = TimeSheetFixture;

TEST_F(WMultiLevelCompareDialogInApp, AChoiceOrdersAndGroupsAsTallyShowDoes) {
#ifndef TALLY_BINARY
  GTEST_SKIP() << "built without tally";
#else
  // tally reads a copy: the program holds the file it has open.
  const std::string path = mFolder.file("sheet.txt"), copy = mFolder.file("copy.txt");
  ASSERT_EQ(std::system((TALLY_GEN_TIMESHEET " 600 --seed 17 -o '" + path + "' && cp '" + path + "' '" + copy + "'").c_str()), 0);
  const auto tally = [&](const std::string & inOptions) {
    std::vector<std::string> lines;
    FILE * pipe = popen((std::string(TALLY_BINARY) + " show --format tsv '" + copy + "' " + inOptions).c_str(), "r");
    for (char buffer[4096]; pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr;)
      lines.emplace_back(buffer, std::strcspn(buffer, "\r\n"));
    if (pipe != nullptr)
      pclose(pipe);
    return lines;
  };
  WTimeSheetDocument * document = Open(path);
  WTimeSheetView & view = View(document);
  ASSERT_TRUE(guitest::WaitUntil([&] { return view.ListBox()->GetItemCount() == 600u; }));
  const STaskVector & tasks = document->GetData();

  // Sort by who, date descending, duration.
  Prompts().AnswerDialog([&](wxDialog & inDialog) {
    WMultiLevelCompareDialog & dialog = Shown(inDialog);
    Drag(dialog.LeftList(), 2, dialog.RightList(), 0); // Who Code
    Drag(dialog.LeftList(), 0, dialog.RightList(), 1); // Date
    Drag(dialog.LeftList(), 0, dialog.RightList(), 2); // Duration
    ClickArrow(dialog.RightList(), 1);
    EXPECT_EQ(dialog.RightList().Codes(), Codes({3, -1, 2}));
    return Press(dialog);
  });
  guitest::Command(WCommandIds::eSortByOther);
  EXPECT_FALSE(view.IsGrouped());
  const std::vector<std::string> sorted = tally("--sort who,-date,duration");
  ASSERT_EQ(sorted.size(), tasks.size());
  for (std::size_t row = 0; row < sorted.size(); ++row) {
    const STask expected = viewtest::MakeTask(sorted[row]);
    const STask & shown = tasks.at(view.ListBox()->at(row));
    ASSERT_TRUE(STask::CompareWhoCodes(shown, expected) == 0 && STask::CompareDates(shown, expected) == 0 &&
                STask::CompareDurations(shown, expected) == 0)
        << "row " << row << ": " << sorted[row];
  }

  // Group by who and job descending (a third level shown, then taken back).
  Prompts().AnswerDialog([&](wxDialog & inDialog) {
    WMultiLevelCompareDialog & dialog = Shown(inDialog);
    Drag(dialog.LeftList(), 2, dialog.RightList(), 0); // Who Code
    Drag(dialog.LeftList(), 2, dialog.RightList(), 1); // Job Number
    Drag(dialog.LeftList(), 0, dialog.RightList(), 2); // Date
    ClickArrow(dialog.RightList(), 1);
    Drag(dialog.RightList(), 2, dialog.LeftList(), 0);
    EXPECT_EQ(dialog.RightList().Codes(), Codes({3, -4}));
    return Press(dialog);
  });
  guitest::Command(WCommandIds::eGroupByOther);
  ASSERT_TRUE(view.IsGrouped());
  guitest::Flush();
  const std::vector<std::string> groups = tally("--group who,-job --summary");
  WTreeListBox & tree = *view.TreeBox();
  std::vector<std::string> shown;
  for (const auto & element : tree)
    if (element.Type() == WTreeListBox::Element::eBranch)
      shown.push_back(std::to_string(element.Level()) + "\t" + element.Branch().Group().Heading() + "\t" +
                      std::to_string(element.Branch().Group().TotalSeconds()));
  ASSERT_TRUE(!groups.empty() && shown.size() == groups.size()) << shown.size() << " groups, tally " << groups.size();
  for (std::size_t row = 0; row < shown.size(); ++row)
    EXPECT_EQ(groups[row].rfind(shown[row] + "\t", 0), 0u) << groups[row] << " shown as " << shown[row];

#endif
}
