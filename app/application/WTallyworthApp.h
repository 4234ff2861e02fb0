// The application object: starts the program and owns what the whole process shares.
#pragma once

#include <wx/app.h>

class WTallyworthApp : public wxApp {
public:
  /// Starts the program: shows the main frame.
  bool OnInit() override;
};

wxDECLARE_APP(WTallyworthApp);
