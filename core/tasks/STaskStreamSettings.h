// Where a task stream reads and writes: the base of every stream's settings.
#pragma once

/// The settings of a task stream; each kind of stream derives its own.
class STaskStreamSettings {
public:
  virtual ~STaskStreamSettings();
};
