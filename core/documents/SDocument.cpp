// The common base of documents.
#include "documents/SDocument.h"

SDocument::~SDocument() = default;
