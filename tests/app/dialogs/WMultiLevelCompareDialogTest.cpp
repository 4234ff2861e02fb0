// The Sort By Other and Group By Other dialog: its two forms, every drop rule of its drag
// lists with the feedback shown on the way, the arrows and keys, and that a choice made in
// it orders and groups a time sheet exactly as `tally show` does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/uiaction.h>

#include "controls/WDragListBox.h"
#include "controls/WHeaderCtrl.h"
#include "dialogs/WMultiLevelCompareDialog.h"
#include "other/WModalRunner.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "resources/WImages.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetView.h"

namespace {

using Codes = std::vector<int>;

// The dialog the program runs, shown as the modal loop would.
WMultiLevelCompareDialog & Shown(wxDialog & inDialog) {
  auto & dialog = dynamic_cast<WMultiLevelCompareDialog &>(inDialog);
  dialog.Show();
  guitest::WaitUntil([&] { return dialog.IsShownOnScreen(); });
  return dialog;
}

std::unique_ptr<WMultiLevelCompareDialog> ShownDialog(bool inGrouping) {
  auto dialog = std::make_unique<WMultiLevelCompareDialog>(
      inGrouping ? WMultiLevelCompareDialog::eGroupByOther : WMultiLevelCompareDialog::eSortByOther, nullptr,
      inGrouping);
  dialog->Move(100, 100);
  Shown(*dialog);
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
  const int y = count == 0 ? 4 : inRow < count ? row.y + row.height / 2 : row.GetBottom() + 5;
  return inList.ClientToScreen(wxPoint(20, y));
}

wxPoint ArrowPoint(WDragListBox & inList, int inRow) {
  return inList.ClientToScreen(inList.GetButtonRect(inRow).GetPosition() + wxPoint(6, 6));
}

// Drags row inFrom of inSource onto row inAt of inTarget through the drag steps.
void Drag(WDragListBox & inSource, int inFrom, WDragListBox & inTarget, int inAt) {
  ASSERT_TRUE(inSource.BeginDrag(RowPoint(inSource, inFrom)));
  inSource.Dragging(RowPoint(inTarget, inAt));
  inSource.Dropped(RowPoint(inTarget, inAt));
}

// A real press at inDown and release at inUp (screen coordinates), with moves between.
void MouseDrag(const wxPoint & inDown, const wxPoint & inUp, bool inRelease = true) {
  wxUIActionSimulator mouse;
  mouse.MouseMove(inDown);
  guitest::Flush();
  mouse.MouseDown();
  for (int step = 0; step <= 4; ++step) {
    guitest::Flush();
    mouse.MouseMove(inDown + (inUp - inDown) * step / 4);
  }
  guitest::Flush();
  if (!inRelease)
    return;
  mouse.MouseUp();
  EXPECT_TRUE(guitest::WaitUntil([] { return wxWindow::GetCapture() == nullptr; }));
}

// Presses a button of the dialog as a click does; returns the dialog's result.
int Press(WMultiLevelCompareDialog & ioDialog, int inId = wxID_OK) {
  wxCommandEvent click(wxEVT_BUTTON, inId);
  ioDialog.FindWindow(inId)->GetEventHandler()->ProcessEvent(click);
  return ioDialog.GetReturnCode();
}

// The lines a command prints.
std::vector<std::string> OutputLines(const std::string & inCommand) {
  std::vector<std::string> lines;
  FILE * pipe = popen(inCommand.c_str(), "r");
  for (char buffer[4096]; pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr;) {
    lines.emplace_back(buffer);
    lines.back().erase(lines.back().find_last_not_of("\r\n") + 1);
  }
  if (pipe != nullptr)
    pclose(pipe);
  return lines;
}

} // namespace

TEST(WMultiLevelCompareDialog, BothFormsStartWithEveryFieldOnTheLeftAndOKOnlyWithALevel) {
  for (bool grouping : {false, true}) {
    auto dialog = ShownDialog(grouping);
    EXPECT_EQ(dialog->GetTitle(), grouping ? "Group By Other" : "Sort By Other");
    EXPECT_EQ(dialog->OKButton().GetLabel(), grouping ? "Group" : "Sort");
    EXPECT_EQ(dialog->LeftList().Codes(), grouping ? Codes({1, 2, 3, 4, 5, 6}) : Codes({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(dialog->OKButton().IsEnabled() || dialog->RightList().GetCount() > 0);
    dialog->LeftList().MoveToOther(6 - (grouping ? 1 : 0)); // the last field
    EXPECT_TRUE(dialog->OKButton().IsEnabled());
    EXPECT_EQ(Press(*dialog), wxID_OK);
    EXPECT_TRUE(dialog->GetComparator().Levels() == 1 &&
                dialog->GetComparator().Field(0) == (grouping ? STaskComparator::eDescription : STaskComparator::eOrderInFile));
    dialog->RightList().MoveToOther(0);
    EXPECT_FALSE(dialog->OKButton().IsEnabled());
  }
}

TEST(WMultiLevelCompareDialog, ArrowsPointUpForAscendingAndDownForDescending) {
  for (unsigned id : {WImages::eAscendingArrow, WImages::eAscendingArrowPressed, WImages::eDescendingArrow,
                      WImages::eDescendingArrowPressed}) {
    // The dark pixels of each row of the arrow: the point is the shortest row.
    const wxImage image = WImages::Get(id).ConvertToImage();
    std::vector<int> rows;
    for (int y = 2, dark = 0; y < image.GetHeight() - 2; ++y, dark = 0) {
      for (int x = 2; x < image.GetWidth() - 2; ++x)
        dark += image.GetRed(x, y) < 60 ? 1 : 0;
      if (dark > 0)
        rows.push_back(dark);
    }
    const bool up = id == WImages::eAscendingArrow || id == WImages::eAscendingArrowPressed;
    EXPECT_TRUE(rows.size() > 2 && (rows.front() < rows.back()) == up) << id;
  }
}

TEST(WMultiLevelCompareDialog, DropsFollowTheRulesAndShowWhereTheyWouldLand) {
  enum { eLeft, eRight, eOutside };
  struct Case {
    const char * name;
    Codes left, right;
    int from, fromIndex, to, at;
    bool viaOutside;
    int bar;    // before the drop: the insert bar shown in the right list (-1: none),
    bool frame; // and the frame around the left list
    Codes leftAfter, rightAfter;
  };
  const Codes all = {1, 2, 3, 4, 5, 6, 7};
  const Case cases[] = {
      {"a field to the empty right list", all, {}, eLeft, 1, eRight, 0, false, 0, false, {1, 3, 4, 5, 6, 7}, {2}},
      {"a field below the last level", {1, 3, 4}, {2}, eLeft, 0, eRight, 1, false, 1, false, {3, 4}, {2, 1}},
      {"a level back among the fields", {1, 4, 5}, {2, 3}, eRight, 1, eLeft, 0, false, -1, true, {1, 3, 4, 5}, {2}},
      {"a descending level goes to the end", {1, 3, 4}, {-2}, eRight, 0, eLeft, 1, false, -1, true, {1, 3, 4, -2}, {}},
      {"and comes back descending", {1, 3, -2}, {}, eLeft, 2, eRight, 0, false, 0, false, {1, 3}, {-2}},
      {"within the field list", all, {}, eLeft, 0, eLeft, 4, false, -1, false, all, {}},
      {"within the field list after leaving both", all, {}, eLeft, 0, eLeft, 4, true, -1, true, all, {}},
      {"a level just below itself", {4}, {2, 3, 1}, eRight, 0, eRight, 1, false, 1, false, {4}, {2, 3, 1}},
      {"a level onto itself", {4}, {2, 3, 1}, eRight, 1, eRight, 1, false, 1, false, {4}, {2, 3, 1}},
      {"the last level to the top", {4}, {2, 3, 1}, eRight, 2, eRight, 0, false, 0, false, {4}, {1, 2, 3}},
      {"the first level below the last", {4}, {2, 3, -1}, eRight, 0, eRight, 3, false, 3, false, {4}, {3, -1, 2}},
      {"a level dropped outside both lists", {4}, {2, 3}, eRight, 0, eOutside, 0, false, -1, false, {4}, {2, 3}},
  };
  auto dialog = ShownDialog(false);
  WDragListBox & left = dialog->LeftList();
  WDragListBox & right = dialog->RightList();
  const wxPoint outside = dialog->ClientToScreen(wxPoint(2, 2));
  for (const Case & row : cases) {
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

TEST(WMultiLevelCompareDialog, TheMouseDragsAndTurnsArrowsAndTheKeysDoTheSame) {
  auto dialog = ShownDialog(false);
  WDragListBox & left = dialog->LeftList();
  WDragListBox & right = dialog->RightList();
  MouseDrag(RowPoint(left, 1), RowPoint(right, 0)); // Duration
  MouseDrag(RowPoint(left, 0), RowPoint(right, 1)); // Date
  ASSERT_EQ(right.Codes(), Codes({2, 1}));
  EXPECT_EQ(left.Codes(), Codes({3, 4, 5, 6, 7}));
  MouseDrag(ArrowPoint(right, 1), ArrowPoint(right, 1));
  EXPECT_EQ(right.Codes(), Codes({2, -1})) << "a click on the arrow turns it around";
  MouseDrag(ArrowPoint(right, 1), RowPoint(left, 0));
  EXPECT_EQ(right.Codes(), Codes({2, -1})) << "a release outside the arrow changes nothing";
  EXPECT_FALSE(right.IsDragging());

  // Escape ends a drag without a change, and leaves the dialog open.
  MouseDrag(RowPoint(left, 0), RowPoint(right, 0), false);
  ASSERT_TRUE(left.IsDragging());
  viewtest::CharHook(&left, WXK_ESCAPE);
  EXPECT_FALSE(left.IsDragging());
  wxUIActionSimulator().MouseUp();
  EXPECT_TRUE(guitest::WaitUntil([] { return wxWindow::GetCapture() == nullptr; }));
  EXPECT_EQ(right.Codes(), Codes({2, -1}));
  EXPECT_TRUE(dialog->IsShown());

  // Return moves the selected item across, Space turns a level, a double click brings
  // a level back among the fields.
  left.SetSelection(0);
  viewtest::CharHook(&left, WXK_RETURN);
  EXPECT_EQ(right.Codes(), Codes({2, -1, 3}));
  EXPECT_EQ(left.GetSelection(), 0) << "the next field is ready to go";
  right.SetSelection(0);
  viewtest::CharHook(&right, WXK_SPACE);
  EXPECT_EQ(right.Codes(), Codes({-2, -1, 3}));
  viewtest::DoubleClick(&right, right.ScreenToClient(RowPoint(right, 1)));
  EXPECT_EQ(right.Codes(), Codes({-2, 3}));
  EXPECT_EQ(left.Codes(), Codes({4, 5, 6, 7, -1}));
}

using WMultiLevelCompareDialogInApp = TimeSheetFixture;

TEST_F(WMultiLevelCompareDialogInApp, AChoiceOrdersAndGroupsAsTallyShowDoes) {
#ifndef TALLY_BINARY
  GTEST_SKIP() << "built without tally";
#else
  const std::string path = mFolder.file("sheet.txt");
  // tally reads a copy: the program holds the file it has open.
  const std::string copy = mFolder.file("copy.txt");
  const std::string tally = std::string(TALLY_BINARY) + " show --format tsv '" + copy + "' ";
  ASSERT_EQ(std::system((TALLY_GEN_TIMESHEET " 600 --seed 17 -o '" + path + "' && cp '" + path + "' '" + copy + "'").c_str()), 0);
  WTimeSheetDocument * document = Open(path);
  auto * view = document != nullptr ? dynamic_cast<WTimeSheetView *>(document->GetFirstView()) : nullptr;
  ASSERT_TRUE(view != nullptr && guitest::WaitUntil([&] { return view->ListBox()->GetItemCount() == 600u; }));
  const STaskVector & tasks = view->DocumentData().GetData();

  // Sort by who, date descending, duration.
  Prompts().AnswerDialog([&](wxDialog & inDialog) {
    WMultiLevelCompareDialog & dialog = Shown(inDialog);
    Drag(dialog.LeftList(), 2, dialog.RightList(), 0); // Who Code
    Drag(dialog.LeftList(), 0, dialog.RightList(), 1); // Date
    Drag(dialog.LeftList(), 0, dialog.RightList(), 2); // Duration
    MouseDrag(ArrowPoint(dialog.RightList(), 1), ArrowPoint(dialog.RightList(), 1));
    EXPECT_EQ(dialog.RightList().Codes(), Codes({3, -1, 2}));
    viewtest::SaveScreenshot(&dialog, "sort-by-other");
    return Press(dialog);
  });
  guitest::Command(WCommandIds::eSortByOther);
  EXPECT_FALSE(view->IsGrouped());
  const std::vector<std::string> sorted = OutputLines(tally + "--sort who,-date,duration");
  ASSERT_EQ(sorted.size(), tasks.size());
  for (std::size_t row = 0; row < sorted.size(); ++row) {
    const STask expected = viewtest::MakeTask(sorted[row]);
    const STask & shown = tasks.at(view->ListBox()->at(row));
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
    MouseDrag(ArrowPoint(dialog.RightList(), 1), ArrowPoint(dialog.RightList(), 1));
    viewtest::SaveScreenshot(&dialog, "group-by-other");
    Drag(dialog.RightList(), 2, dialog.LeftList(), 0);
    EXPECT_EQ(dialog.RightList().Codes(), Codes({3, -4}));
    return Press(dialog);
  });
  guitest::Command(WCommandIds::eGroupByOther);
  ASSERT_TRUE(view->IsGrouped());
  guitest::Flush();
  const std::vector<std::string> groups = OutputLines(tally + "--group who,-job --summary");
  WTreeListBox & tree = *view->TreeBox();
  std::vector<std::string> shown;
  for (std::size_t row = 0; row < tree.size(); ++row) {
    const auto & element = tree[row];
    if (element.Type() == WTreeListBox::Element::eBranch)
      shown.push_back(std::to_string(element.Level()) + "\t" + element.Branch().Group().Heading() + "\t" +
                      std::to_string(element.Branch().Group().TotalSeconds()));
  }
  ASSERT_TRUE(!groups.empty() && shown.size() == groups.size()) << shown.size() << " groups, tally " << groups.size();
  for (std::size_t row = 0; row < shown.size(); ++row)
    EXPECT_EQ(groups[row].rfind(shown[row] + "\t", 0), 0u) << groups[row] << " shown as " << shown[row];
#endif
}

TEST_F(WMultiLevelCompareDialogInApp, TheDialogOutlivesItsFirstWindowAndCancelChangesNothing) {
  // Answered inside the real modal loop.
  WModalRunner::SetRunner({});
  const auto answer = [](std::function<void(WMultiLevelCompareDialog &)> inAnswer) {
    wxTheApp->CallAfter([inAnswer] { inAnswer(*WTallyworthApp::sSortDialog); });
  };
  WTimeSheetDocument * first = Open(WriteSheetOf("first.txt", 3));
  ASSERT_NE(first, nullptr);
  answer([](WMultiLevelCompareDialog & ioDialog) {
    Fill(ioDialog.RightList(), {});
    Fill(ioDialog.LeftList(), {1, 2, 3, 4, 5, 6, 7});
    ioDialog.LeftList().MoveToOther(3); // Job Number
    ioDialog.RightList().ToggleDirection(0);
    Press(ioDialog);
  });
  guitest::Command(WCommandIds::eSortByOther);
  const WHeaderCtrl * header = dynamic_cast<WTimeSheetView *>(first->GetFirstView())->HeaderControl();
  EXPECT_EQ(dynamic_cast<WTimeSheetView *>(first->GetFirstView())->ListBox()->at(0), 2u) << "job numbers descending";
  EXPECT_TRUE(header->GetSortMarkIndex() == 3 && header->IsSortMarkDescending());
  guitest::CloseAllDocuments();

  WTimeSheetDocument * second = Open(WriteSheetOf("second.txt", 3));
  ASSERT_NE(second, nullptr);
  auto * view = dynamic_cast<WTimeSheetView *>(second->GetFirstView());
  view->OnGroup(WCommandIds::eGroupByWhoCode);
  answer([](WMultiLevelCompareDialog & ioDialog) {
    EXPECT_EQ(ioDialog.RightList().Codes(), Codes({-4})) << "the lists as the last use left them";
    ioDialog.RightList().MoveToOther(0);
    Press(ioDialog, wxID_CANCEL);
  });
  guitest::Command(WCommandIds::eSortByOther);
  EXPECT_TRUE(view->IsGrouped()) << "Cancel leaves the mode";
  EXPECT_EQ(view->ListBox()->at(0), 0u) << "and the order";
  EXPECT_EQ(view->HeaderControl()->GetSortMarkIndex(), 2) << "the mark of the grouping shown";
  view->OnUngroup();
  EXPECT_EQ(view->HeaderControl()->GetSortMarkIndex(), -1) << "the flat list is in file order";
  EXPECT_EQ(WTallyworthApp::sSortDialog->GetComparator().Field(0), STaskComparator::eNotJobNumber);
}
