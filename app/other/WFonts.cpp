// The fonts the program draws with.
#include "other/WFonts.h"

#include <wx/filename.h>
#include <wx/settings.h>

#if defined(__WXGTK__)
#include <dlfcn.h>
#endif

namespace {

#if defined(__WXGTK__)
// Wine's Tahoma carries bitmap copies of its glyphs for 8 to 16 pixels. Drawn from those,
// text is neither smoothed nor spaced as it was measured ("Measurem ents"), so the font
// configuration is told to draw Tahoma from its outlines, smoothed as the desktop wants,
// without the font's own hints (which widen some letters).
constexpr char kTahomaFromOutlines[] =
    "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>"
    "<match target=\"font\"><test name=\"family\"><string>Tahoma</string></test>"
    "<edit name=\"embeddedbitmap\" mode=\"assign\"><bool>false</bool></edit>"
    "<edit name=\"hinting\" mode=\"assign\"><bool>false</bool></edit></match>"
    // Its bold face is bold only in those bitmaps: its outlines are thickened.
    "<match target=\"font\"><test name=\"family\"><string>Tahoma</string></test>"
    "<test name=\"weight\" compare=\"more_eq\"><const>bold</const></test>"
    "<edit name=\"embolden\" mode=\"assign\"><bool>true</bool></edit></match>"
    "</fontconfig>";

// The toolkit's text library and font configuration are loaded with the toolkit; their
// calls are looked up at run time so that building needs none of their headers.
void DrawTahomaFromOutlines() {
  using FontMapGetter = void * (*)();
  using ConfigGetter = void * (*)(void *);
  using ConfigChanged = void (*)(void *);
  using CurrentConfig = void * (*)();
  using ParseFromMemory = int (*)(void *, const unsigned char *, int);
  const auto fontMap = reinterpret_cast<FontMapGetter>(dlsym(RTLD_DEFAULT, "pango_cairo_font_map_get_default"));
  const auto getConfig = reinterpret_cast<ConfigGetter>(dlsym(RTLD_DEFAULT, "pango_fc_font_map_get_config"));
  const auto changed = reinterpret_cast<ConfigChanged>(dlsym(RTLD_DEFAULT, "pango_fc_font_map_config_changed"));
  const auto current = reinterpret_cast<CurrentConfig>(dlsym(RTLD_DEFAULT, "FcConfigGetCurrent"));
  const auto parse = reinterpret_cast<ParseFromMemory>(dlsym(RTLD_DEFAULT, "FcConfigParseAndLoadFromMemory"));
  if (fontMap == nullptr || getConfig == nullptr || changed == nullptr || current == nullptr || parse == nullptr)
    return;
  void * map = fontMap();
  if (map == nullptr)
    return;
  // Both the configuration the fonts are found in and the one they are prepared with.
  bool any = false;
  for (void * config : {getConfig(map), current()}) {
    if (config != nullptr && parse(config, reinterpret_cast<const unsigned char *>(kTahomaFromOutlines), 0) != 0)
      any = true;
  }
  if (any)
    changed(map);
}
#endif

} // namespace

void WFonts::RegisterPrivateFonts() {
#if wxUSE_PRIVATE_FONTS && !defined(__WXMSW__)
  static bool sRegistered = false;
  if (sRegistered)
    return;
  sRegistered = true;
  for (const char * file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    if (wxFileName::FileExists(file))
      wxFont::AddPrivateFont(file);
  }
#endif
#if defined(__WXGTK__)
  static bool sOutlines = false;
  if (!sOutlines) {
    sOutlines = true;
    DrawTahomaFromOutlines();
  }
#endif
}

wxFont WFonts::GetTahoma85(bool inBold) {
  wxFont font(wxFontInfo(8).FaceName("Tahoma").Bold(inBold));
  if (!font.IsOk() || font.GetFaceName().CmpNoCase("Tahoma") != 0) {
    font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(inBold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
  }
  font.SetFractionalPointSize(8.5);
  return font;
}
