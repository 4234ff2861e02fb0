// The file type given to a newly created time sheet file.
#pragma once

#include "files/SFileInfo.h"

/// The type of a time sheet file: extension ".txt".
class STaskFileInfo : public SFileInfo {
public:
  /// A copy of sDefault.
  STaskFileInfo();

  /// The type every time sheet file is created with.
  static const SFileInfo sDefault;
};
