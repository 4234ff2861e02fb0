// Helpers for the time sheet view tests: a document to show, a frame holding a view, lines
// of a realistic time sheet, and looking at what a window drew.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "tasks/STaskDocument.h"
#include "tasks/STaskVector.h"

class WTimeSheetView;

namespace viewtest {

/// A document that never empties merged files and lets the tests change its tasks.
class TestDocument : public STaskDocument {
public:
  bool WantToClearMergeStream(STaskStream *) override { return false; }
  STaskVector & Data() { return mData; }
};

/// A task in month-day-year order from one line of text.
STask MakeTask(const std::string & inLine);
/// Appends tasks made from `inLines` to `ioVector`.
void Append(STaskVector & ioVector, const std::vector<std::string> & inLines);

/// `inCount` lines of a plausible time sheet (several people, jobs and codes, a few long
/// descriptions), the same for the same seed.
std::vector<std::string> SampleLines(std::size_t inCount, unsigned inSeed = 7);

/// A shown frame of `inSize` whose only child is the window of a view of `document`.
class ViewFrame {
public:
  explicit ViewFrame(const std::vector<std::string> & inLines = {}, const wxSize & inSize = wxSize(720, 420));
  ~ViewFrame();
  ViewFrame(const ViewFrame &) = delete;
  ViewFrame & operator=(const ViewFrame &) = delete;

  TestDocument document;
  wxFrame * frame = nullptr;
  WTimeSheetView * view = nullptr;

  /// Sends a menu command to the view as the window's menu would.
  void Command(int inId);
  /// Whether the view enables command `inId`.
  bool IsEnabled(int inId);
};

/// What `inWindow` shows now, read back from the screen.
wxImage Capture(wxWindow * inWindow);
/// Saves what `inWindow` shows to build/screenshots/`inName`.png; returns the path.
std::string SaveScreenshot(wxWindow * inWindow, const std::string & inName);
/// Saves `inImage` to build/screenshots/`inName`.png; returns the path, empty when it failed.
std::string SaveImage(const wxImage & inImage, const std::string & inName);
/// What the screen shows inside `inWindow`, frame and menus included.
wxImage CaptureScreen(wxWindow * inWindow);

/// Sends a mouse event of `inType` at `inPoint` (client coordinates) to `inWindow`.
void Mouse(wxWindow * inWindow, wxEventType inType, const wxPoint & inPoint, bool inShift = false,
           bool inControl = false);
/// Sends a left click (down and up) at `inPoint`.
void Click(wxWindow * inWindow, const wxPoint & inPoint, bool inShift = false, bool inControl = false);
/// Sends a double click (down, up, double click, up) at `inPoint`.
void DoubleClick(wxWindow * inWindow, const wxPoint & inPoint);
/// Sends a key that the window's char hook sees first.
void CharHook(wxWindow * inWindow, int inKeyCode);

} // namespace viewtest
