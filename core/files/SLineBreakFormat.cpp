// The three line-break conventions of text files.
#include "files/SLineBreakFormat.h"

// Everything is inline; this unit keeps the header compiled on its own.
