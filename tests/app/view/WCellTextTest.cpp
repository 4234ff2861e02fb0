// Cell text: a field wider than its cell ends in an ellipsis; one that fits is left alone.
#include <gtest/gtest.h>

#include <wx/dcmemory.h>

#include "other/WCellText.h"
#include "other/WFonts.h"

TEST(WCellText, TextWiderThanItsCellEndsInAnEllipsis) {
  wxBitmap bitmap(200, 40, 24);
  wxMemoryDC dc(bitmap);
  dc.SetFont(WFonts::GetTahoma85());
  const wxString text("Quarterly review of the contract figures with the client");
  const int width = dc.GetTextExtent(text).x;
  ASSERT_GT(width, 60);

  EXPECT_EQ(WCellText::Fit(dc, text, width), text);
  EXPECT_EQ(WCellText::Fit(dc, "", 0), "");
  const wxString cut = WCellText::Fit(dc, text, 60);
  EXPECT_LE(dc.GetTextExtent(cut).x, 60);
  EXPECT_TRUE(cut.EndsWith("...") || cut.EndsWith(wxString::FromUTF8("\xE2\x80\xA6"))) << cut;
  EXPECT_TRUE(text.StartsWith(cut.Left(4)));

  // Drawing stays inside the cell.
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetTextForeground(*wxBLACK);
  WCellText::Draw(dc, text, wxRect(10, 5, 60, 15), false);
  dc.SelectObject(wxNullBitmap);
  const wxImage image = bitmap.ConvertToImage();
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (image.GetRed(x, y) < 128) {
        (x >= 10 && x < 70 && y >= 5 && y < 20 ? inside : outside) += 1;
      }
    }
  }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}
