// Pictures of windows for a person to look at, saved under the build folder
// (build/screenshots, found from the test program build/tests/app_tests).
#pragma once

#include <filesystem>
#include <string>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/stdpaths.h>
#include <wx/window.h>

#include "support/GuiTestSupport.h"

namespace guitest {

/// Draws inWindow as it is on the screen into build/screenshots/inName; false on failure.
inline bool SaveScreenshot(wxWindow & inWindow, const std::string & inName) {
  inWindow.Raise();
  inWindow.Refresh();
  inWindow.Update();
  // Without a window manager, what a closed window uncovered is drawn again only later.
  WaitUntil([] { return false; }, std::chrono::milliseconds(500));
  const std::filesystem::path folder =
      std::filesystem::path(wxStandardPaths::Get().GetExecutablePath().utf8_string()).parent_path().parent_path() /
      "screenshots";
  std::filesystem::create_directories(folder);
  const wxRect rect = inWindow.GetScreenRect();
  wxBitmap shot(rect.width, rect.height);
  {
    wxScreenDC screen;
    wxMemoryDC memory(shot);
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
  }
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
    wxImage::AddHandler(new wxPNGHandler);
  return shot.ConvertToImage().SaveFile((folder / inName).string(), wxBITMAP_TYPE_PNG);
}

} // namespace guitest
