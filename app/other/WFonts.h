// The fonts the program draws with: Tahoma of 8.5 points where it can be had.
#pragma once

#include <wx/font.h>

class WFonts {
public:
  /// Makes the Tahoma faces that ship with the system's Wine fonts known to the program
  /// (where fontconfig does not list them). Call once, before the first window.
  static void RegisterPrivateFonts();

  /// Tahoma of 8.5 points (the default GUI font of that size without Tahoma); bold on
  /// request.
  static wxFont GetTahoma85(bool inBold = false);
};
