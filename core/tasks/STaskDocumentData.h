// A handle to a task document's parts, for the objects that show or edit it.
#pragma once

#include "dates/SDateFormat.h"
#include "files/SLineBreakFormat.h"
#include "dates/STime.h"

#include <cstddef>
#include <memory>

class STaskDocument;
class STaskStream;
class STaskVector;
class STaskVectorMap;

/// Reaches into a task document without knowing its class. The setters write the
/// document's members directly: they neither mark it dirty nor send a message. The handle
/// must not outlive the document.
class STaskDocumentData {
public:
  /// A handle to inDocument's parts.
  explicit STaskDocumentData(STaskDocument & inDocument);
  virtual ~STaskDocumentData();

  /// The document.
  STaskDocument * GetDocument() const { return mDocument; }
  /// All tasks of the document.
  STaskVector & GetData() const { return mData; }
  /// The document's own map: every task, in vector order.
  STaskVectorMap & GetVectorMap() const;
  /// The document's current stream, or null.
  STaskStream * GetStream() const { return mStream->get(); }
  /// The date order of the tasks in memory.
  SDateFormat GetDateFormat() const { return *mDateFormat; }
  void SetDateFormat(SDateFormat inFormat) { *mDateFormat = inFormat; }
  /// The line break used when the document is written.
  SLineBreakFormat GetLineBreakFormat() const { return *mLineBreakFormat; }
  void SetLineBreakFormat(SLineBreakFormat inFormat) { *mLineBreakFormat = inFormat; }
  /// True if the document changed since it was loaded or marked clean.
  bool GetIsDirty() const { return mIsDirty; }
  /// True if the document lets go of its file after loading.
  bool GetIsReadOnly() const { return mIsReadOnly; }
  void SetIsReadOnly(bool inIsReadOnly) { mIsReadOnly = inIsReadOnly; }
  /// The number of tasks.
  std::size_t GetTotalCount() const;
  /// The sum of all tasks' durations.
  STime GetTotalDuration() const;

protected:
  STaskDocument * mDocument;                      // not owned
  STaskVector & mData;
  const std::unique_ptr<STaskStream> * mStream;   // the document's member: always current
  SDateFormat * mDateFormat;
  SLineBreakFormat * mLineBreakFormat;
  bool & mIsDirty;
  bool & mIsReadOnly;
};
