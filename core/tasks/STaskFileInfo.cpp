// The file type given to a newly created time sheet file.
#include "tasks/STaskFileInfo.h"

const SFileInfo STaskFileInfo::sDefault(".txt");

STaskFileInfo::STaskFileInfo() : SFileInfo(sDefault) {}
