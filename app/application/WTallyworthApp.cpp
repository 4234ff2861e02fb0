// The application object.
#include "application/WTallyworthApp.h"

#include <wx/frame.h>

bool WTallyworthApp::OnInit() {
  auto * frame = new wxFrame(nullptr, wxID_ANY, "Tallyworth");
  frame->Show();
  return true;
}
