// A handle to a task document's parts.
#include "tasks/STaskDocumentData.h"

#include "tasks/STaskDocument.h"

STaskDocumentData::STaskDocumentData(STaskDocument & inDocument)
    : mDocument(&inDocument), mData(inDocument.mData), mStream(&inDocument.mStream),
      mDateFormat(&inDocument.mDateFormat), mLineBreakFormat(&inDocument.mLineBreakFormat),
      mIsDirty(inDocument.mIsDirty), mIsReadOnly(inDocument.mIsReadOnly) {}

STaskDocumentData::~STaskDocumentData() = default;

STaskVectorMap & STaskDocumentData::GetVectorMap() const { return mDocument->mTaskVectorMap; }

std::size_t STaskDocumentData::GetTotalCount() const { return mData.size(); }

STime STaskDocumentData::GetTotalDuration() const { return mData.GetDuration(); }
