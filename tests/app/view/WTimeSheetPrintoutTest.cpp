// The printed pages of a time sheet view: rendered into a 72-dpi bitmap and printed to
// PostScript through the same printout, then read back. The native print dialog is
// never opened.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/headerctrl.h>
#include <wx/imagpng.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/stdpaths.h>

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
  printout.SetPPIScreen(96, 96);
  printout.SetPPIPrinter(inDpi, inDpi);
  printout.SetPageSizePixels(pixels.x, pixels.y);
  printout.SetPaperRectPixels(wxRect(pixels));
  printout.OnPreparePrinting();
  if (inPage > 0) {
    EXPECT_TRUE(printout.OnPrintPage(inPage));
  }
  dc.SelectObject(wxNullBitmap);
  if (outImage != nullptr)
    *outImage = bitmap.ConvertToImage();
  return printout.PageCount();
}

// One string the PostScript shows, and where it starts, in points from the paper's left.
struct Shown {
  std::string mText;
  double mX;
};
using Page = std::vector<Shown>;

bool Has(const Page & inPage, const std::string & inText, double * outX = nullptr) {
  for (const Shown & shown : inPage)
    if (shown.mText == inText) {
      if (outX != nullptr)
        *outX = shown.mX;
      return true;
    }
  return false;
}

// Prints every page of `inView` on letter paper to PostScript and reads back what each
// page shows.
std::vector<Page> PrintToPostScript(WTimeSheetView & inView) {
  testsupport::TempDir folder;
  wxPrintData data;
  data.SetPaperId(wxPAPER_LETTER);
  data.SetFilename(folder.file("pages.ps"));
  data.SetPrintMode(wxPRINT_MODE_FILE);
  wxPrintDialogData dialog(data);
  dialog.SetFromPage(1);
  dialog.SetToPage(99999);
  wxPostScriptPrinter printer(&dialog);
  EXPECT_TRUE(inView.PrintWith(printer, false));
  std::vector<Page> pages;
  std::ifstream in(folder.file("pages.ps"));
  std::string line, previous;
  while (std::getline(in, line)) {
    const std::size_t end = line.rfind(") (\\n) strsplit");
    if (line.rfind("%%Page:", 0) == 0)
      pages.emplace_back();
    else if (!pages.empty() && line.size() > 1 && line[0] == '(' && end != std::string::npos)
      pages.back().push_back({line.substr(1, end - 1), std::stod(previous)});
    previous = line;
  }
  return pages;
}

} // namespace

TEST(WTimeSheetPrintout, RowsAndPaperHeightGiveThePageCount) {
  struct Row {
    int mRows, mPaperHeight, mPages;
  } const table[] = {
      {0, 792, 1}, {36, 792, 1}, {37, 792, 2}, {72, 792, 2}, {73, 792, 3},
      // Not one row fits between header and footer: still one row a page, and more pages
      // than a 16-bit count holds.
      {4, 120, 4}, {33000, 120, 33000},
  };
  for (const Row & row : table) {
    SCOPED_TRACE(std::to_string(row.mRows) + " rows on paper " + std::to_string(row.mPaperHeight) + " high");
    ViewFrame f(Entries(row.mRows));
    EXPECT_EQ(Render(*f.view, 0, nullptr, {612, row.mPaperHeight}), row.mPages);
  }
}

TEST(WTimeSheetPrintout, FooterTotalsTheWholeSheetWithEveryHourDigit) {
  struct Row {
    int mEntries;
    const char * mDuration;
    const char * mTotal;
    const char * mCount;
  } const table[] = {
      {0, "1:00:00", "00:00:00", "Entry Count:  0"},
      {2, "6000:30:00", "12001:00:00", "Entry Count:  2"}, // more than 9999 hours
  };
  for (const Row & row : table) {
    SCOPED_TRACE(row.mTotal);
    ViewFrame f(Entries(row.mEntries, row.mDuration));
    f.Command(WCommandIds::eGroupByWhoCode); // the footer counts the sheet, not the groups
    const std::vector<Page> pages = PrintToPostScript(*f.view);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Has(pages[0], "Duration:"));
    EXPECT_TRUE(Has(pages[0], row.mTotal));
    EXPECT_TRUE(Has(pages[0], row.mCount));
    EXPECT_TRUE(Has(pages[0], "Page 1"));
    EXPECT_EQ(Has(pages[0], "Entry 0"), row.mEntries > 0);
  }
}

TEST(WTimeSheetPrintout, RowsFollowResizedColumnsWhileTitlesStayAtTheDefaults) {
  ViewFrame f(Entries(3));
  wxHeaderCtrlEvent resize(wxEVT_HEADER_END_RESIZE);
  resize.SetColumn(0);
  resize.SetWidth(76 + 40);
  f.view->GetPanel()->GetEventHandler()->ProcessEvent(resize);
  ASSERT_EQ(f.view->Columns().mOffset[1], 136);
  const std::vector<Page> pages = PrintToPostScript(*f.view);
  ASSERT_EQ(pages.size(), 1u);
  double title = 0, duration = 0, date = 0;
  ASSERT_TRUE(Has(pages[0], "Duration", &title));
  ASSERT_TRUE(Has(pages[0], "1:00:00", &duration));
  ASSERT_TRUE(Has(pages[0], "03/08/2026", &date));
  // Half an inch of margin, then the offsets in points; cells are inset by 4.
  EXPECT_NEAR(title, 36 + 96, 0.5);
  EXPECT_NEAR(date, 36 + 20 + 4, 0.5);
  EXPECT_NEAR(duration, 36 + 136 + 4, 0.5);
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
  EXPECT_TRUE(Has(pages[0], "Entry 1"));
  EXPECT_FALSE(Has(pages[0], "Entry 0"));
  EXPECT_FALSE(Has(pages[0], "Entry 58"));
}

TEST(WTimeSheetPrintout, AFailingPrinterLeavesTheSheetAlone) {
  ViewFrame f(Entries(5));
  struct Recorder : wxLog {
    int mErrors = 0;
    void DoLogTextAtLevel(wxLogLevel inLevel, const wxString &) override { mErrors += inLevel <= wxLOG_Error; }
  } recorder;
  wxLog * previous = wxLog::SetActiveTarget(&recorder);
  wxPrintData data;
  data.SetFilename("/nonexistent-folder/pages.ps");
  data.SetPrintMode(wxPRINT_MODE_FILE);
  wxPrintDialogData dialog(data);
  dialog.SetFromPage(1);
  dialog.SetToPage(99999);
  wxPostScriptPrinter printer(&dialog);
  const bool dirty = STaskDocumentData(f.document).GetIsDirty();
  const bool printed = f.view->PrintWith(printer, false);
  wxLog::SetActiveTarget(previous);
  EXPECT_FALSE(printed);
  EXPECT_GT(recorder.mErrors, 0) << "the failure went unreported";
  EXPECT_EQ(f.document.Data().size(), 5u);
  EXPECT_EQ(STaskDocumentData(f.document).GetIsDirty(), dirty);
}

using WTimeSheetPrintoutInApp = TimeSheetFixture;

TEST_F(WTimeSheetPrintoutInApp, HeaderNamesTheSheetTodayAndThePageOnEveryPage) {
  WTimeSheetDocument * document = Open(WriteSheet("sheet.txt", [] {
    std::vector<std::string> lines;
    for (const std::string & line : Entries(73))
      lines.push_back(line + "\r\n");
    return lines;
  }()));
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
  EXPECT_TRUE(Has(pages[0], "Entry 35"));
  EXPECT_FALSE(Has(pages[0], "Entry 36"));
  EXPECT_TRUE(Has(pages[1], "Entry 71"));
  EXPECT_TRUE(Has(pages[2], "Entry 72"));
  EXPECT_FALSE(Has(pages[2], "Entry 71"));
  EXPECT_FALSE(document->IsModified());
}

TEST_F(WTimeSheetPrintoutInApp, PreviewUsesTheChosenPaperAndLeavesPicturesBehind) {
  WTimeSheetDocument * document = Open(WriteSheet("week.txt", [] {
    std::vector<std::string> lines;
    for (const std::string & line : viewtest::SampleLines(150))
      lines.push_back(line + "\r\n");
    return lines;
  }()));
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
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
    wxImage::AddHandler(new wxPNGHandler);
  wxFileName png(wxStandardPaths::Get().GetExecutablePath());
  png.RemoveLastDir();
  png.AppendDir("screenshots");
  png.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  png.SetFullName("print-page-1.png");
  EXPECT_TRUE(page.SaveFile(png.GetFullPath(), wxBITMAP_TYPE_PNG));

  wxPrintData & paper = WTimeSheetView::PrintData();
  const wxPrintData kept = paper;
  int pages[2] = {0, 0};
  for (int landscape = 0; landscape < 2; ++landscape) {
    paper.SetPaperId(wxPAPER_LETTER);
    paper.SetOrientation(landscape ? wxLANDSCAPE : wxPORTRAIT);
    guitest::Command(wxID_PREVIEW);
    wxPreviewFrame * frame = nullptr;
    ASSERT_TRUE(guitest::WaitUntil([&] {
      for (wxWindow * window : wxTopLevelWindows)
        frame = frame != nullptr ? frame : dynamic_cast<wxPreviewFrame *>(window);
      return frame != nullptr && frame->IsShownOnScreen();
    }));
    wxPrintPreviewBase * preview = view->GetPrintPreview();
    ASSERT_NE(preview, nullptr);
    // The preview counts the pages when it first paints one.
    ASSERT_TRUE(guitest::WaitUntil([&] {
      frame->Refresh();
      frame->Update();
      return static_cast<WTimeSheetPrintout *>(preview->GetPrintout())->PageCount() > 0;
    }));
    pages[landscape] = preview->GetMaxPage();
    preview->SetZoom(70);
    EXPECT_TRUE(preview->SetCurrentPage(2));
    // Page 2 shows: drawn by the printout, and the canvas holds its text and rules.
    const auto * printout = static_cast<WTimeSheetPrintout *>(preview->GetPrintout());
    EXPECT_TRUE(guitest::WaitUntil([&] {
      preview->GetCanvas()->Refresh();
      preview->GetCanvas()->Update();
      return printout->PrintInfo().CurrentPage() == 2;
    }));
    const wxImage shown = viewtest::Capture(preview->GetCanvas());
    int dark = 0;
    for (int y = 0; y < shown.GetHeight() / 2; y += 2)
      for (int x = 0; x < shown.GetWidth(); x += 2)
        dark += shown.GetRed(x, y) < 100 && shown.GetGreen(x, y) < 100;
    EXPECT_GT(dark, 1000);
    if (!landscape) {
      const wxRect rect = frame->GetScreenRect();
      wxBitmap shot(rect.width, rect.height);
      wxMemoryDC memory(shot);
      wxScreenDC screen;
      memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
      memory.SelectObject(wxNullBitmap);
      png.SetFullName("print-preview.png");
      EXPECT_TRUE(shot.ConvertToImage().SaveFile(png.GetFullPath(), wxBITMAP_TYPE_PNG));
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
