// The one typeface of the time sheet view: Tahoma at 8.5 points, regular and bold.
#pragma once

class wxFont;

class WTahomaFont {
public:
  /// Tahoma 8.5 points, bold (weight 700) when `inBold`. Where the system has no Tahoma the
  /// text falls back to the system's default face at the same size.
  static const wxFont & Get(bool inBold = false);

  /// Makes the Tahoma that Wine ships available to this process where the system does not
  /// list it; done once, later calls do nothing. Get() calls it too.
  static void RegisterPrivateFonts();
};
