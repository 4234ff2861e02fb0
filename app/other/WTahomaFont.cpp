// Tahoma at 8.5 points for the time sheet view.
#include "other/WTahomaFont.h"

#include <wx/filename.h>
#include <wx/font.h>

namespace {

const char * const kPrivateFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

} // namespace

void WTahomaFont::RegisterPrivateFonts() {
  static bool sRegistered = false;
  if (sRegistered) {
    return;
  }
  sRegistered = true;
#if wxUSE_PRIVATE_FONTS && !defined(__WXMSW__)
  for (const char * file : kPrivateFontFiles) {
    if (wxFileName::FileExists(file)) {
      wxFont::AddPrivateFont(file);
    }
  }
#endif
}

const wxFont & WTahomaFont::Get(bool inBold) {
  // Kept for the life of the process: the fonts are needed until the last window goes.
  static const wxFont * sFonts[2] = {nullptr, nullptr};
  const wxFont *& font = sFonts[inBold ? 1 : 0];
  if (font == nullptr) {
    RegisterPrivateFonts();
    wxFontInfo info(8.5f);
    info.FaceName("Tahoma");
    if (inBold) {
      info.Weight(wxFONTWEIGHT_BOLD);
    }
    font = new wxFont(info);
  }
  return *font;
}
