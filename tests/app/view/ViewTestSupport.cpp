// Helpers for the time sheet view tests.
#include "view/ViewTestSupport.h"

#include <cstdio>
#include <random>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/imagpng.h>
#include <wx/stdpaths.h>
#include <wx/window.h>

#include "support/GuiTestSupport.h"
#include "views/WTimeSheetView.h"

namespace viewtest {

STask MakeTask(const std::string & inLine) {
  return STask(SDateFormat(SDateFormat::eMDY), inLine.data(), static_cast<unsigned int>(inLine.size()));
}

void Append(STaskVector & ioVector, const std::vector<std::string> & inLines) {
  for (const std::string & line : inLines) {
    ioVector.push_back(MakeTask(line));
  }
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
  lines.reserve(inCount);
  for (std::size_t i = 0; i < inCount; ++i) {
    char date[16];
    std::snprintf(date, sizeof date, "%02u/%02u/2012", 1 + pick(12), 1 + pick(28));
    char duration[16];
    std::snprintf(duration, sizeof duration, "%u:%02u:00", pick(9), pick(4) * 15);
    std::string description;
    const unsigned words = 2 + pick(9);
    for (unsigned w = 0; w < words; ++w) {
      description += (w ? " " : "") + std::string(kWords[pick(std::size(kWords))]);
    }
    lines.push_back(std::string(date) + "\t" + duration + "\t" + kWho[pick(std::size(kWho))] + "\t" +
                    kJobs[pick(std::size(kJobs))] + "\t" + kCodes[pick(std::size(kCodes))] + "\t" +
                    description);
  }
  return lines;
}

ViewFrame::ViewFrame(const std::vector<std::string> & inLines, const wxSize & inSize) {
  Append(document.Data(), inLines);
  frame = new wxFrame(nullptr, wxID_ANY, "View test", wxPoint(10, 10), inSize);
  view = new WTimeSheetView(document);
  view->CreateViewWindow(frame);
  frame->Show();
  guitest::WaitUntil([this] { return frame->IsShownOnScreen() && view->GetPanel()->GetClientSize().y > 40; });
  guitest::Flush();
}

ViewFrame::~ViewFrame() {
  delete view;
  frame->Destroy();
  guitest::Flush();
}

void ViewFrame::Command(int inId) {
  wxCommandEvent event(wxEVT_MENU, inId);
  view->ProcessEvent(event);
}

bool ViewFrame::IsEnabled(int inId) {
  wxUpdateUIEvent event(inId);
  event.Enable(false);
  view->ProcessEvent(event);
  return event.GetSetEnabled() && event.GetEnabled();
}

wxImage Capture(wxWindow * inWindow) {
  inWindow->Update();
  const wxSize size = inWindow->GetSize();
  wxBitmap bitmap(size.x, size.y, 24);
  {
    wxMemoryDC memory(bitmap);
    wxWindowDC window(inWindow);
    memory.Blit(0, 0, size.x, size.y, &window, 0, 0);
  }
  return bitmap.ConvertToImage();
}

std::string SaveImage(const wxImage & inImage, const std::string & inName) {
  wxFileName folder(wxStandardPaths::Get().GetExecutablePath());
  folder.RemoveLastDir(); // the build folder holds the test folder
  folder.AppendDir("screenshots");
  folder.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  folder.SetFullName(wxString::FromUTF8(inName) + ".png");
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
    wxImage::AddHandler(new wxPNGHandler);
  return inImage.SaveFile(folder.GetFullPath(), wxBITMAP_TYPE_PNG) ? folder.GetFullPath().utf8_string() : "";
}

std::string SaveScreenshot(wxWindow * inWindow, const std::string & inName) {
  const std::string path = SaveImage(Capture(inWindow), inName);
  return path;
}

wxImage CaptureScreen(wxWindow * inWindow) {
  const wxRect rect = inWindow->GetScreenRect();
  wxBitmap shot(rect.width, rect.height);
  {
    wxScreenDC screen;
    wxMemoryDC memory(shot);
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
  }
  return shot.ConvertToImage();
}

void Mouse(wxWindow * inWindow, wxEventType inType, const wxPoint & inPoint, bool inShift, bool inControl) {
  wxMouseEvent event(inType);
  event.SetEventObject(inWindow);
  event.SetPosition(inPoint);
  event.SetShiftDown(inShift);
  event.SetControlDown(inControl);
  event.m_leftDown = inType == wxEVT_LEFT_DOWN || inType == wxEVT_LEFT_DCLICK;
  inWindow->GetEventHandler()->ProcessEvent(event);
}

void Click(wxWindow * inWindow, const wxPoint & inPoint, bool inShift, bool inControl) {
  Mouse(inWindow, wxEVT_LEFT_DOWN, inPoint, inShift, inControl);
  Mouse(inWindow, wxEVT_LEFT_UP, inPoint, inShift, inControl);
}

void DoubleClick(wxWindow * inWindow, const wxPoint & inPoint) {
  Click(inWindow, inPoint);
  Mouse(inWindow, wxEVT_LEFT_DCLICK, inPoint);
  Mouse(inWindow, wxEVT_LEFT_UP, inPoint);
}

void CharHook(wxWindow * inWindow, int inKeyCode) {
  wxKeyEvent event(wxEVT_CHAR_HOOK);
  event.SetEventObject(inWindow);
  event.m_keyCode = inKeyCode;
  inWindow->GetEventHandler()->ProcessEvent(event);
}

} // namespace viewtest
