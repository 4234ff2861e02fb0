// Editing a cell of the flat list in place: what opens the box, what it starts with, how
// Return, Escape, a lost focus and a second double click end it, and what is stored.
#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include "controls/WInPlaceEdit.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"
#include "tasks/STaskComparator.h"
#include "view/ListHarness.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

namespace {

const std::vector<std::string> kLines = {
    "12/25/2012\t2:15:00\tAB\t1001\tDEV\tFirst entry",
    "01/02/2012\t0:30\tCD\t1002\tMTG\tSecond entry",
    "06/30/2012\t1.5\tEF\t2040\tDOC\tThird entry",
};

class InPlaceEditTest : public testing::Test {
protected:
  testsupport::ScopedTimeZone mZone{"America/New_York"};
};

} // namespace

TEST_F(InPlaceEditTest, EachFieldOpensWithItsTextAsWrittenAndReturnStoresIt) {
  ListHarness h(kLines);
  struct Case {
    int mColumn;
    const char * mBefore; // the box's first text: the field exactly as in the line
    const char * mTyped;
    const char * mStored;
  };
  const Case cases[] = {
      {STask::eDate, "01/02/2012", "3/4/12", "03/04/2012"},
      {STask::eDuration, "0:30", "1.25", "01:15:00"},
      {STask::eWhoCode, "CD", "zz top", "zz top"},
      {STask::eJobNumber, "1002", " 77 ", " 77 "},
      {STask::eTimeCode, "MTG", "", ""},
      {STask::eDescription, "Second entry", "Lunch with the team, then 1:1s", "Lunch with the team, then 1:1s"},
  };
  for (const Case & c : cases) {
    WInPlaceEdit * edit = h.Open(1, c.mColumn);
    ASSERT_NE(edit, nullptr) << "column " << c.mColumn;
    EXPECT_EQ(edit->GetId(), WInPlaceEdit::sControlId);
    EXPECT_EQ(edit->GetValue(), c.mBefore);
    EXPECT_FALSE(edit->IsModified());
    EXPECT_EQ(h.list->InPlaceFieldIndex(), c.mColumn);
    EXPECT_EQ(h.list->InPlaceItemIndex(), 1);
    // Over the cell, 2 pixels wider on each side.
    const wxRect cell = h.list->GetFieldRect(h.list->GetItemRect(1), c.mColumn, false);
    EXPECT_EQ(edit->GetPosition(), cell.GetPosition() - wxPoint(2, 2));
    h.Type(c.mTyped);
    CharHook(edit, WXK_RETURN);
    EXPECT_EQ(h.list->InPlaceEditControl(), nullptr);
    EXPECT_EQ(h.Field(1, c.mColumn), c.mStored) << "column " << c.mColumn;
  }
  // The other entries and the other fields kept their bytes.
  EXPECT_EQ(std::string(h.vector[0]), kLines[0]);
  EXPECT_EQ(std::string(h.vector[2]), kLines[2]);
  EXPECT_EQ(std::string(h.vector[1]), "03/04/2012\t01:15:00\tzz top\t 77 \t\tLunch with the team, then 1:1s");
  EXPECT_EQ(h.vector[1].GetDuration(), STime(4500));
  guitest::Flush();
}

TEST_F(InPlaceEditTest, EscapeOrNoTypingLeavesTheEntryUntouched) {
  ListHarness h(kLines);
  WInPlaceEdit * edit = h.Open(2, STask::eDuration);
  ASSERT_NE(edit, nullptr);
  h.Type("9:00");
  CharHook(edit, WXK_ESCAPE);
  EXPECT_EQ(h.list->InPlaceEditControl(), nullptr);
  EXPECT_EQ(std::string(h.vector[2]), kLines[2]);

  // A box closed without typing writes nothing back: "1.5" is not rewritten as 01:30:00.
  int changes = 0;
  struct Counter : STaskVectorListener {
    int & mCount;
    explicit Counter(int & ioCount) : mCount(ioCount) {}
    void ListenToChangeMessage(TVectorMessage<STask>) override { ++mCount; }
  } counter(changes);
  h.vector.AddListener(&counter);
  edit = h.Open(2, STask::eDuration);
  ASSERT_NE(edit, nullptr);
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(std::string(h.vector[2]), kLines[2]);
  guitest::Flush();
}

TEST_F(InPlaceEditTest, LosingTheFocusCommits) {
  ListHarness h(kLines);
  auto * elsewhere = new wxTextCtrl(h.frame, wxID_ANY, "", wxPoint(600, 0), wxSize(30, 20));
  h.list->SetFocus();
  guitest::Flush();
  WInPlaceEdit * edit = h.Open(0, STask::eWhoCode);
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(guitest::WaitUntil([&] { return wxWindow::FindFocus() == edit; }));
  h.Type("QQ");
  elsewhere->SetFocus();
  ASSERT_TRUE(guitest::WaitUntil([&] { return h.list->InPlaceEditControl() == nullptr; }));
  EXPECT_EQ(h.Field(0, STask::eWhoCode), "QQ");
  // The box goes away once its events are over.
  EXPECT_TRUE(guitest::WaitUntil([&] { return h.list->GetChildren().size() == 0; }));
}

TEST_F(InPlaceEditTest, ADoubleClickLeftOfTheFirstColumnOpensNothing) {
  ListHarness h(kLines);
  DoubleClick(h.list, wxPoint(10, 17 + 8));
  EXPECT_EQ(h.list->InPlaceEditControl(), nullptr);
  // Below the last row neither.
  DoubleClick(h.list, wxPoint(150, 17 * 5 + 8));
  EXPECT_EQ(h.list->InPlaceEditControl(), nullptr);
  EXPECT_EQ(h.list->GetChildren().size(), 0u);
}

TEST_F(InPlaceEditTest, ASecondDoubleClickCommitsTheFirstBoxAndOpensAnother) {
  ListHarness h(kLines);
  WInPlaceEdit * first = h.Open(0, STask::eJobNumber);
  ASSERT_NE(first, nullptr);
  h.Type("4242");
  WInPlaceEdit * second = h.Open(2, STask::eDescription);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(h.Field(0, STask::eJobNumber), "4242");
  EXPECT_EQ(second->GetValue(), "Third entry");
  EXPECT_FALSE(first->IsShown());
  // A plain click in the list ends the open box as well.
  h.Type("Third entry, revised");
  Click(h.list, h.Cell(1, STask::eWhoCode));
  EXPECT_EQ(h.list->InPlaceEditControl(), nullptr);
  EXPECT_EQ(h.Field(2, STask::eDescription), "Third entry, revised");
  guitest::Flush();
}

TEST_F(InPlaceEditTest, TheEditedEntryKeepsItsPlaceInTheVectorAndTheMap) {
  ListHarness h(kLines);
  h.list->Sort(STaskComparator(&h.vector, STaskComparator::eWhoCode));
  h.list->Sort(STaskComparator(&h.vector, STaskComparator::eNotWhoCode)); // rows: EF, CD, AB
  ASSERT_EQ(h.list->at(0), 2u);
  WInPlaceEdit * edit = h.Open(0, STask::eWhoCode);
  ASSERT_NE(edit, nullptr);
  h.Type("AA");
  h.list->mRefreshed.clear();
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.list->at(0), 2u); // not re-sorted
  EXPECT_EQ(std::string(h.vector[2]).substr(0, 25), "06/30/2012\t1.5\tAA\t2040\tDO");
  EXPECT_NE(std::find(h.list->mRefreshed.begin(), h.list->mRefreshed.end(), 0u), h.list->mRefreshed.end());
  guitest::Flush();
}

TEST_F(InPlaceEditTest, DatesAndDurationsTypedAreWrittenOutUnlessTheyCannotBeHeld) {
  ListHarness h({"01/02/1965\t1:00:00\tAB\t1\tX\tBefore 1970", "05/06/2012\t1:00:00\tAB\t1\tX\tOrdinary"});
  ASSERT_EQ(h.vector[0].GetDate(), SDate());

  // The date nobody touched keeps its text when another field of the entry changes.
  WInPlaceEdit * edit = h.Open(0, STask::eDescription);
  ASSERT_NE(edit, nullptr);
  h.Type("Edited");
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(std::string(h.vector[0]), "01/02/1965\t1:00:00\tAB\t1\tX\tEdited");

  // A typed date the program cannot hold is refused; one it can is written in full.
  edit = h.Open(1, STask::eDate);
  ASSERT_NE(edit, nullptr);
  h.Type("1/2/65");
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.list->InPlaceEditControl(), edit);
  CharHook(edit, WXK_ESCAPE);
  EXPECT_EQ(h.Field(1, STask::eDate), "05/06/2012");
  edit = h.Open(1, STask::eDate);
  ASSERT_NE(edit, nullptr);
  h.Type("3/10/2012"); // the day clocks change in New York
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.Field(1, STask::eDate), "03/10/2012");
  EXPECT_NE(h.vector[1].GetDate(), SDate());

  // A long duration keeps its hours instead of being cut to 99:59:59.
  edit = h.Open(1, STask::eDuration);
  ASSERT_NE(edit, nullptr);
  h.Type("150:30");
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.Field(1, STask::eDuration), "150:30:00");
  EXPECT_EQ(h.vector[1].GetDuration(), STime(150 * 3600 + 30 * 60));
  guitest::Flush();
}

TEST_F(InPlaceEditTest, TextIsEditedInTheSheetsEncodingAndKeptToOneLine) {
  // Windows-1252 bytes: é is 0xE9 and the euro sign 0x80.
  ListHarness h({"01/02/2012\t1:00:00\tAB\t1\tX\tCaf\xE9 bill \x80" "12", "01/03/2012\t1:00:00\tAB\t1\tX\tplain"});
  ASSERT_FALSE(h.encoding.IsUtf8());
  WInPlaceEdit * edit = h.Open(0, STask::eDescription);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetValue(), wxString::FromUTF8("Café bill €12"));
  CharHook(edit, WXK_ESCAPE);

  edit = h.Open(0, STask::eWhoCode);
  ASSERT_NE(edit, nullptr);
  h.Type(wxString::FromUTF8("Zoë"));
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(std::string(h.vector[0]), "01/02/2012\t1:00:00\tZo\xEB\t1\tX\tCaf\xE9 bill \x80" "12");

  // Tabs and line breaks do not split the line.
  edit = h.Open(1, STask::eTimeCode);
  ASSERT_NE(edit, nullptr);
  h.Type(wxString::FromUTF8("é\tA\nB"));
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.Field(1, STask::eTimeCode), "\xE9 A B");
  EXPECT_EQ(h.Field(1, STask::eDescription), "plain");

  // At most 1023 characters are kept.
  edit = h.Open(1, STask::eDescription);
  ASSERT_NE(edit, nullptr);
  h.Type(wxString('x', 1500));
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.Field(1, STask::eDescription), std::string(1023, 'x'));
  guitest::Flush();
}

TEST_F(InPlaceEditTest, AUtf8SheetIsEditedInUtf8) {
  ListHarness h({"01/02/2012\t1:00:00\tAB\t1\tX\tCaf\xC3\xA9"});
  ASSERT_TRUE(h.encoding.IsUtf8());
  WInPlaceEdit * edit = h.Open(0, STask::eDescription);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetValue(), wxString::FromUTF8("Café"));
  h.Type(wxString::FromUTF8("Café → Zoë"));
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.Field(0, STask::eDescription), "Caf\xC3\xA9 \xE2\x86\x92 Zo\xC3\xAB");
  guitest::Flush();
}

TEST_F(InPlaceEditTest, AnEditedEntryKeepsTheDateOrderItWasWrittenIn) {
  ListHarness h({});
  const std::string line = "25/12/2012\t1:00:00\tAB\t1\tX\tChristmas";
  h.vector.push_back(STask(SDateFormat(SDateFormat::eDMY), line.data(), static_cast<unsigned int>(line.size())));
  ASSERT_TRUE(guitest::WaitUntil([&] { return h.list->GetItemCount() == 1u; }));
  WInPlaceEdit * edit = h.Open(0, STask::eDescription);
  ASSERT_NE(edit, nullptr);
  h.Type("Boxing day");
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(std::string(h.vector[0]), "25/12/2012\t1:00:00\tAB\t1\tX\tBoxing day");
  EXPECT_EQ(h.vector[0].GetDateFormat(), SDateFormat(SDateFormat::eDMY));
  // A typed date is read and written in that order too.
  edit = h.Open(0, STask::eDate);
  ASSERT_NE(edit, nullptr);
  h.Type("26/12/12");
  CharHook(edit, WXK_RETURN);
  EXPECT_EQ(h.Field(0, STask::eDate), "26/12/2012");
  guitest::Flush();
}

