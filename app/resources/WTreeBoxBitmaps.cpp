// The plus and minus boxes of the grouped list, drawn pixel by pixel.
#include "resources/WTreeBoxBitmaps.h"

wxColour WTreeBoxBitmaps::FillColour(int inRow) {
  // White at the top row of the fill, beige at its bottom row, evenly in between.
  const int step = inRow - 1;
  const int steps = sSize - 3;
  auto mix = [&](int inBottom) { return static_cast<unsigned char>(255 - (255 - inBottom) * step / steps); };
  return wxColour(mix(194), mix(184), mix(168));
}

wxImage WTreeBoxBitmaps::MakeImage(bool inPlus) {
  wxImage image(sSize, sSize);
  const int last = sSize - 1;
  const int middle = sSize / 2;
  for (int y = 0; y < sSize; ++y) {
    for (int x = 0; x < sSize; ++x) {
      wxColour colour;
      const bool onFrame = x == 0 || y == 0 || x == last || y == last;
      const bool corner = (x == 0 || x == last) && (y == 0 || y == last);
      if (corner) {
        colour = CornerColour();
      } else if (onFrame) {
        colour = FrameColour();
      } else if ((y == middle && x >= 2 && x <= last - 2) || (inPlus && x == middle && y >= 2 && y <= last - 2)) {
        colour = *wxBLACK;
      } else {
        colour = FillColour(y);
      }
      image.SetRGB(x, y, colour.Red(), colour.Green(), colour.Blue());
    }
  }
  return image;
}
