// What the lists draw, read back as pixels: accented capitals drawn whole, text smoothed,
// and the grouped list's keys that open and close groups as tree controls do.
#include <gtest/gtest.h>

#include <functional>

#include <wx/dcmemory.h>

#include "other/WFonts.h"
#include "support/GuiTestSupport.h"
#include "view/ListHarness.h"
#include "view/TreeHarness.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

namespace {

// A pixel that text has inked (dark on the white window colour).
bool Inked(const wxImage & inImage, int inX, int inY) {
  return inImage.GetRed(inX, inY) + inImage.GetGreen(inX, inY) + inImage.GetBlue(inX, inY) < 450;
}

// The first row of inRect with ink, -1 when there is none.
int InkTop(const wxImage & inImage, const wxRect & inRect) {
  for (int y = inRect.y; y <= inRect.GetBottom(); ++y)
    for (int x = inRect.x; x <= inRect.GetRight(); ++x)
      if (Inked(inImage, x, y))
        return y;
  return -1;
}

// Row inRow drawn on its own into a bitmap of inSize by inDraw.
wxImage DrawRow(const wxSize & inSize, const std::function<void(wxDC &, const wxRect &)> & inDraw) {
  wxBitmap bitmap(inSize.x, inSize.y, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    inDraw(dc, wxRect(wxPoint(0, 0), inSize));
  }
  return bitmap.ConvertToImage();
}

std::string Sheet(const std::string & inWho) { return "03/02/2026\t1:00:00\t" + inWho + "\t7\tX\tMeasurements"; }

} // namespace

TEST(TextDrawing, AccentsOverCapitalsAreDrawnWholeInBothLists) {
  struct Case {
    const char * name;
    std::string accented;
    std::string plain;
  };
  const Case cases[] = {
      {"E acute in UTF-8", "\xC3\x89MILE", "EMILE"},
      {"A ring in UTF-8", "\xC3\x85SA", "ASA"},
      {"E acute in Windows-1252", "JOS\xC9", "JOSE"},
  };
  for (const Case & c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = {Sheet(c.accented), Sheet(c.plain)};
    // The who column in both lists: the accent reaches higher than the plain capital.
    {
      ListHarness h(lines);
      const wxSize size(h.list->GetClientSize().x, 17);
      const wxRect who = h.list->GetFieldRect(wxRect(wxPoint(0, 0), size), 2, false);
      int tops[2];
      for (int row = 0; row < 2; ++row)
        tops[row] = InkTop(DrawRow(size, [&](wxDC & dc, const wxRect & rect) {
                             h.list->DrawLine(dc, static_cast<std::size_t>(row), rect, false, false, false);
                           }),
                           who);
      EXPECT_GE(tops[0], 0);
      EXPECT_LE(tops[0] + 2, tops[1]) << "flat list: the accent is cut off";
    }
    {
      TreeHarness h(lines);
      h.Group({STaskComparator::eJobNumber});
      const wxSize size(h.tree->GetClientSize().x, h.tree->RowHeight());
      const wxRect who(h.columns.mOffset[2] + WTreeListBox::sIndent, 0, h.columns.mWidth[2], size.y);
      int tops[2];
      for (std::uint32_t entry = 0; entry < 2; ++entry) {
        const int row = h.EntryRow(entry);
        ASSERT_GE(row, 0);
        tops[entry] = InkTop(DrawRow(size, [&](wxDC & dc, const wxRect & rect) {
                               h.tree->DrawLine(dc, static_cast<std::size_t>(row), rect, false, false, false);
                             }),
                             who);
      }
      EXPECT_GE(tops[0], 0);
      EXPECT_LE(tops[0] + 2, tops[1]) << "grouped list: the accent is cut off";
    }
  }
}

TEST(TextDrawing, RowsAreSmoothedAtEightAndAHalfPoints) {
  TreeHarness h({Sheet("AB")});
  h.Group({STaskComparator::eDate});
  EXPECT_DOUBLE_EQ(WFonts::GetTahoma85().GetFractionalPointSize(), 8.5);
  h.tree->Refresh();
  static_cast<wxWindow *>(h.tree)->Update();
  guitest::Flush();
  // As shown on screen: a group row (bold: "03/02/2026:  01:00:00") and an entry row
  // ("Measurements"). Smoothed text has edge pixels between ink and paper; glyphs drawn
  // from the font's embedded bitmaps have none.
  const wxImage image = Capture(h.tree);
  for (std::size_t row : {0u, 1u}) {
    SCOPED_TRACE(row);
    const wxRect rect = h.tree->GetItemRect(row);
    int ink = 0;
    int edges = 0;
    // Right of the box, so that only text counts.
    for (int y = rect.y; y <= rect.GetBottom(); ++y)
      for (int x = 2 * WTreeListBox::sIndent; x < rect.GetRight(); ++x) {
        const int level = (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y)) / 3;
        ink += level < 128;
        edges += level > 30 && level < 225;
      }
    EXPECT_GT(ink, 40);
    EXPECT_GT(edges, ink / 4) << "the text is not smoothed";
  }
}

TEST(TextDrawing, ArrowsPlusAndMinusOpenCloseAndClimbGroups) {
  // Who AB holds jobs 1 and 2, who CD job 1.
  TreeHarness h({"01/02/2012\t1:00\tAB\t1\tX\ta", "01/03/2012\t1:00\tAB\t2\tX\tb", "01/04/2012\t1:00\tCD\t1\tX\tc",
                 "01/05/2012\t1:00\tAB\t1\tX\td"});
  h.Group({STaskComparator::eWhoCode, STaskComparator::eJobNumber});
  // Rows: 0 AB, 1 AB/1, 2 a, 3 d, 4 AB/2, 5 b, 6 CD, 7 CD/1, 8 c.
  ASSERT_EQ(h.tree->size(), 9u);
  int selections = 0;
  h.tree->Bind(wxEVT_LISTBOX, [&](wxCommandEvent & inEvent) {
    ++selections;
    inEvent.Skip();
  });
  const auto key = [&](int inCode) {
    wxKeyEvent event(inCode == '+' || inCode == '-' ? wxEVT_CHAR : wxEVT_KEY_DOWN);
    event.m_keyCode = inCode;
    event.m_uniChar = inCode == '+' || inCode == '-' ? static_cast<wxChar>(inCode) : static_cast<wxChar>(WXK_NONE);
    event.SetEventObject(h.tree);
    h.tree->GetEventHandler()->ProcessEvent(event);
  };
  const auto open = [&](const char * inHeading, int inLevel) {
    const int row = h.GroupRow(inHeading, inLevel);
    return row >= 0 && (*h.tree)[static_cast<std::size_t>(row)].Branch().IsOpen();
  };
  struct Step {
    int select; // -1: keep the selection
    int key;
    int selected;
    std::size_t rows;
  };
  const Step steps[] = {
      {2, WXK_LEFT, 1, 9},            // an entry goes to its group
      {-1, WXK_LEFT, 1, 7},           // an open group closes
      {-1, WXK_LEFT, 0, 7},           // a closed group goes to its group
      {-1, '-', 0, 4},                // "-" closes the top group: AB, CD, CD/1, c
      {-1, '-', 0, 4},                // and does nothing more
      {-1, WXK_RIGHT, 0, 7},          // Right opens it again, AB/1 still closed
      {-1, WXK_RIGHT, 1, 7},          // Right on an open group goes to its first row
      {-1, '+', 1, 9},                // "+" opens AB/1
      {3, WXK_NUMPAD_SUBTRACT, 3, 9}, // on an entry "-" does nothing
      {1, WXK_SUBTRACT, 1, 7},
      {-1, WXK_NUMPAD_ADD, 1, 9},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    if (steps[i].select >= 0)
      h.tree->SetSelection(steps[i].select);
    key(steps[i].key);
    EXPECT_EQ(h.tree->GetSelection(), steps[i].selected);
    EXPECT_EQ(h.tree->size(), steps[i].rows);
    EXPECT_EQ(h.Fault(), "");
  }
  EXPECT_TRUE(open("AB", 0));
  EXPECT_TRUE(open("CD", 0));
  EXPECT_GE(selections, 3);
  // Up and Down still move the selection as in any list.
  key(WXK_DOWN);
  EXPECT_EQ(h.tree->GetSelection(), 2);
}
