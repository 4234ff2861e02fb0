// The program's pictures, drawn from pixel maps held in the code.
#include "resources/WImages.h"

#include <array>
#include <string>
#include <vector>

#include <wx/image.h>

namespace {

struct SInk {
  char mKey;
  unsigned char mRed, mGreen, mBlue;
};

// One row of text per pixel row; a blank is transparent, every other character one ink.
wxImage ImageFromRows(const std::vector<std::string> & inRows, const std::vector<SInk> & inInks) {
  const int height = static_cast<int>(inRows.size());
  const int width = static_cast<int>(inRows.front().size());
  wxImage image(width, height);
  image.InitAlpha();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const char key = x < static_cast<int>(inRows[y].size()) ? inRows[y][x] : ' ';
      image.SetRGB(x, y, 0, 0, 0);
      image.SetAlpha(x, y, 0);
      for (const SInk & ink : inInks) {
        if (ink.mKey == key) {
          image.SetRGB(x, y, ink.mRed, ink.mGreen, ink.mBlue);
          image.SetAlpha(x, y, 255);
        }
      }
    }
  }
  return image;
}

// A sheet of paper with a folded corner and three lines of writing.
std::vector<std::string> PageRows() {
  return {
      "                ",
      "  .........     ",
      "  .wwwwwww..    ",
      "  .wwwwwww.w.   ",
      "  .wwwwwww.ww.  ",
      "  .wwwwwww....  ",
      "  .wwwwwwwwww.  ",
      "  .w--------w.  ",
      "  .wwwwwwwwww.  ",
      "  .w--------w.  ",
      "  .wwwwwwwwww.  ",
      "  .w------www.  ",
      "  .wwwwwwwwww.  ",
      "  .wwwwwwwwww.  ",
      "  ............  ",
      "                ",
  };
}

// Paints inMark (5x5, blanks leave the page) into the bottom-right corner of the page.
std::vector<std::string> WithMark(std::vector<std::string> ioRows, const std::array<const char *, 5> & inMark) {
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const char key = inMark[y][x];
      if (key != ' ')
        ioRows[10 + y][10 + x] = key;
    }
  }
  return ioRows;
}

const std::vector<SInk> kPageInks = {
    {'.', 96, 96, 96}, {'w', 255, 255, 255}, {'-', 150, 150, 150},
    {'r', 214, 40, 40}, {'R', 140, 20, 20},   {'b', 30, 100, 215}, {'B', 15, 55, 140},
};

wxImage UntouchedIcon() { return ImageFromRows(PageRows(), kPageInks); }

wxImage TouchedIcon() {
  // A red dot: changed since the last read or save.
  return ImageFromRows(WithMark(PageRows(), {" RRR ", "RrrrR", "RrrrR", "RrrrR", " RRR "}), kPageInks);
}

wxImage NeverSavedIcon() {
  // A blue star: new, never written to a file.
  return ImageFromRows(WithMark(PageRows(), {"b B b", " bBb ", "BBbBB", " bBb ", "b B b"}), kPageInks);
}

// A 15x15 push button with a small arrow pointing up (the menu opens above it).
wxImage FileSettingsButton(bool inDown) {
  std::vector<std::string> rows(15, std::string(15, 'f'));
  const char light = inDown ? 'k' : 'h';
  const char dark = inDown ? 'h' : 'k';
  const char innerLight = inDown ? 's' : 'f';
  const char innerDark = inDown ? 'f' : 's';
  for (int i = 0; i < 15; ++i) {
    rows[0][i] = light;
    rows[i][0] = light;
    rows[14][i] = dark;
    rows[i][14] = dark;
  }
  for (int i = 1; i < 14; ++i) {
    rows[1][i] = innerLight;
    rows[i][1] = innerLight;
    rows[13][i] = innerDark;
    rows[i][13] = innerDark;
  }
  rows[14][0] = dark;
  rows[0][14] = dark;
  const int shift = inDown ? 1 : 0;
  for (int step = 0; step < 4; ++step) {
    for (int x = 7 - step; x <= 7 + step; ++x)
      rows[5 + step + shift][x + shift] = 'a';
  }
  return ImageFromRows(rows, {{'f', 212, 208, 200},
                              {'h', 255, 255, 255},
                              {'s', 128, 128, 128},
                              {'k', 64, 64, 64},
                              {'a', 0, 0, 0}});
}

// A 13x13 flat button with a black arrow pointing up (ascending) or down (descending);
// pressed, its bevel turns inward and the arrow moves one pixel down and right.
wxImage DirectionArrow(bool inDescending, bool inPressed) {
  constexpr int size = 13;
  std::vector<std::string> rows(size, std::string(size, 'f'));
  const char light = inPressed ? 's' : 'h';
  const char dark = inPressed ? 'h' : 's';
  for (int i = 0; i < size; ++i) {
    rows[0][i] = light;
    rows[i][0] = light;
    rows[size - 1][i] = dark;
    rows[i][size - 1] = dark;
  }
  const int shift = inPressed ? 1 : 0;
  for (int step = 0; step < 4; ++step) {
    const int y = inDescending ? 7 - step : 4 + step;
    for (int x = 6 - step; x <= 6 + step; ++x)
      rows[y + shift][x + shift] = 'a';
  }
  return ImageFromRows(rows, {{'f', 212, 208, 200}, {'h', 255, 255, 255}, {'s', 128, 128, 128}, {'a', 0, 0, 0}});
}

} // namespace

wxBitmap WImages::Get(unsigned inId) {
  switch (inId) {
  case eAscendingArrow:
    return wxBitmap(DirectionArrow(false, false));
  case eDescendingArrow:
    return wxBitmap(DirectionArrow(true, false));
  case eDescendingArrowPressed:
    return wxBitmap(DirectionArrow(true, true));
  case eAscendingArrowPressed:
    return wxBitmap(DirectionArrow(false, true));
  case eUntouchedIcon:
    return wxBitmap(UntouchedIcon());
  case eTouchedIcon:
    return wxBitmap(TouchedIcon());
  case eNeverSavedIcon:
    return wxBitmap(NeverSavedIcon());
  case eFileSettingsUp:
    return wxBitmap(FileSettingsButton(false));
  case eFileSettingsDown:
    return wxBitmap(FileSettingsButton(true));
  default:
    return wxBitmap();
  }
}
