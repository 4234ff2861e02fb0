// The program's pictures, drawn from pixel maps held in the code: the direction arrows,
// the file status icons and the file settings button.
#pragma once

#include <wx/bitmap.h>

class WImages {
public:
  enum EId : unsigned {
    eAscendingArrow = 16384,          ///< 13x13: a level sorted ascending
    eDescendingArrow = 16385,         ///< 13x13: a level sorted descending
    eDescendingArrowPressed = 16386,  ///< 13x13: the descending arrow pressed
    eAscendingArrowPressed = 16387,   ///< 13x13: the ascending arrow pressed
    eUntouchedIcon = 16390,   ///< 16x16: the time sheet is unchanged
    eTouchedIcon = 16391,     ///< 16x16: changed since it was read or saved
    eNeverSavedIcon = 16392,  ///< 16x16: changed and never saved to a file
    eFileSettingsUp = 16393,  ///< 15x15: the file settings button at rest
    eFileSettingsDown = 16394 ///< 15x15: the file settings button pressed
  };

  /// The picture inId; an invalid bitmap for an id the program does not hold.
  static wxBitmap Get(unsigned inId);
};
