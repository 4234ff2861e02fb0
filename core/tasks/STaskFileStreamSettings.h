// The settings of a task stream on a time sheet file: the file's path.
#pragma once

#include "files/SFileSpec.h"
#include "tasks/STaskStreamSettings.h"

/// Names the time sheet file a file stream works on.
class STaskFileStreamSettings : public STaskStreamSettings {
public:
  /// The settings for the file at inSpec.
  explicit STaskFileStreamSettings(const SFileSpec & inSpec) : mSpec(inSpec) {}

  /// The file's path.
  const SFileSpec & Spec() const { return mSpec; }

protected:
  SFileSpec mSpec;
};
