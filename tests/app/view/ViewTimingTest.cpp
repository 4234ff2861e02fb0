// Timings of the view on a large time sheet, driven through the real windows. Not part of
// the regular run (the test is disabled); run it by hand:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/tests/app_tests
//     --gtest_also_run_disabled_tests --gtest_filter='ViewTiming.*'
// with TALLY_BIG_FILE naming a 1,000,000-entry time sheet and TALLY_MERGE_FILE a
// 100,000-entry one (defaults /tmp/view-timing/big.txt and merge.txt; make them with
// gen-timesheet). It prints the figures and checks nothing about time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/print.h>
#include <wx/textctrl.h>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "application/WTallyworthApp.h"
#include "dialogs/WFilterDialog.h"
#include "documents/WDocManager.h"
#include "documents/WDeleteEntriesCommand.h"
#include "documents/WEditHistory.h"
#include "documents/WTimeSheetDocument.h"
#include "other/WModalRunner.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskVector.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetPrintout.h"
#include "views/WEntryCommands.h"
#include "views/WTimeSheetView.h"
#include "windows/WMainWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point inStart) {
  return std::chrono::duration<double, std::milli>(Clock::now() - inStart).count();
}

// The processor time this process used since `inStart`, in milliseconds (the machine may be
// shared: wall time then overstates what the program itself costs).
double CpuMilliseconds(std::clock_t inStart) { return 1000.0 * static_cast<double>(std::clock() - inStart) / CLOCKS_PER_SEC; }

// The processor milliseconds of the last Timed step.
double gLastCpu = 0;

std::string FileFrom(const char * inVariable, const char * inDefault) {
  const char * value = std::getenv(inVariable);
  return value != nullptr ? value : inDefault;
}

// Runs `inStep`, then lets `inWindow` paint; the milliseconds until the paint was done.
double Timed(wxWindow * inWindow, const std::function<void()> & inStep) {
  int paints = 0;
  auto count = [&paints](wxPaintEvent & inEvent) {
    ++paints;
    inEvent.Skip();
  };
  inWindow->Bind(wxEVT_PAINT, count);
  const Clock::time_point start = Clock::now();
  const std::clock_t cpu = std::clock();
  inStep();
  inWindow->Refresh();
  // The paint runs inside a yield; when the yield returns it is over.
  while (paints == 0 && Milliseconds(start) < 20000) {
    wxTheApp->Yield(true);
  }
  const double elapsed = Milliseconds(start);
  gLastCpu = CpuMilliseconds(cpu);
  inWindow->Unbind(wxEVT_PAINT, count);
  EXPECT_GT(paints, 0) << "no paint was timed";
  return elapsed;
}

// The milliseconds it takes to draw the rows on screen into a bitmap, on average.
template <class List>
double DrawTime(List * inList) {
  const wxSize size = inList->GetClientSize();
  wxBitmap bitmap(size.x, size.y, 24);
  wxMemoryDC dc(bitmap);
  const int repeats = 50;
  const std::clock_t start = std::clock();
  for (int i = 0; i < repeats; ++i) {
    for (std::size_t row = inList->GetVisibleRowsBegin(); row < inList->GetVisibleRowsEnd(); ++row) {
      const wxRect rect = inList->GetItemRect(row);
      inList->DrawLine(dc, row, rect, false, false, false);
    }
  }
  return CpuMilliseconds(start) / repeats;
}

struct Sheet {
  WTimeSheetDocument * mDocument = nullptr;
  WTimeSheetView * mView = nullptr;
};

Sheet Open(const std::string & inPath, double & outMilliseconds) {
  const Clock::time_point start = Clock::now();
  const std::clock_t cpu = std::clock();
  Sheet sheet;
  sheet.mDocument = dynamic_cast<WTimeSheetDocument *>(WTallyworthApp::Get().OpenDocumentFile(inPath));
  if (sheet.mDocument == nullptr) {
    return sheet;
  }
  sheet.mView = dynamic_cast<WTimeSheetView *>(sheet.mDocument->GetFirstView());
  WListListBox * list = sheet.mView->ListBox();
  guitest::WaitUntil([&] { return list->GetItemCount() == list->size() && list->IsShownOnScreen(); },
                     std::chrono::milliseconds(60000));
  list->Update();
  outMilliseconds = Milliseconds(start);
  gLastCpu = CpuMilliseconds(cpu);
  return sheet;
}

void Close(Sheet & ioSheet) {
  ioSheet.mDocument->Modify(false);
  ioSheet.mDocument->GetDocumentManager()->CloseDocument(ioSheet.mDocument, true);
  guitest::Flush();
}

// The average time to scroll to and paint a screenful at a few places in the list, and to
// draw one.
template <class List>
void PrintScrolling(const char * inName, List * inList) {
  const std::size_t count = inList->GetItemCount();
  for (double place : {0.0, 0.5, 0.999}) {
    const auto row = static_cast<std::size_t>(place * static_cast<double>(count));
    double total = 0;
    double cpu = 0;
    const int repeats = 20;
    for (int i = 0; i < repeats; ++i) {
      total += Timed(inList, [&] { inList->ScrollToRow(row + static_cast<std::size_t>(i % 2)); });
      cpu += gLastCpu;
    }
    std::printf("  %-30s row %8zu: scroll and paint %6.2f ms (cpu %5.2f), draw rows %5.2f ms cpu (%zu rows)\n",
                inName, row, total / repeats, cpu / repeats, DrawTime(inList),
                inList->GetVisibleRowsEnd() - inList->GetVisibleRowsBegin());
  }
}

// The time until the print preview shows page 1, and to turn to the last page.
void PrintPreviewTiming(const char * inName, WTimeSheetView * inView) {
  const Clock::time_point start = Clock::now();
  wxPreviewFrame * frame = inView->ShowPrintPreview();
  wxPrintPreviewBase * preview = inView->GetPrintPreview();
  const auto * printout = static_cast<WTimeSheetPrintout *>(preview->GetPrintout());
  guitest::WaitUntil([&] { return frame->Update(), printout->PageCount() > 0; });
  std::printf("  %-30s preview page 1: %6.1f ms (%d pages)\n", inName, Milliseconds(start), preview->GetMaxPage());
  const std::clock_t last = std::clock();
  preview->RenderPage(preview->GetMaxPage());
  std::printf("  %-30s render last page: %5.1f ms cpu\n", inName, CpuMilliseconds(last));
  frame->Close(true);
  guitest::Flush();
}

} // namespace

TEST(ViewTiming, DISABLED_MillionEntryTimeSheet) {
  const std::string big = FileFrom("TALLY_BIG_FILE", "/tmp/view-timing/big.txt");
  const std::string merge = FileFrom("TALLY_MERGE_FILE", "/tmp/view-timing/merge.txt");
  if (!wxFileName::FileExists(big) || !wxFileName::FileExists(merge)) {
    GTEST_SKIP() << "make " << big << " and " << merge << " with gen-timesheet first";
  }
  const bool clearAfterMerge = WTallyworthApp::sClearFilesAfterMergingFlag;
  WTallyworthApp::sClearFilesAfterMergingFlag = false;
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 1000, 760);
  guitest::Flush();

  std::printf("\nView timings (1 run each unless said; paint included)\n");
  double openBig = 0;
  Sheet sheet = Open(big, openBig);
  ASSERT_NE(sheet.mView, nullptr);
  WListListBox * list = sheet.mView->ListBox();
  WTreeListBox * tree = sheet.mView->TreeBox();
  STaskVector & data = const_cast<STaskVector &>(sheet.mDocument->GetData());
  std::printf("  open %zu entries and show them:   %8.1f ms (cpu %.1f)\n", data.size(), openBig, gLastCpu);

  PrintPreviewTiming("flat list, 1,000,000 entries", sheet.mView);
  PrintScrolling("flat list, 1,000,000 entries", list);

  for (int id = WCommandIds::eSortByDate; id <= WCommandIds::eSortByOrderInFile; ++id) {
    const double ms = Timed(list, [&] { guitest::Command(id); });
    std::printf("  sort by field %d:                   %8.1f ms (cpu %.1f)\n", id - 16416, ms, gLastCpu);
  }

  double ms = Timed(tree, [&] { guitest::Command(WCommandIds::eGroupByWhoCode); });
  std::printf("  group by who:                      %8.1f ms (cpu %.1f, %zu rows)\n", ms, gLastCpu, tree->size());
  ms = Timed(tree, [&] {
    tree->Group(STaskComparator(STaskComparator::eWhoCode, STaskComparator::eJobNumber, STaskComparator::eNop,
                                STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                                STaskComparator::eNop, 2));
    sheet.mView->SetTreeMode();
  });
  std::printf("  group by who, then job:            %8.1f ms (cpu %.1f, %zu rows)\n", ms, gLastCpu, tree->size());
  PrintScrolling("grouped list, who then job", tree);

  // Closing and opening one group near the middle: a top group (who) and one inside it (job).
  for (std::int16_t level : {0, 1}) {
    std::size_t group = 0;
    for (std::size_t row = tree->size() / 2; row-- > 0;) {
      if ((*tree)[row].Type() == WTreeListBox::Element::eBranch && (*tree)[row].Level() == level) {
        group = row;
        break;
      }
    }
    double worstToggle = 0;
    double worstToggleCpu = 0;
    for (int i = 0; i < 10; ++i) {
      worstToggle = std::max(worstToggle, Timed(tree, [&] {
                               if ((*tree)[group].Branch().IsOpen())
                                 tree->Collapse(group);
                               else
                                 tree->Expand(group);
                             }));
      worstToggleCpu = std::max(worstToggleCpu, gLastCpu);
    }
    std::printf("  close or open a group of level %d:  %8.1f ms (cpu %.1f; worst of 10, %zu rows)\n", level,
                worstToggle, worstToggleCpu, tree->size());
  }

  // Editing a cell while the grouped list shows: the entry moves to another group.
  double worst = 0;
  double worstCpu = 0;
  for (int i = 0; i < 10; ++i) {
    const std::size_t index = static_cast<std::size_t>(i) * 99991 % data.size();
    TaskFields fields = data[index];
    fields.whoCode = i % 2 ? "zz" : "aa";
    STask edited(data[index].GetDateFormat());
    edited = fields;
    worst = std::max(worst, Timed(tree, [&] {
                       data.set(index, edited);
                       tree->SyncRows();
                     }));
    worstCpu = std::max(worstCpu, gLastCpu);
  }
  std::printf("  edit a cell in the grouped list:   %8.1f ms (cpu %.1f; worst of 10)\n", worst, worstCpu);

  ms = Timed(tree, [&] {
    sheet.mDocument->MergeFiles({wxString::FromUTF8(merge)});
    tree->SyncRows();
  });
  std::printf("  merge 100,000 into the grouped list: %6.1f ms (cpu %.1f; now %zu entries, %zu rows)\n", ms,
              gLastCpu, data.size(), tree->size());
  ms = Timed(list, [&] { guitest::Command(WCommandIds::eUngroup); });
  std::printf("  ungroup:                           %8.1f ms (cpu %.1f)\n", ms, gLastCpu);

  // The Filter command: from "Filter" until the new window shows its entries.
  for (const char * expression : {"who = '**'", "duration > \"2:00\" AND NOT code = 'D'"}) {
    const WModalRunner::Runner runner = WModalRunner::SetRunner([&](wxDialog & inDialog) {
      static_cast<wxTextCtrl *>(inDialog.FindWindow(WFilterDialog::eExpressionBoxId))->SetValue(expression);
      wxCommandEvent filter(wxEVT_BUTTON, wxID_OK);
      inDialog.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(filter);
      return inDialog.GetReturnCode();
    });
    const Clock::time_point start = Clock::now();
    const std::clock_t cpu = std::clock();
    sheet.mView->OnReportFilter();
    WModalRunner::SetRunner(runner);
    Sheet filtered;
    filtered.mDocument = dynamic_cast<WTimeSheetDocument *>(WTallyworthApp::Get().GetDocManager()->GetCurrentDocument());
    ASSERT_TRUE(filtered.mDocument != nullptr && filtered.mDocument != sheet.mDocument);
    filtered.mView = dynamic_cast<WTimeSheetView *>(filtered.mDocument->GetFirstView());
    WListListBox * shown = filtered.mView->ListBox();
    guitest::WaitUntil([&] { return shown->GetItemCount() == shown->size() && shown->IsShownOnScreen(); },
                       std::chrono::milliseconds(60000));
    shown->Update();
    std::printf("  filter %-28s %8.1f ms (cpu %.1f; %zu entries)\n", expression, Milliseconds(start),
                CpuMilliseconds(cpu), shown->size());
    Close(filtered);
    sheet.mDocument->Activate();
  }

  Close(sheet);

  // The same screenful in a small time sheet, for comparison.
  testsupport::TempDir folder;
  const std::string smallPath = folder.file("small.txt");
  {
    std::FILE * out = std::fopen(smallPath.c_str(), "wb");
    for (const std::string & line : viewtest::SampleLines(1000)) {
      std::fprintf(out, "%s\r\n", line.c_str());
    }
    std::fclose(out);
  }
  double openThousand = 0;
  Sheet thousand = Open(smallPath, openThousand);
  ASSERT_NE(thousand.mView, nullptr);
  PrintPreviewTiming("flat list, 1,000 entries", thousand.mView);
  PrintScrolling("flat list, 1,000 entries", thousand.mView->ListBox());
  Close(thousand);

  main.SetSize(place);
  WTallyworthApp::sClearFilesAfterMergingFlag = clearAfterMerge;
}

TEST(ViewTiming, DISABLED_EditingAMillionEntryTimeSheet) {
  const std::string big = FileFrom("TALLY_BIG_FILE", "/tmp/view-timing/big.txt");
  if (!wxFileName::FileExists(big)) {
    GTEST_SKIP() << "make " << big << " with gen-timesheet first";
  }
  double ms = 0;
  Sheet sheet = Open(big, ms);
  ASSERT_NE(sheet.mView, nullptr);
  WTimeSheetDocument & document = *sheet.mDocument;
  WListListBox * list = sheet.mView->ListBox();
  WTreeListBox * tree = sheet.mView->TreeBox();
  WEntryCommands & commands = *sheet.mView->EntryCommands();
  const STaskVector & data = document.GetData();
  std::printf("\nEditing timings, %zu entries grouped by who then job (paint included)\n", data.size());

  ms = Timed(list, [&] { list->SelectAll(); commands.Run(wxID_COPY); });
  list->DeselectAll();
  std::printf("  copy all entries:                  %8.1f ms (cpu %.1f)\n", ms, gLastCpu);
  wxString lines;
  for (std::size_t index = 0; index < 100000; ++index) {
    lines += wxString::FromUTF8(data[index].c_str()) + "\n";
  }
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject(lines));
  wxTheClipboard->Close();
  tree->Group(STaskComparator(STaskComparator::eWhoCode, STaskComparator::eJobNumber, STaskComparator::eNop,
                              STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                              STaskComparator::eNop, 2));
  sheet.mView->SetTreeMode();
  guitest::Flush();

  std::vector<std::uint32_t> every10th;
  std::vector<STask> removed;
  for (std::uint32_t index = 3; index < data.size(); index += 10) {
    every10th.push_back(index);
    removed.push_back(data[index]);
  }
  ms = Timed(tree, [&] {
    document.GetEditHistory().Submit(
        new WDeleteEntriesCommand(document, "Delete", std::move(every10th), std::move(removed)));
    tree->SyncRows();
  });
  std::printf("  delete 100,000 scattered entries:  %8.1f ms (cpu %.1f)\n", ms, gLastCpu);
  ms = Timed(tree, [&] { commands.Run(wxID_UNDO); tree->SyncRows(); });
  std::printf("  undo that:                         %8.1f ms (cpu %.1f)\n", ms, gLastCpu);
  ms = Timed(tree, [&] { commands.Run(wxID_PASTE); tree->SyncRows(); });
  std::printf("  paste 100,000 lines:               %8.1f ms (cpu %.1f; now %zu)\n", ms, gLastCpu, data.size());
  double worst = 0, worstCpu = 0;
  for (int i = 0; i < 5; ++i) {
    std::size_t row = tree->size() / 2 + static_cast<std::size_t>(i) * 7;
    while ((*tree)[row].Type() != WTreeListBox::Element::eLeaf) {
      ++row;
    }
    tree->SetSelection(static_cast<int>(row));
    worst = std::max(worst, Timed(tree, [&] { commands.Run(wxID_DELETE); tree->SyncRows(); }));
    worstCpu = std::max(worstCpu, gLastCpu);
    worst = std::max(worst, Timed(tree, [&] { commands.Run(wxID_UNDO); tree->SyncRows(); }));
    worstCpu = std::max(worstCpu, gLastCpu);
  }
  std::printf("  delete or undo one entry:          %8.1f ms (cpu %.1f; worst of 10)\n", worst, worstCpu);
  Close(sheet);
}
