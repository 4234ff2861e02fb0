// The 9 by 9 plus and minus boxes of the grouped list: a blue-grey frame with lighter
// corners, a fill shading from white at the top to beige at the bottom, and a black sign.
#pragma once

#include <wx/bitmap.h>
#include <wx/image.h>

class WTreeBoxBitmaps {
public:
  static constexpr int sSize = 9;

  /// The box of a closed group (a plus sign).
  static wxImage PlusImage() { return MakeImage(true); }
  /// The box of an open group (a minus sign).
  static wxImage MinusImage() { return MakeImage(false); }

  /// The colour of the fill in row `inRow` (1 to 7, top to bottom).
  static wxColour FillColour(int inRow);
  static wxColour FrameColour() { return wxColour(120, 152, 181); }
  static wxColour CornerColour() { return wxColour(176, 194, 211); }

private:
  static wxImage MakeImage(bool inPlus);
};
