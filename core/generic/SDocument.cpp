// The common base of documents.
#include "generic/SDocument.h"

SDocument::~SDocument() = default;
