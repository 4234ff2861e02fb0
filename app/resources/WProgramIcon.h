// The program's icon (a time sheet with a tally and a clock) at 16 to 256 pixels, for the
// windows' title bars and task switchers.
#pragma once

#include <wx/iconbndl.h>

class WProgramIcon {
public:
  /// The icon at every size it is drawn at; empty where the toolkit cannot read PNG.
  static wxIconBundle Bundle();
};
