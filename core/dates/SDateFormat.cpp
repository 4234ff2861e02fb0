// The date order; its default comes from the user's locale.
#include "dates/SDateFormat.h"

#include "dates/SLocale.h"

SDateFormat::SDateFormat() : mFormat(SLocale::Default().GetDateFormat().GetFormat()) {}
