// The date order; its default comes from the user's locale.
#include "generic/SDateFormat.h"

#include "generic/SLocale.h"

SDateFormat::SDateFormat() : mFormat(SLocale::Default().GetDateFormat().GetFormat()) {}
