// Helpers for the view tests: tasks, the mouse, keys and pictures.
#pragma once

#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/image.h>

#include "tasks/STaskVector.h"

namespace viewtest {

/// A task in month-day-year order from one line of text.
STask MakeTask(const std::string & inLine);
void Append(STaskVector & ioVector, const std::vector<std::string> & inLines);
/// inCount lines of a plausible time sheet, the same for the same seed.
std::vector<std::string> SampleLines(std::size_t inCount, unsigned inSeed = 7);

/// What inWindow shows now, read from the window, or from the screen (frame and menus too).
wxImage Capture(wxWindow * inWindow, bool inFromScreen = false);
/// Saves inImage to build/screenshots/inName.png; returns the path, empty when it failed.
std::string SaveImage(const wxImage & inImage, const std::string & inName);
/// Saves what inWindow shows (see Capture) to build/screenshots/inName.png.
std::string SaveScreenshot(wxWindow * inWindow, const std::string & inName, bool inFromScreen = false);

/// A left click at inPoint (client coordinates) of inWindow; a double click is down, up, double click, up.
void Click(wxWindow * inWindow, const wxPoint & inPoint, bool inDouble = false);
/// Sends a key that the window's char hook sees first.
void CharHook(wxWindow * inWindow, int inKeyCode);

} // namespace viewtest
