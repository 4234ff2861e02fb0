// Between the interface's paths and the file layer's.
#include "other/WPaths.h"

#include <wx/filename.h>

#include "files/SFile.h"

namespace {

// The encoding of the file layer's names.
const wxMBConv & PathConversion() {
#if defined(__WXMSW__)
  // The file layer calls the system's ANSI functions there: the ANSI code page.
  return wxConvLocal;
#else
  return *wxConvFileName;
#endif
}

} // namespace

SFileSpec WPaths::ToFileSpec(const wxString & inPath) {
  const wxCharBuffer bytes = inPath.mb_str(PathConversion());
  return SFileSpec(bytes.data() != nullptr ? std::string(bytes.data()) : std::string());
}

wxString WPaths::FromFileSpec(const SFileSpec & inSpec) { return wxString(inSpec.c_str(), PathConversion()); }

bool WPaths::SameFile(const wxString & inFirst, const wxString & inSecond) {
  if (inFirst.empty() || inSecond.empty())
    return false;
  const auto resolved = [](const wxString & inPath) {
    wxFileName name(inPath);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_TILDE);
    return SFile::ResolvedPath(ToFileSpec(name.GetFullPath()));
  };
  return resolved(inFirst) == resolved(inSecond);
}
