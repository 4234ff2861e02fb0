// The about box's picture, drawn in code so that it is sharp at every scale: the
// program's icon (a time sheet with a tally and a clock, as in packaging/icons) beside the
// program's name, on the icon's teal.
#pragma once

#include <wx/dc.h>
#include <wx/gdicmn.h>

class WAboutPicture {
public:
  /// Draws the picture to fill inRect of inDC, anti-aliased.
  static void Draw(wxDC & inDC, const wxRect & inRect);
};
