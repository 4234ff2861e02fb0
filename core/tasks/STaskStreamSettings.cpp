// Where a task stream reads and writes.
#include "tasks/STaskStreamSettings.h"

STaskStreamSettings::~STaskStreamSettings() = default;
