// The type of a file given when it is created (a four-character extension).
#include "files/SFileInfo.h"

SFileInfo::SFileInfo() : mExtension{' ', ' ', ' ', ' '} {}

SFileInfo::SFileInfo(const char * inExtension) : SFileInfo() {
  for (std::size_t i = 0; inExtension != nullptr && i < sizeof mExtension && inExtension[i] != '\0'; ++i)
    mExtension[i] = inExtension[i];
}
