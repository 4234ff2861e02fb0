// The program's icon, built into the program from the PNGs in packaging/icons.
#include "resources/WProgramIcon.h"

#include <iterator>

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/mstream.h>

namespace {
#include "WProgramIconData.inc"
} // namespace

wxIconBundle WProgramIcon::Bundle() {
  wxIconBundle bundle;
#if wxUSE_LIBPNG
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
    wxImage::AddHandler(new wxPNGHandler);
  const unsigned char * const images[] = {kProgramIconPng0, kProgramIconPng1, kProgramIconPng2,
                                          kProgramIconPng3, kProgramIconPng4, kProgramIconPng5};
  for (std::size_t i = 0; i < std::size(images); ++i) {
    wxMemoryInputStream stream(images[i], kProgramIconPngSizes[i]);
    wxImage image;
    if (!image.LoadFile(stream, wxBITMAP_TYPE_PNG))
      continue;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    bundle.AddIcon(icon);
  }
#endif
  return bundle;
}
