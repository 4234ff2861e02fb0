// The printed pages of a time sheet view.
#include "views/WTimeSheetPrintout.h"

#include <wx/datetime.h>
#include <wx/dc.h>
#include <wx/docview.h>
#include <wx/settings.h>

#include "application/WResourceStrings.h"
#include "dates/STimeString.h"
#include "other/WFonts.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "tasks/STaskDocumentData.h"
#include "views/WTimeSheetView.h"

namespace {

wxString Title(WTimeSheetView & inView) {
  wxDocument * document = inView.GetDocument();
  return document != nullptr ? document->GetUserReadableName() : wxString();
}

} // namespace

WTimeSheetPrintout::WTimeSheetPrintout(WTimeSheetView & inView) : wxPrintout(Title(inView)), mView(&inView) {}

bool WTimeSheetPrintout::Measure(int inPage) {
  wxDC * dc = GetDC();
  if (dc == nullptr || mView.get() == nullptr) {
    return false;
  }
  mPrintInfo.SetDC(dc, *this);
  mPrintInfo.SetPrintInfo(this, inPage);
  mPrintInfo.ComputeUserArea();
  return true;
}

std::int32_t WTimeSheetPrintout::GetNumPages() {
  WTimeSheetView & view = *mView.get();
  return view.IsGrouped() ? view.TreeBox()->GetNumPages(mPrintInfo) : view.ListBox()->GetNumPages(mPrintInfo);
}

void WTimeSheetPrintout::OnPreparePrinting() {
  mPageCount = Measure(1) ? GetNumPages() : 0;
}

void WTimeSheetPrintout::GetPageInfo(int * outMinPage, int * outMaxPage, int * outFromPage, int * outToPage) {
  *outMinPage = mPageCount > 0 ? 1 : 0;
  *outMaxPage = mPageCount;
  *outFromPage = *outMinPage;
  *outToPage = mPageCount;
}

bool WTimeSheetPrintout::HasPage(int inPage) { return inPage >= 1 && inPage <= mPageCount; }

void WTimeSheetPrintout::OnPrepareDC(wxDC & ioDC) {
  const std::int32_t hx = mPrintInfo.mResolutionX / 2;
  const std::int32_t hy = mPrintInfo.mResolutionY / 2;
  const double viewportX = mPrintInfo.mPaperPhysicalX - 2 * hx;
  const double viewportY = mPrintInfo.mPaperPhysicalY - 2 * hy;
  ioDC.SetMapMode(wxMM_TEXT);
  ioDC.SetUserScale(mPrintInfo.mUserLogicalX > 0 ? viewportX / mPrintInfo.mUserLogicalX : 1.0,
                    mPrintInfo.mUserLogicalY > 0 ? viewportY / mPrintInfo.mUserLogicalY : 1.0);
  ioDC.SetDeviceOrigin(hx - mPrintInfo.mOffsetPhysicalX, hy - mPrintInfo.mOffsetPhysicalY);
  ioDC.SetLogicalOrigin(0, 0);
}

bool WTimeSheetPrintout::OnPrintPage(int inPage) {
  if (!HasPage(inPage) || !Measure(inPage)) {
    return false;
  }
  wxDC & dc = *GetDC();
  OnPrepareDC(dc);
  // The pane paginates again: what it shows may have changed since the pages were counted.
  GetNumPages();
  const wxFont font = mPrintInfo.PrintFont(WFonts::GetTahoma85());
  PrintHeader(dc, font);
  PrintFooter(dc, font);
  dc.SetLogicalOrigin(0, -WPrintInfo::sHeaderHeight);
  PrintContent();
  dc.SetLogicalOrigin(0, 0);
  return true;
}

void WTimeSheetPrintout::PrintContent() {
  WTimeSheetView & view = *mView.get();
  if (view.IsGrouped()) {
    view.TreeBox()->Print(mPrintInfo);
  } else {
    view.ListBox()->Print(mPrintInfo);
  }
}

void WTimeSheetPrintout::PrintHeader(wxDC & ioDC, const wxFont & inFont) {
  WTimeSheetView & view = *mView.get();
  const std::int32_t indent = WPrintInfo::sTextIndent;
  ioDC.SetFont(inFont);
  ioDC.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
  ioDC.DrawText(Title(view) + ":  " + wxDateTime::Now().Format(view.DateFormatString()), indent, 8);
  const wxString page = wxString::Format(view.PageFormatString(), mPrintInfo.CurrentPage());
  ioDC.DrawText(page, mPrintInfo.mUserLogicalX - indent - ioDC.GetTextExtent(page).x, 8);
  ioDC.SetPen(*wxTRANSPARENT_PEN);
  ioDC.SetBrush(*wxBLACK_BRUSH);
  ioDC.DrawRectangle(0, 27, mPrintInfo.mUserLogicalX, 1);
}

void WTimeSheetPrintout::PrintFooter(wxDC & ioDC, const wxFont & inFont) {
  WTimeSheetView & view = *mView.get();
  const STaskDocumentData & data = view.DocumentData();
  const std::int32_t bottom = mPrintInfo.mUserLogicalY;
  const std::int32_t y = bottom - 17;
  ioDC.SetFont(inFont);
  ioDC.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
  ioDC.DrawText(WResourceStrings::sDurationFooter, WPrintInfo::sTextIndent, y);
  // As many hour digits as the total needs.
  const STimeString total(data.GetTotalDuration(), 10, 2);
  const wxString totalText = wxString::FromAscii(total.c_str());
  const int right = 96 + ioDC.GetTextExtent("00:00:00").x;
  ioDC.DrawText(totalText, right - ioDC.GetTextExtent(totalText).x, y);
  ioDC.DrawText(WResourceStrings::sEntryCountFooter + wxString::Format("  %zu", data.GetTotalCount()),
                mPrintInfo.mUserLogicalX / 2 + WPrintInfo::sTextIndent, y);
  ioDC.SetPen(*wxTRANSPARENT_PEN);
  ioDC.SetBrush(*wxBLACK_BRUSH);
  ioDC.DrawRectangle(0, bottom - 28, mPrintInfo.mUserLogicalX, 1);
}
