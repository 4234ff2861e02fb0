// Editing a cell of the flat list in place: what the box shows, what Return, Escape, a
// click elsewhere or a lost focus store.
#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include "support/TestSupport.h"
#include "view/PaneHarness.h"

using namespace viewtest;

namespace {

const std::vector<std::string> kLines = {
    "12/25/2012\t2:15:00\tAB\t1001\tDEV\tFirst entry",
    "01/02/2012\t0:30\tCD\t1002\tMTG\tSecond entry",
    "06/30/2012\t1.5\tEF\t2040\tDOC\tThird entry",
};

struct InPlaceEditTest : testing::Test {
  testsupport::ScopedTimeZone mZone{"America/New_York"};
};

} // namespace

TEST_F(InPlaceEditTest, EachFieldOpensOverItsCellAndReturnStoresTheTextAsTheSheetCanHoldIt) {
  const std::string cp1252 = "01/02/2012\t1:00:00\tAB\t1\tX\tCaf\xE9 bill \x80" "12"; // é is 0xE9, € 0x80
  const std::string plain = "01/03/2012\t1:00:00\tAB\t1\tX\tplain";
  const std::string may = "05/06/2012\t1:00:00\tAB\t1\tX\tOrdinary";
  const struct {
    const char * mName;
    std::vector<std::string> mLines;
    std::size_t mRow;
    int mColumn;
    const char * mShown; // the box's first text, UTF-8
    std::string mTyped;  // UTF-8
    std::string mLine;   // the entry afterwards
  } table[] = {
      {"a date", kLines, 1, STask::eDate, "01/02/2012", "3/4/12", "03/04/2012\t0:30\tCD\t1002\tMTG\tSecond entry"},
      {"a duration", kLines, 1, STask::eDuration, "0:30", "1.25", "01/02/2012\t01:15:00\tCD\t1002\tMTG\tSecond entry"},
      {"a who code", kLines, 1, STask::eWhoCode, "CD", "zz top", "01/02/2012\t0:30\tzz top\t1002\tMTG\tSecond entry"},
      {"a job number", kLines, 1, STask::eJobNumber, "1002", " 77 ", "01/02/2012\t0:30\tCD\t 77 \tMTG\tSecond entry"},
      {"a fee code", kLines, 1, STask::eTimeCode, "MTG", "", "01/02/2012\t0:30\tCD\t1002\t\tSecond entry"},
      {"a description", kLines, 1, STask::eDescription, "Second entry", "Lunch, then 1:1s",
       "01/02/2012\t0:30\tCD\t1002\tMTG\tLunch, then 1:1s"},
      {"a date nobody touched keeps its text", {"01/02/1965\t1:00:00\tAB\t1\tX\tBefore 1970"}, 0, STask::eDescription,
       "Before 1970", "Edited", "01/02/1965\t1:00:00\tAB\t1\tX\tEdited"},
      {"a date the program cannot hold is refused", {may}, 0, STask::eDate, "05/06/2012", "1/2/65", may},
      {"a date it can hold is written in full", {may}, 0, STask::eDate, "05/06/2012", "3/10/2012", // clocks change
       "03/10/2012\t1:00:00\tAB\t1\tX\tOrdinary"},
      {"a long duration keeps its hours", {may}, 0, STask::eDuration, "1:00:00", "150:30",
       "05/06/2012\t150:30:00\tAB\t1\tX\tOrdinary"},
      {"a Windows-1252 sheet", {cp1252, plain}, 0, STask::eDescription, "Café bill €12", "Café € Zoë",
       "01/02/2012\t1:00:00\tAB\t1\tX\tCaf\xE9 \x80 Zo\xEB"},
      {"no code point for it: refused", {cp1252, plain}, 1, STask::eTimeCode, "X", "→A", plain},
      {"tabs and line breaks", {cp1252, plain}, 1, STask::eTimeCode, "X", "\tA\nB",
       "01/03/2012\t1:00:00\tAB\t1\t A B\tplain"},
      {"at most 1023 characters", {cp1252, plain}, 1, STask::eDescription, "plain", std::string(1500, 'x'),
       "01/03/2012\t1:00:00\tAB\t1\tX\t" + std::string(1023, 'x')},
      {"a UTF-8 sheet", {"01/02/2012\t1:00:00\tAB\t1\tX\tCaf\xC3\xA9"}, 0, STask::eDescription, "Café", "Café → Zoë",
       "01/02/2012\t1:00:00\tAB\t1\tX\tCaf\xC3\xA9 \xE2\x86\x92 Zo\xC3\xAB"},
  };
  for (const auto & row : table) {
    SCOPED_TRACE(row.mName);
    ListHarness h(row.mLines);
    WInPlaceEdit * edit = h.Open(row.mRow, row.mColumn);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetValue(), wxString::FromUTF8(row.mShown));
    const wxRect cell = h.pane->GetFieldRect(h.pane->GetItemRect(row.mRow), row.mColumn, false);
    EXPECT_EQ(edit->GetPosition(), cell.GetPosition() - wxPoint(2, 2)) << "the box lies over its cell";
    h.Type(wxString::FromUTF8(row.mTyped));
    CharHook(edit, WXK_RETURN);
    for (std::size_t other = 0; other < row.mLines.size(); ++other) // the others keep their bytes
      EXPECT_EQ(std::string(h.vector[other]), other == row.mRow ? row.mLine : row.mLines[other]);
    guitest::Flush();
  }
}

TEST_F(InPlaceEditTest, EscapeWritesNothingAndADoubleClickAClickOrALostFocusCommitsTheOpenBox) {
  ListHarness h(kLines);
  // Escape, or Return without typing, writes nothing back: "1.5" is not rewritten as 01:30:00.
  for (const int key : {WXK_ESCAPE, WXK_RETURN}) {
    WInPlaceEdit * edit = h.Open(2, STask::eDuration);
    ASSERT_NE(edit, nullptr);
    if (key == WXK_ESCAPE)
      h.Type("9:00");
    CharHook(edit, key);
    EXPECT_EQ(h.pane->InPlaceEditControl(), nullptr);
    EXPECT_EQ(std::string(h.vector[2]), kLines[2]) << key;
  }
  auto * elsewhere = new wxTextCtrl(h.frame, wxID_ANY, "", wxPoint(600, 0), wxSize(30, 20));
  ASSERT_NE(h.Open(0, STask::eJobNumber), nullptr);
  h.Type("4242");
  ASSERT_NE(h.Open(2, STask::eDescription), nullptr); // a second box
  EXPECT_EQ(h.Field(0, STask::eJobNumber), "4242");
  h.Type("Third entry, revised");
  Click(h.pane, h.Cell(1, STask::eWhoCode));
  EXPECT_EQ(h.pane->InPlaceEditControl(), nullptr);
  EXPECT_EQ(h.Field(2, STask::eDescription), "Third entry, revised");

  h.pane->SetFocus();
  guitest::Flush();
  WInPlaceEdit * edit = h.Open(0, STask::eWhoCode);
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(guitest::WaitUntil([&] { return wxWindow::FindFocus() == edit; }));
  h.Type("QQ");
  elsewhere->SetFocus();
  ASSERT_TRUE(guitest::WaitUntil([&] { return h.pane->InPlaceEditControl() == nullptr; }));
  EXPECT_EQ(h.Field(0, STask::eWhoCode), "QQ");
  // The boxes go away once their events are over.
  EXPECT_TRUE(guitest::WaitUntil([&] { return h.pane->GetChildren().size() == 0; }));
}
