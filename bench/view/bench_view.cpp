// Timings of the view on a large time sheet, driven through the real windows as the
// interface tests drive them. Built with the interface tests' support; run it by hand:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bench/bench_view
//     --gtest_also_run_disabled_tests --gtest_filter='ViewTiming.*'
// with TALLY_BIG_FILE naming a 1,000,000-entry time sheet and TALLY_MERGE_FILE a
// 100,000-entry one (defaults /tmp/view-timing/big.txt and merge.txt; make them with
// gen-timesheet). It prints the figures and checks nothing about time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/print.h>
#include <wx/textctrl.h>

#include "dialogs/WFilterDialog.h"
#include "documents/WDeleteEntriesCommand.h"
#include "documents/WDocManager.h"
#include "documents/WEditHistory.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "views/WEntryCommands.h"
#include "views/WTimeSheetPrintout.h"
#include "windows/WMainWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

// Wall and processor milliseconds since a start (the machine may be shared: wall time then
// overstates what the program itself costs).
struct Timing {
  double mWall = 0, mCpu = 0;
};

struct Stopwatch {
  Clock::time_point mWall = Clock::now();
  std::clock_t mCpu = std::clock();
  double Wall() const { return std::chrono::duration<double, std::milli>(Clock::now() - mWall).count(); }
  double Cpu() const { return 1000.0 * static_cast<double>(std::clock() - mCpu) / CLOCKS_PER_SEC; }
  Timing Elapsed() const { return {Wall(), Cpu()}; }
};

void Report(const std::string & inWhat, const Timing & inTiming, const std::string & inMore = "") {
  std::printf("  %-34s %8.1f ms (cpu %.1f%s)\n", (inWhat + ":").c_str(), inTiming.mWall, inTiming.mCpu, inMore.c_str());
}

std::string FileFrom(const char * inVariable, const char * inDefault) {
  return std::getenv(inVariable) != nullptr ? std::getenv(inVariable) : inDefault;
}

// Runs inStep, then lets inWindow paint; the time until the paint was done.
Timing Timed(wxWindow * inWindow, const std::function<void()> & inStep) {
  int paints = 0;
  auto count = [&paints](wxPaintEvent & inEvent) { ++paints, inEvent.Skip(); };
  inWindow->Bind(wxEVT_PAINT, count);
  const Stopwatch watch;
  inStep();
  inWindow->Refresh();
  while (paints == 0 && watch.Wall() < 20000) // the paint runs inside a yield
    wxTheApp->Yield(true);
  const Timing timing = watch.Elapsed();
  inWindow->Unbind(wxEVT_PAINT, count);
  EXPECT_GT(paints, 0) << "no paint was timed";
  return timing;
}

// Runs inStep(0), inStep(1), ... inRepeats times, each followed by a paint of inWindow, and
// reports the slowest; with several runs also their median, which a busy machine moves less.
void Measure(const std::string & inName, wxWindow * inWindow, int inRepeats, const std::function<void(int)> & inStep,
             const std::function<std::string()> & inMore = {}) {
  std::vector<Timing> timings;
  for (int i = 0; i < inRepeats; ++i)
    timings.push_back(Timed(inWindow, [&] { inStep(i); }));
  Timing worst;
  for (const Timing & one : timings)
    worst = {std::max(worst.mWall, one.mWall), std::max(worst.mCpu, one.mCpu)};
  std::string more = inMore ? inMore() : "";
  if (timings.size() > 1) {
    const auto middle = timings.begin() + static_cast<std::ptrdiff_t>(timings.size() / 2);
    std::nth_element(timings.begin(), middle, timings.end(),
                     [](const Timing & inA, const Timing & inB) { return inA.mWall < inB.mWall; });
    char median[64];
    std::snprintf(median, sizeof median, "; median %.1f ms", middle->mWall);
    more += median;
  }
  Report(inName, worst, more);
}

// Waits until inView's flat list shows every entry; the time since inWatch started.
Timing Shown(WTimeSheetView & inView, const Stopwatch & inWatch) {
  WListListBox * list = inView.ListBox();
  guitest::WaitUntil([&] { return list->GetItemCount() == list->size() && list->IsShownOnScreen(); },
                     std::chrono::milliseconds(60000));
  list->Update();
  return inWatch.Elapsed();
}

// Opens inPath and waits until it shows; null when it failed.
WTimeSheetView * OpenAndShow(const std::string & inPath, Timing & outTiming) {
  const Stopwatch watch;
  WTimeSheetDocument * document = TimeSheetFixture::Open(inPath);
  if (document == nullptr)
    return nullptr;
  outTiming = Shown(TimeSheetFixture::View(document), watch);
  return &TimeSheetFixture::View(document);
}

void Close(WTimeSheetView * inView) {
  inView->GetDocument()->Modify(false);
  guitest::DocManager().CloseDocument(inView->GetDocument(), true);
  guitest::Flush();
}

// The average time to scroll to and paint a screenful at a few places in the list, and to
// draw one into a bitmap.
template <class List>
void PrintScrolling(const char * inName, List * inList) {
  for (double place : {0.0, 0.5, 0.999}) {
    const auto row = static_cast<std::size_t>(place * static_cast<double>(inList->GetItemCount()));
    Timing total;
    const int repeats = 20;
    for (int i = 0; i < repeats; ++i) {
      const Timing one = Timed(inList, [&] { inList->ScrollToRow(row + static_cast<std::size_t>(i % 2)); });
      total.mWall += one.mWall / repeats, total.mCpu += one.mCpu / repeats;
    }
    const wxSize size = inList->GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    wxMemoryDC dc(bitmap);
    const Stopwatch draw;
    for (int i = 0; i < 50; ++i)
      for (std::size_t shown = inList->GetVisibleRowsBegin(); shown < inList->GetVisibleRowsEnd(); ++shown)
        inList->DrawLine(dc, shown, inList->GetItemRect(shown), false, false, false);
    std::printf("  %-30s row %8zu: scroll and paint %6.2f ms (cpu %5.2f), draw rows %5.2f ms cpu (%zu rows)\n",
                inName, row, total.mWall, total.mCpu, draw.Cpu() / 50,
                inList->GetVisibleRowsEnd() - inList->GetVisibleRowsBegin());
  }
}

// The time until the print preview shows page 1, and to turn to the last page.
void PrintPreviewTiming(const char * inName, WTimeSheetView * inView) {
  const Stopwatch watch;
  wxPreviewFrame * frame = inView->ShowPrintPreview();
  wxPrintPreviewBase * preview = inView->GetPrintPreview();
  const auto * printout = static_cast<WTimeSheetPrintout *>(preview->GetPrintout());
  guitest::WaitUntil([&] { return frame->Update(), printout->PageCount() > 0; });
  std::printf("  %-30s preview page 1: %6.1f ms (%d pages)\n", inName, watch.Wall(), preview->GetMaxPage());
  const Stopwatch last;
  preview->RenderPage(preview->GetMaxPage());
  std::printf("  %-30s render last page: %5.1f ms cpu\n", inName, last.Cpu());
  frame->Close(true);
  guitest::Flush();
}

const STaskComparator kWhoThenJob(STaskComparator::eWhoCode, STaskComparator::eJobNumber, STaskComparator::eNop,
                                  STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                                  STaskComparator::eNop, 2);

} // namespace

using ViewTiming = TimeSheetFixture;

TEST_F(ViewTiming, DISABLED_MillionEntryTimeSheet) {
  const std::string big = FileFrom("TALLY_BIG_FILE", "/tmp/view-timing/big.txt");
  const std::string merge = FileFrom("TALLY_MERGE_FILE", "/tmp/view-timing/merge.txt");
  if (!wxFileName::FileExists(big) || !wxFileName::FileExists(merge))
    GTEST_SKIP() << "make " << big << " and " << merge << " with gen-timesheet first";
  WTallyworthApp::sClearFilesAfterMergingFlag = false;
  wxFrame & main = guitest::MainWindow();
  const wxRect place = main.GetRect();
  main.SetSize(0, 0, 1000, 760);
  guitest::Flush();

  std::printf("\nView timings (1 run each unless said; paint included)\n");
  Timing timing;
  WTimeSheetView * view = OpenAndShow(big, timing);
  ASSERT_NE(view, nullptr);
  WListListBox * list = view->ListBox();
  WTreeListBox * tree = view->TreeBox();
  auto & document = *static_cast<WTimeSheetDocument *>(view->GetDocument());
  STaskVector & data = const_cast<STaskVector &>(document.GetData());
  Report("open " + std::to_string(data.size()) + " entries and show them", timing);
  PrintPreviewTiming("flat list, 1,000,000 entries", view);
  PrintScrolling("flat list, 1,000,000 entries", list);

  const auto rows = [&] { return ", " + std::to_string(tree->size()) + " rows"; };
  for (int id = WCommandIds::eSortByDate; id <= WCommandIds::eSortByOrderInFile; ++id)
    Measure("sort by field " + std::to_string(id - WCommandIds::eSortByDate + 1), list, 1, [&](int) { guitest::Command(id); });
  Measure("group by who", tree, 1, [](int) { guitest::Command(WCommandIds::eGroupByWhoCode); }, rows);
  Measure("group by who, then job", tree, 1, [&](int) { tree->Group(kWhoThenJob), view->SetTreeMode(); }, rows);
  PrintScrolling("grouped list, who then job", tree);
  // Closing and opening one group near the middle: a top group (who) and one inside it (job).
  for (std::int16_t level : {0, 1}) {
    std::size_t group = tree->size() / 2;
    while (group > 0 && ((*tree)[group].Type() != WTreeListBox::Element::eBranch || (*tree)[group].Level() != level))
      --group;
    Measure("close or open a group of level " + std::to_string(level), tree, 10,
            [&](int) { (*tree)[group].Branch().IsOpen() ? tree->Collapse(group) : tree->Expand(group); },
            [&] { return "; worst of 10" + rows(); });
  }
  // Editing a cell while the grouped list shows: the entry moves to another group.
  Measure("edit a cell in the grouped list", tree, 10, [&](int i) {
    const std::size_t index = static_cast<std::size_t>(i) * 99991 % data.size();
    TaskFields fields = data[index];
    fields.whoCode = i % 2 ? "zz" : "aa";
    STask edited(data[index].GetDateFormat());
    edited = fields;
    data.set(index, edited), tree->SyncRows();
  }, [] { return std::string("; worst of 10"); });
  Measure("merge 100,000 into the grouped list", tree, 1,
          [&](int) { document.MergeFiles({wxString::FromUTF8(merge)}), tree->SyncRows(); },
          [&] { return "; now " + std::to_string(data.size()) + " entries" + rows(); });
  Measure("ungroup", list, 1, [](int) { guitest::Command(WCommandIds::eUngroup); });
  // The Filter command: from "Filter" until the new window shows its entries.
  for (const char * expression : {"who = '**'", "duration > \"2:00\" AND NOT code = 'D'"}) {
    Prompts().AnswerDialog([&](wxDialog & inDialog) {
      static_cast<wxTextCtrl *>(inDialog.FindWindow(WFilterDialog::eExpressionBoxId))->SetValue(expression);
      wxCommandEvent filter(wxEVT_BUTTON, wxID_OK);
      inDialog.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(filter);
      return inDialog.GetReturnCode();
    });
    const Stopwatch watch;
    view->OnReportFilter();
    auto * filtered = dynamic_cast<WTimeSheetDocument *>(guitest::DocManager().GetCurrentDocument());
    ASSERT_TRUE(filtered != nullptr && filtered != &document);
    WTimeSheetView & shown = TimeSheetFixture::View(filtered);
    Report(std::string("filter ") + expression, Shown(shown, watch), "; " + std::to_string(shown.ListBox()->size()) + " entries");
    Close(&shown);
    document.Activate();
  }
  Close(view);
  // The same screenful in a small time sheet, for comparison.
  WTimeSheetView * thousand = OpenAndShow(WriteSheet("small.txt", viewtest::SampleLines(1000)), timing);
  ASSERT_NE(thousand, nullptr);
  PrintPreviewTiming("flat list, 1,000 entries", thousand);
  PrintScrolling("flat list, 1,000 entries", thousand->ListBox());
  main.SetSize(place);
}

TEST_F(ViewTiming, DISABLED_EditingAMillionEntryTimeSheet) {
  const std::string big = FileFrom("TALLY_BIG_FILE", "/tmp/view-timing/big.txt");
  if (!wxFileName::FileExists(big))
    GTEST_SKIP() << "make " << big << " with gen-timesheet first";
  Timing timing;
  WTimeSheetView * view = OpenAndShow(big, timing);
  ASSERT_NE(view, nullptr);
  auto & document = *static_cast<WTimeSheetDocument *>(view->GetDocument());
  WListListBox * list = view->ListBox();
  WTreeListBox * tree = view->TreeBox();
  WEntryCommands & commands = *view->EntryCommands();
  const STaskVector & data = document.GetData();
  std::printf("\nEditing timings, %zu entries grouped by who then job (paint included)\n", data.size());
  Measure("copy all entries", list, 1, [&](int) { list->SelectAll(), commands.Run(wxID_COPY); });
  list->DeselectAll();
  wxString lines;
  for (std::size_t index = 0; index < 100000; ++index)
    lines += wxString::FromUTF8(data[index].c_str()) + "\n";
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject(lines));
  wxTheClipboard->Close();
  tree->Group(kWhoThenJob);
  view->SetTreeMode();
  guitest::Flush();

  std::vector<std::uint32_t> every10th;
  std::vector<STask> removed;
  for (std::uint32_t index = 3; index < data.size(); index += 10)
    every10th.push_back(index), removed.push_back(data[index]);
  const auto run = [&](int inId) { return [&, inId](int) { commands.Run(inId), tree->SyncRows(); }; };
  Measure("delete 100,000 scattered entries", tree, 1, [&](int) {
    document.GetEditHistory().Submit(new WDeleteEntriesCommand(document, "Delete", std::move(every10th), std::move(removed)));
    tree->SyncRows();
  });
  Measure("undo that", tree, 1, run(wxID_UNDO));
  Measure("paste 100,000 lines", tree, 1, run(wxID_PASTE), [&] { return "; now " + std::to_string(data.size()); });
  // Deleting an entry near the middle, then undoing that.
  Measure("delete or undo one entry", tree, 20, [&](int i) {
    if (i % 2 == 0) {
      std::size_t row = tree->size() / 2 + static_cast<std::size_t>(i / 2) * 7;
      while ((*tree)[row].Type() != WTreeListBox::Element::eLeaf)
        ++row;
      tree->SetSelection(static_cast<int>(row));
    }
    run(i % 2 == 0 ? wxID_DELETE : wxID_UNDO)(i);
  }, [] { return std::string("; worst of 20"); });
}
