// Measuring a printer page.
#include "other/WPrintInfo.h"

#include <algorithm>
#include <cmath>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/dcmemory.h>
#include <wx/prntbase.h>

namespace {

// `inPixels` printer pixels in points at `inPerInch` pixels per inch, truncated.
std::int32_t Points(double inPixels, int inPerInch) {
  return inPerInch > 0 ? static_cast<std::int32_t>(inPixels * 72.0 / inPerInch) : 0;
}

std::int32_t Round(double inValue) { return static_cast<std::int32_t>(std::lround(inValue)); }

} // namespace

void WPrintInfo::SetDC(wxDC * inDC, const wxPrintout & inJob) {
  mDC = inDC;
  mHasDC = inDC != nullptr;
  if (inDC == nullptr) {
    return;
  }
  int ppiX = 0, ppiY = 0, pageX = 0, pageY = 0;
  inJob.GetPPIPrinter(&ppiX, &ppiY);
  inJob.GetPageSizePixels(&pageX, &pageY);
  const wxRect paper = inJob.GetPaperRectPixels();
  const wxSize device = inDC->GetSize();
  // A preview draws the printer's page into fewer pixels.
  const double scaleX = pageX > 0 ? static_cast<double>(device.x) / pageX : 1.0;
  const double scaleY = pageY > 0 ? static_cast<double>(device.y) / pageY : 1.0;
  mResolutionX = Round(ppiX * scaleX);
  mResolutionY = Round(ppiY * scaleY);
  mPaperPhysicalX = Round(paper.width * scaleX);
  mPaperPhysicalY = Round(paper.height * scaleY);
  mPagePhysicalX = device.x;
  mPagePhysicalY = device.y;
  mOffsetPhysicalX = Round(-paper.x * scaleX);
  mOffsetPhysicalY = Round(-paper.y * scaleY);
  // Points from the printer's own pixels: the same paper gives the same page in a preview.
  mPaperLogicalX = Points(paper.width, ppiX);
  mPaperLogicalY = Points(paper.height, ppiY);
  mPageLogicalX = Points(pageX, ppiX);
  mPageLogicalY = Points(pageY, ppiY);
}

void WPrintInfo::SetPrintInfo(wxPrintout * inJob, int inCurrentPage) {
  mPrintInfo = inJob;
  mCurrentPage = inCurrentPage;
  mHasPrintInfo = inJob != nullptr;
}

void WPrintInfo::ComputeUserArea() {
  mUserLogicalX = mPaperLogicalX - 2 * sMargin;
  mUserLogicalY = mPaperLogicalY - 2 * sMargin;
  mUserLogicalHeight = mUserLogicalY - sHeaderHeight - sFooterHeight;
}

wxFont WPrintInfo::PrintFont(const wxFont & inFont) const {
  if (!mHasDC || mDC == nullptr || !inFont.IsOk()) {
    return inFont;
  }
  // How tall the font is on screen, in points...
  wxBitmap probe(1, 1);
  wxMemoryDC screen(probe);
  screen.SetFont(inFont);
  const double onScreen = screen.GetCharHeight() * 72.0 / std::max(screen.GetPPI().y, 1);
  // ...and on the printer, in logical units (points once the page is mapped).
  const wxFont old = mDC->GetFont();
  mDC->SetFont(inFont);
  const int onPaper = mDC->GetCharHeight();
  if (old.IsOk()) {
    mDC->SetFont(old);
  }
  if (onPaper <= 0 || onScreen <= 0) {
    return inFont;
  }
  wxFont font(inFont);
  font.SetFractionalPointSize(inFont.GetFractionalPointSize() * onScreen / onPaper);
  return font;
}
