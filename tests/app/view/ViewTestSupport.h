// Helpers for the view tests: tasks, a frame holding a view, the mouse, keys and pictures.
#pragma once

#include <string>
#include <vector>

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
void Append(STaskVector & ioVector, const std::vector<std::string> & inLines);
/// inCount lines of a plausible time sheet, the same for the same seed.
std::vector<std::string> SampleLines(std::size_t inCount, unsigned inSeed = 7);

/// A shown frame whose only child is the window of a view of `document`.
class ViewFrame {
public:
  explicit ViewFrame(const std::vector<std::string> & inLines = {}, const wxSize & inSize = wxSize(720, 420));
  ~ViewFrame();
  ViewFrame(const ViewFrame &) = delete;
  ViewFrame & operator=(const ViewFrame &) = delete;
  /// Sends a menu command to the view as the window's menu would.
  void Command(int inId);

  TestDocument document;
  wxFrame * frame = nullptr;
  WTimeSheetView * view = nullptr;
};

/// What inWindow shows now, read from the window, or from the screen (frame and menus too).
wxImage Capture(wxWindow * inWindow, bool inFromScreen = false);
/// Saves inImage to build/screenshots/inName.png; returns the path, empty when it failed.
std::string SaveImage(const wxImage & inImage, const std::string & inName);
/// Saves what inWindow shows (see Capture) to build/screenshots/inName.png.
std::string SaveScreenshot(wxWindow * inWindow, const std::string & inName, bool inFromScreen = false);

/// Sends a mouse event of inType at inPoint (client coordinates) to inWindow.
void Mouse(wxWindow * inWindow, wxEventType inType, const wxPoint & inPoint);
/// A left click; a double click is down, up, double click, up.
void Click(wxWindow * inWindow, const wxPoint & inPoint, bool inDouble = false);
/// Sends a key that the window's char hook sees first.
void CharHook(wxWindow * inWindow, int inKeyCode);

} // namespace viewtest
