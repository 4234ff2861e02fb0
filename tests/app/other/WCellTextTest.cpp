// A cell's text looks the same whether it is drawn the quick way (short plain text, straight
// onto the graphics context) or measured, shortened and clipped to its cell.
#include "other/WCellText.h"

#include <gtest/gtest.h>

#include <functional>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace {

// A 200 x 24 picture of what inDraw draws at the user scale inScale, in blue Tahoma on white.
wxImage Picture(double inScale, const std::function<void(wxDC &)> & inDraw) {
  wxBitmap bitmap(200, 24, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetUserScale(inScale, inScale);
    dc.SetFont(wxFontInfo(9).FaceName("Tahoma"));
    dc.SetTextForeground(*wxBLUE);
#ifdef __WXGTK__
    EXPECT_NE(dc.GetGraphicsContext(), nullptr) << "the quick way is not taken";
#endif
    inDraw(dc);
  }
  return bitmap.ConvertToImage();
}

TEST(WCellText, DrawsAsTheMeasuredAndClippedCellDoes) {
  const struct {
    const char * text;
    int width;
  } kCells[] = {{"SMITH", 90}, {"12:30:00", 60}, {"A description far too long for its cell", 70},
                {"Zo\xC3\xAB", 40}, {"x", 3}, {"WWWWWWWWWW", 45}};
  const wxRect row(0, 2, 100, 20);
  for (const double scale : {1.0, 2.0}) {
    for (const auto & cell : kCells) {
      SCOPED_TRACE(std::string(cell.text) + " at scale " + std::to_string(scale));
      const wxString text = wxString::FromUTF8(cell.text);
      const wxRect rect(6, 4, cell.width, 14);
      const wxImage quick = Picture(scale, [&](wxDC & ioDC) { WCellText::Draw(ioDC, text, rect, true, row); });
      const wxImage measured = Picture(scale, [&](wxDC & ioDC) {
        wxDCClipper clip(ioDC, wxRect(rect.x, row.y, rect.width, row.height));
        ioDC.DrawText(WCellText::Fit(ioDC, text, rect.width), rect.x, rect.y + (rect.height - ioDC.GetCharHeight()) / 2);
      });
      ASSERT_TRUE(quick.IsOk() && measured.IsOk());
      EXPECT_EQ(0, memcmp(quick.GetData(), measured.GetData(), 200 * 24 * 3)) << "the pictures differ";
    }
  }
}

} // namespace
