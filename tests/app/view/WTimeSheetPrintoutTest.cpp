// The printed pages of a time sheet view: rendered into a 72-dpi bitmap and printed to
// PostScript through the same printout, then read back. The native print dialog is
// never opened.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/log.h>
#include <wx/print.h>

#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetPrintout.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"

using viewtest::ViewFrame;

namespace {

// `inCount` entries "Entry 0", "Entry 1", ... of `inDuration` each, who codes AB and CD in turn.
std::vector<std::string> Entries(int inCount, const std::string & inDuration = "1:00:00") {
  std::vector<std::string> lines;
  for (int i = 0; i < inCount; ++i)
    lines.push_back("03/08/2026\t" + inDuration + "\t" + (i % 2 ? "CD" : "AB") + "\t100\tDEV\tEntry " +
                    std::to_string(i));
  return lines;
}

// Prepares the printout of `inView` on paper of `inPaper` points at `inDpi` and prints page
// `inPage` (none for 0) into a bitmap; gives the page count and the bitmap.
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

// What one page of PostScript shows: each string with its x in points from the paper's left.
using Page = std::vector<std::pair<std::string, double>>;

bool Has(const Page & inPage, const std::string & inText, double * outX = nullptr) {
  for (const auto & [text, x] : inPage)
    if (text == inText)
      return (outX != nullptr ? *outX = x : 0), true;
  return false;
}

// Prints every page of `inView` on letter paper to the PostScript file `inPath`.
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

// What each page printed to PostScript shows.
std::vector<Page> PrintToPostScript(WTimeSheetView & inView) {
  testsupport::TempDir folder;
  EXPECT_TRUE(PrintToFile(inView, folder.file("pages.ps")));
  std::vector<Page> pages;
  std::ifstream in(folder.file("pages.ps"));
  std::string line, previous;
  while (std::getline(in, line)) {
    const std::size_t end = line.rfind(") (\\n) strsplit");
    if (line.rfind("%%Page:", 0) == 0)
      pages.emplace_back();
    else if (!pages.empty() && line.size() > 1 && line[0] == '(' && end != std::string::npos)
      pages.back().emplace_back(line.substr(1, end - 1), std::stod(previous));
    previous = line;
  }
  return pages;
}

// `inLines` as the lines of a file.
std::vector<std::string> FileLines(std::vector<std::string> inLines) {
  for (std::string & line : inLines)
    line += "\r\n";
  return inLines;
}

} // namespace

TEST(WTimeSheetPrintout, RowsAndPaperHeightGiveThePageCount) {
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
    ViewFrame f(Entries(row.mRows));
    EXPECT_EQ(Render(*f.view, 0, nullptr, {612, row.mPaperHeight}), row.mPages);
  }
}

TEST(WTimeSheetPrintout, ClosedGroupsAreLeftOutOfPagesAndPageCount) {
  ViewFrame f(Entries(60));
  f.Command(WCommandIds::eGroupByWhoCode);
  WTreeListBox & tree = *f.view->TreeBox();
  ASSERT_EQ(tree.size(), 62u);
  EXPECT_EQ(Render(*f.view, 0), 2);
  tree.Collapse(0); // AB: the even entries
  EXPECT_EQ(Render(*f.view, 0), 1);
  const std::vector<Page> pages = PrintToPostScript(*f.view);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(Has(pages[0], "Entry 1") && Has(pages[0], "Entry 59"));
  EXPECT_FALSE(Has(pages[0], "Entry 0") || Has(pages[0], "Entry 58"));
}

TEST(WTimeSheetPrintout, AFailingPrinterIsReportedAndLeavesTheSheetAlone) {
  ViewFrame f(Entries(5));
  struct Recorder : wxLog {
    int mErrors = 0;
    void DoLogTextAtLevel(wxLogLevel inLevel, const wxString &) override { mErrors += inLevel <= wxLOG_Error; }
  } recorder;
  wxLog * previous = wxLog::SetActiveTarget(&recorder);
  const bool dirty = STaskDocumentData(f.document).GetIsDirty();
  EXPECT_FALSE(PrintToFile(*f.view, "/nonexistent-folder/pages.ps"));
  wxLog::SetActiveTarget(previous);
  EXPECT_GT(recorder.mErrors, 0) << "the failure went unreported";
  EXPECT_EQ(f.document.Data().size(), 5u);
  EXPECT_EQ(STaskDocumentData(f.document).GetIsDirty(), dirty);
}

using WTimeSheetPrintoutInApp = TimeSheetFixture;

TEST_F(WTimeSheetPrintoutInApp, HeaderNamesTheSheetTodayAndThePageOnEveryPage) {
  WTimeSheetDocument * document = Open(WriteSheet("sheet.txt", FileLines(Entries(73))));
  ASSERT_NE(document, nullptr);
  auto * view = dynamic_cast<WTimeSheetView *>(document->GetFirstView());
  const std::vector<Page> pages = PrintToPostScript(*view);
  ASSERT_EQ(pages.size(), 3u);
  const std::string header = "sheet.txt:  " + wxDateTime::Now().Format("%A, %B %d, %Y").ToStdString();
  for (std::size_t page = 0; page < pages.size(); ++page) {
    SCOPED_TRACE(page + 1);
    EXPECT_TRUE(Has(pages[page], header));
    EXPECT_TRUE(Has(pages[page], "Page " + std::to_string(page + 1)));
    EXPECT_TRUE(Has(pages[page], "73:00:00"));
    EXPECT_TRUE(Has(pages[page], "Entry Count:  73"));
  }
  // 36 rows a page: the last page holds the one row left.
  EXPECT_TRUE(Has(pages[0], "Entry 35") && !Has(pages[0], "Entry 36"));
  EXPECT_TRUE(Has(pages[2], "Entry 72") && !Has(pages[2], "Entry 71"));
  EXPECT_FALSE(document->IsModified());
}

TEST_F(WTimeSheetPrintoutInApp, PreviewUsesTheChosenPaperAndLeavesPicturesBehind) {
  WTimeSheetDocument * document = Open(WriteSheet("week.txt", FileLines(viewtest::SampleLines(150))));
  ASSERT_NE(document, nullptr);
  auto * view = dynamic_cast<WTimeSheetView *>(document->GetFirstView());
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 900, 700);
  ASSERT_TRUE(guitest::WaitUntil([&] { return view->Columns().mWidth[5] > 200; }));
  guitest::Command(WCommandIds::eGroupByWhoCode);
  ASSERT_TRUE(view->IsGrouped());
  EXPECT_TRUE(guitest::IsCommandEnabled(wxID_PREVIEW));

  wxImage page;
  Render(*view, 1, &page, {612, 792}, 144);
  EXPECT_NE(viewtest::SaveImage(page, "print-page-1"), "");

  wxPrintData & paper = WTimeSheetView::PrintData();
  const wxPrintData kept = paper;
  int pages[2] = {0, 0};
  for (int landscape = 0; landscape < 2; ++landscape) {
    paper.SetPaperId(wxPAPER_LETTER);
    paper.SetOrientation(landscape ? wxLANDSCAPE : wxPORTRAIT);
    guitest::Command(wxID_PREVIEW);
    wxPrintPreviewBase * preview = view->GetPrintPreview();
    ASSERT_NE(preview, nullptr);
    wxPreviewFrame * frame = view->ShowPrintPreview(); // the one open
    const auto * printout = static_cast<WTimeSheetPrintout *>(preview->GetPrintout());
    // The preview counts the pages when it first paints one.
    ASSERT_TRUE(guitest::WaitUntil([&] {
      frame->Refresh();
      frame->Update();
      return printout->PageCount() > 0;
    }));
    pages[landscape] = preview->GetMaxPage();
    preview->SetZoom(70);
    EXPECT_TRUE(preview->SetCurrentPage(2));
    EXPECT_TRUE(guitest::WaitUntil([&] {
      preview->GetCanvas()->Refresh();
      preview->GetCanvas()->Update();
      return printout->PrintInfo().CurrentPage() == 2;
    }));
    if (!landscape) {
      EXPECT_NE(viewtest::SaveImage(viewtest::CaptureScreen(frame), "print-preview"), "");
    }
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
