// The bytes that end a line in a given line-break format.
#include "files/SLineBreakString.h"

SLineBreakString::SLineBreakString(SLineBreakFormat inFormat) { MakeLineBreakString(inFormat); }

void SLineBreakString::MakeLineBreakString(SLineBreakFormat inFormat) {
  switch (inFormat.GetFormat()) {
  case SLineBreakFormat::eMac: assign("\r"); break;
  case SLineBreakFormat::eDOS: assign("\r\n"); break;
  case SLineBreakFormat::eUNIX: assign("\n"); break;
  default: clear(); break;
  }
}
