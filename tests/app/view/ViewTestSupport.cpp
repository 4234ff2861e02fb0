// Helpers for the view tests.
#include "view/ViewTestSupport.h"

#include <cstdio>
#include <memory>
#include <random>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/imagpng.h>
#include <wx/stdpaths.h>

#include "support/GuiTestSupport.h"

namespace viewtest {

STask MakeTask(const std::string & inLine) {
  return STask(SDateFormat(SDateFormat::eMDY), inLine.data(), static_cast<unsigned int>(inLine.size()));
}

void Append(STaskVector & ioVector, const std::vector<std::string> & inLines) {
  for (const std::string & line : inLines)
    ioVector.push_back(MakeTask(line));
}

std::vector<std::string> SampleLines(std::size_t inCount, unsigned inSeed) {
  static const char * const kWho[] = {"AB", "CD", "EF", "GH", "JK", "LM"};
  static const char * const kJobs[] = {"1001", "1002", "1017", "2040", "2041", "3100", "905"};
  static const char * const kCodes[] = {"DEV", "MTG", "DOC", "TRV", "SUP"};
  static const char * const kWords[] = {"Review", "of", "the", "quarterly", "figures", "call", "with", "client",
                                        "drafting", "contract", "site", "visit", "planning", "budget", "notes"};
  std::mt19937 random(inSeed);
  auto pick = [&random](unsigned inCount) { return static_cast<unsigned>(random() % inCount); };
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < inCount; ++i) {
    // The order of the draws is the compiler's; the pictures of the guide rely on it.
    char date[16], duration[16];
    std::snprintf(date, sizeof date, "%02u/%02u/2012", 1 + pick(12), 1 + pick(28));
    std::snprintf(duration, sizeof duration, "%u:%02u:00", pick(9), pick(4) * 15);
    std::string description;
    for (unsigned w = 0, words = 2 + pick(9); w < words; ++w)
      description += (w ? " " : "") + std::string(kWords[pick(std::size(kWords))]);
    lines.push_back(std::string(date) + "\t" + duration + "\t" + kWho[pick(std::size(kWho))] + "\t" +
                    kJobs[pick(std::size(kJobs))] + "\t" + kCodes[pick(std::size(kCodes))] + "\t" + description);
  }
  return lines;
}

wxImage Capture(wxWindow * inWindow, bool inFromScreen) {
  inWindow->Update();
  const wxRect rect = inFromScreen ? inWindow->GetScreenRect() : wxRect(inWindow->GetSize());
  wxBitmap bitmap(rect.width, rect.height, 24);
  {
    wxMemoryDC memory(bitmap);
    std::unique_ptr<wxDC> source(inFromScreen ? static_cast<wxDC *>(new wxScreenDC) : new wxWindowDC(inWindow));
    memory.Blit(0, 0, rect.width, rect.height, source.get(), inFromScreen ? rect.x : 0, inFromScreen ? rect.y : 0);
  }
  return bitmap.ConvertToImage();
}

std::string SaveImage(const wxImage & inImage, const std::string & inName) {
  wxFileName file(wxStandardPaths::Get().GetExecutablePath());
  file.RemoveLastDir(); // the build folder holds the test folder
  file.AppendDir("screenshots");
  file.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  file.SetFullName(wxString::FromUTF8(inName) + ".png");
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
    wxImage::AddHandler(new wxPNGHandler);
  return inImage.SaveFile(file.GetFullPath(), wxBITMAP_TYPE_PNG) ? file.GetFullPath().utf8_string() : "";
}

std::string SaveScreenshot(wxWindow * inWindow, const std::string & inName, bool inFromScreen) {
  if (inFromScreen) {
    inWindow->Raise();
    inWindow->Refresh();
    // Without a window manager, what a closed window uncovered is drawn again only later.
    guitest::WaitUntil([] { return false; }, std::chrono::milliseconds(500));
  }
  return SaveImage(Capture(inWindow, inFromScreen), inName);
}

void Click(wxWindow * inWindow, const wxPoint & inPoint, bool inDouble) {
  for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP}) {
    if (!inDouble && type == wxEVT_LEFT_DCLICK)
      continue;
    wxMouseEvent event(type);
    event.SetEventObject(inWindow);
    event.SetPosition(inPoint);
    event.m_leftDown = type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK;
    inWindow->GetEventHandler()->ProcessEvent(event);
  }
}

void CharHook(wxWindow * inWindow, int inKeyCode) {
  wxKeyEvent event(wxEVT_CHAR_HOOK);
  event.SetEventObject(inWindow);
  event.m_keyCode = inKeyCode;
  inWindow->GetEventHandler()->ProcessEvent(event);
}

} // namespace viewtest
