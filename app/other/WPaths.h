// Between the interface's paths (wxString) and the file layer's (bytes as the system
// names them).
#pragma once

#include <wx/string.h>

#include "files/SFileSpec.h"

class WPaths {
public:
  /// The file layer's form of inPath.
  static SFileSpec ToFileSpec(const wxString & inPath);
  /// The interface's form of inSpec.
  static wxString FromFileSpec(const SFileSpec & inSpec);
  /// True when inFirst and inSecond name the same file (links followed, paths made
  /// absolute).
  static bool SameFile(const wxString & inFirst, const wxString & inSecond);
};
