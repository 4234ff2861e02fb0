// The printed pages of a time sheet view, rendered into a bitmap or printed to PostScript
// and read back, and the preview; the native print dialog is never opened.

#include <fstream>
#include <map>

#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/headerctrl.h>
#include <wx/log.h>
#include <wx/print.h>
#include <wx/generic/printps.h> // on Windows too, where the printers are the system's

#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetPrintout.h"
#include "windows/WMainWindow.h"

namespace {

// Prepares the printout of inView on paper of inPaper points at inDpi and prints page
// inPage (none for 0) into a bitmap; gives the page count and the bitmap.
int Render(WTimeSheetView & inView, int inPage, wxImage * outImage = nullptr, wxSize inPaper = {612, 792},
           int inDpi = 72) {
  WTimeSheetPrintout printout(inView);
  const wxSize pixels = inPaper * inDpi / 72;
  wxBitmap bitmap(pixels.x, pixels.y, 24);
  wxMemoryDC dc(bitmap);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  printout.SetDC(&dc);
  printout.SetPPIPrinter(inDpi, inDpi);
  printout.SetPageSizePixels(pixels.x, pixels.y);
  printout.SetPaperRectPixels(wxRect(pixels));
  printout.OnPreparePrinting();
  EXPECT_TRUE(inPage == 0 || printout.OnPrintPage(inPage));
  dc.SelectObject(wxNullBitmap);
  if (outImage != nullptr)
    *outImage = bitmap.ConvertToImage();
  return printout.PageCount();
}

// Prints every page of inView on letter paper to the PostScript file inPath.
bool PrintToFile(WTimeSheetView & inView, const std::string & inPath) {
  wxPrintData data;
  data.SetPaperId(wxPAPER_LETTER);
  data.SetFilename(inPath);
  data.SetPrintMode(wxPRINT_MODE_FILE);
  wxPrintDialogData dialog(data);
  dialog.SetFromPage(1);
  dialog.SetToPage(99999); // the default range prints nothing
  wxPostScriptPrinter printer(&dialog);
  return inView.PrintWith(printer, false);
}

// What one page of PostScript shows: each string with its x in points from the paper's left.
using Page = std::map<std::string, double>;

std::vector<Page> PrintToPostScript(WTimeSheetView & inView) {
  testsupport::TempDir folder;
  EXPECT_TRUE(PrintToFile(inView, folder.file("pages.ps")));
  std::vector<Page> pages;
  std::ifstream in(folder.file("pages.ps"));
  for (std::string line, previous; std::getline(in, line); previous = line) {
    const std::size_t end = line.rfind(") (\\n) strsplit");
    if (line.rfind("%%Page:", 0) == 0)
      pages.emplace_back();
    else if (!pages.empty() && line.size() > 1 && line[0] == '(' && end != std::string::npos)
      pages.back().emplace(line.substr(1, end - 1), std::stod(previous));
  }
  return pages;
}

} // namespace

using WTimeSheetPrintoutInApp = TimeSheetFixture;

TEST_F(WTimeSheetPrintoutInApp, RowsAndPaperGiveThePageCountClosedGroupsAreLeftOutAndAFailureIsReported) {
  const struct {
    int mRows, mPaperHeight, mPages;
  } table[] = {
      {0, 792, 1}, {36, 792, 1}, {37, 792, 2}, {72, 792, 2}, {73, 792, 3},
      // Not one row fits between header and footer: still one row a page, and more pages
      // than a 16-bit count holds.
      {4, 120, 4}, {33000, 120, 33000},
  };
  for (const auto & row : table) {
    SCOPED_TRACE(std::to_string(row.mRows) + " rows on paper " + std::to_string(row.mPaperHeight) + " high");
    EXPECT_EQ(Render(View(Open(WriteSheetOf("rows.txt", row.mRows))), 0, nullptr, {612, row.mPaperHeight}),
              row.mPages);
    guitest::CloseAllDocuments();
  }
  WTimeSheetDocument * document = Open(WriteSheetOf("grouped.txt", 60, "6000:30:00"));
  WTimeSheetView & view = View(document);
  guitest::Command(WCommandIds::eGroupByWhoCode);
  ASSERT_EQ(view.TreeBox()->size(), 62u);
  EXPECT_EQ(Render(view, 0), 2);
  view.TreeBox()->Collapse(0); // AB: the even entries
  EXPECT_EQ(Render(view, 0), 1);
  const std::vector<Page> pages = PrintToPostScript(view);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].count("Entry 1") && pages[0].count("Entry 59"));
  EXPECT_FALSE(pages[0].count("Entry 0") || pages[0].count("Entry 58"));
  // The footer totals the whole sheet, not the rows shown, with every hour digit.
  EXPECT_TRUE(pages[0].count("360030:00:00") && pages[0].count("Entry Count:  60"));

  // A printer that fails is reported, and the sheet is left alone.
  struct Recorder : wxLog {
    int mErrors = 0;
    void DoLogTextAtLevel(wxLogLevel inLevel, const wxString &) override { mErrors += inLevel <= wxLOG_Error; }
  } recorder;
  wxLog * previous = wxLog::SetActiveTarget(&recorder);
  EXPECT_FALSE(PrintToFile(view, "/nonexistent-folder/pages.ps"));
  EXPECT_GT(recorder.mErrors, 0) << "the failure went unreported";
  wxLog::SetActiveTarget(previous);
  EXPECT_EQ(document->GetData().size(), 60u);
  EXPECT_FALSE(document->IsModified());
}

TEST_F(WTimeSheetPrintoutInApp, EveryPageHasHeaderAndFooterAndRowsFollowResizedColumns) {
  WTimeSheetDocument * document = Open(WriteSheetOf("sheet.txt", 73, "1:00:00"));
  WTimeSheetView & view = View(document);
  wxHeaderCtrlEvent resize(wxEVT_HEADER_END_RESIZE);
  resize.SetColumn(0);
  resize.SetWidth(76 + 40);
  view.GetPanel()->GetEventHandler()->ProcessEvent(resize);
  ASSERT_EQ(view.Columns().mOffset[1], 136);
  const std::vector<Page> pages = PrintToPostScript(view);
  ASSERT_EQ(pages.size(), 3u);
  const std::string header = "sheet.txt:  " + wxDateTime::Now().Format("%A, %B %d, %Y").ToStdString();
  for (std::size_t page = 0; page < pages.size(); ++page) {
    SCOPED_TRACE(page + 1);
    for (const std::string & text : {header, "Page " + std::to_string(page + 1), std::string("73:00:00"),
                                   std::string("Entry Count:  73"), std::string("Description")})
      EXPECT_TRUE(pages[page].count(text)) << text;
    // Half an inch of margin, then the offsets in points; cells are inset by 4. Titles
    // stay at the default widths.
    EXPECT_NEAR(pages[page].at("Duration"), 36 + 96, 0.5);
    EXPECT_NEAR(pages[page].at("03/01/2026"), 36 + 20 + 4, 0.5);
    EXPECT_NEAR(pages[page].at("1:00:00"), 36 + 136 + 4, 0.5);
  }
  // 36 rows a page: the last page holds the one row left.
  EXPECT_TRUE(pages[0].count("Entry 35") && !pages[0].count("Entry 36"));
  EXPECT_TRUE(pages[2].count("Entry 72") && !pages[2].count("Entry 71"));
}

TEST_F(WTimeSheetPrintoutInApp, PreviewUsesTheChosenPaperAndThePrintedPageIsPictured) {
  WTimeSheetDocument * document = Open(WriteSheet("week.txt", viewtest::SampleLines(150)));
  WTimeSheetView & view = View(document);
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 900, 700);
  ASSERT_TRUE(guitest::WaitUntil([&] { return view.Columns().mWidth[5] > 200; }));
  guitest::Command(WCommandIds::eGroupByWhoCode);
  ASSERT_TRUE(view.IsGrouped());
  wxImage page;
  Render(view, 1, &page, {612, 792}, 144);
  EXPECT_NE(viewtest::SaveImage(page, "print-page-1"), "");

  wxPrintData & paper = WTimeSheetView::PrintData();
  const wxPrintData kept = paper;
  int pages[2] = {0, 0};
  for (int landscape = 0; landscape < 2; ++landscape) {
    paper.SetPaperId(wxPAPER_LETTER);
    paper.SetOrientation(landscape ? wxLANDSCAPE : wxPORTRAIT);
    guitest::Command(wxID_PREVIEW);
    wxPrintPreviewBase * preview = view.GetPrintPreview();
    ASSERT_NE(preview, nullptr);
    wxPreviewFrame * frame = view.ShowPrintPreview(); // the one open
    const auto * printout = static_cast<WTimeSheetPrintout *>(preview->GetPrintout());
    // The preview counts the pages when it first paints one.
    ASSERT_TRUE(guitest::WaitUntil([&] { return frame->Refresh(), frame->Update(), printout->PageCount() > 0; }));
    pages[landscape] = preview->GetMaxPage();
    EXPECT_TRUE(preview->SetCurrentPage(2));
    EXPECT_TRUE(guitest::WaitUntil([&] { return frame->Refresh(), frame->Update(), printout->PrintInfo().CurrentPage() == 2; }));
    frame->Close(true);
    guitest::Flush();
  }
  paper = kept;
  main.SetSize(place);
  // Landscape letter leaves 468 points for rows instead of 648.
  EXPECT_GT(pages[1], pages[0]);
  EXPECT_GE(pages[0], 2);
  EXPECT_FALSE(document->IsModified());
}
