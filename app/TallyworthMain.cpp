// The program's entry point.
#include "application/WTallyworthApp.h"

wxIMPLEMENT_APP(WTallyworthApp);
