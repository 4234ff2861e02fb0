// The fonts the program draws with.
#include "other/WFonts.h"

#include <wx/filename.h>
#include <wx/settings.h>

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
