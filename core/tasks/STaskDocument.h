// The platform-neutral time sheet: its tasks, its stream and its dirty state.
#pragma once

#include "dates/SDateFormat.h"
#include "documents/SDocument.h"
#include "files/SFileSpec.h"
#include "files/SLineBreakFormat.h"
#include "vectors/TVectorMessage.h"
#include "tasks/STask.h"
#include "tasks/STaskDocumentBroadcaster.h"
#include "tasks/STaskStream.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorListener.h"
#include "tasks/STaskVectorMap.h"

#include <cstdint>
#include <memory>
#include <vector>

/// A time sheet: all tasks in the order read and appended, a map over them in that order,
/// the stream of its own file (owned), its date order and line break, and whether it was
/// changed. Any insert, delete or change of the tasks marks it dirty; loading ends clean,
/// merging dirty. Listeners hear eDirty whenever the dirty state is set and eStream when a
/// stream is installed.
///
/// The owner decides whether merged files are emptied (WantToClearMergeStream).
class STaskDocument : public STaskVectorListener, public STaskDocumentBroadcaster, public SDocument {
public:
  /// An empty, clean document without a stream, in the user's date order, with Windows
  /// line breaks.
  STaskDocument();
  STaskDocument(const STaskDocument &) = delete;
  STaskDocument & operator=(const STaskDocument &) = delete;
  /// Lets go of the stream's file and destroys the stream, then the tasks (views still
  /// registered hear their removal).
  ~STaskDocument() override;

  /// Marks the document dirty.
  void ListenToInsertMessage(TVectorMessage<STask> inMessage) override;
  /// Marks the document dirty.
  void ListenToDeleteMessage(TVectorMessage<STask> inMessage) override;
  /// Marks the document dirty.
  void ListenToChangeMessage(TVectorMessage<STask> inMessage) override;
  /// Nothing: the change or delete that follows does the work.
  void ListenToNoticeMessage(TVectorMessage<STask> inMessage) override;

  /// Asked after a merge has read inStream: true empties the merged store.
  virtual bool WantToClearMergeStream(STaskStream * inStream) = 0;

  /// Installs the stream of the document's own file in place of the current one (which is
  /// destroyed, letting go of its file) and broadcasts eStream. Throws SDocumentException
  /// "No file or stream has been specified for this document" for null (the current stream
  /// stays), "A file could not be changed because it is in use" if the current stream is
  /// open.
  void SetStream(std::unique_ptr<STaskStream> inStream);
  /// The current stream, or null.
  STaskStream * GetStream() const { return mStream.get(); }

  /// Replaces the tasks by the stream's contents and ends clean (one eDirty); nothing
  /// without a stream. A document that is not read-only keeps holding its file; a
  /// read-only one opens a file for reading only and lets it go again. On failure
  /// the tasks read so far stay, the document is clean and broadcasting, and the failure is
  /// passed on.
  void Load();
  /// Appends the tasks of inStream (owned by the caller) and, if WantToClearMergeStream
  /// says so, empties its store; ends dirty. On failure the merged store is let go, the
  /// tasks appended so far stay and the failure is passed on. Throws SDocumentException
  /// "No file or stream has been specified for this merge" for null.
  void Merge(STaskStream * inStream);
  /// Writes the tasks to the stream's store and ends clean. The store is replaced whole or
  /// not at all: on failure it and the document are unchanged. Throws SDocumentException
  /// "No file or stream has been specified for this document" without a stream.
  void Save();
  /// Writes the tasks to the file at inFileSpec (its dates in the current stream's order,
  /// month-day-year without one), then makes a stream on it the document's stream
  /// (eStream) and ends clean. On failure the document keeps its stream and state.
  void SaveAs(const SFileSpec & inFileSpec);

  /// Inserts inTasks so that inTasks[k] lands at index inIndices[k] (ascending) of the grown
  /// task list: one insert message for all. Throws std::out_of_range, changing nothing, for
  /// indices that do not fit.
  void InsertTasks(const std::vector<std::uint32_t> & inIndices, const std::vector<STask> & inTasks);
  /// Removes the tasks at the ascending indices inIndices: one notice and one delete message
  /// for all. Throws std::out_of_range, changing nothing, for indices that do not fit.
  void DeleteTasks(const std::vector<std::uint32_t> & inIndices);
  /// Replaces the task at inIndex (a notice and a change message); throws std::out_of_range
  /// beyond the end.
  void ReplaceTask(std::uint32_t inIndex, const STask & inTask);

  /// The stream's Connect and Reserve (a file is created if missing and held).
  void Connect();
  /// The stream's Release and Disconnect (a file is let go).
  void Disconnect();

  /// Sets the dirty flag and broadcasts eDirty, changed or not.
  void SetDirtyStatus(bool inIsDirty);
  /// SetDirtyStatus(true).
  void SetDirty() { SetDirtyStatus(true); }
  /// True if the document changed since it was loaded or marked clean.
  bool IsDirty() const { return mIsDirty; }

  /// All tasks.
  const STaskVector & GetData() const { return mData; }
  /// The date order of the tasks' text in memory.
  SDateFormat GetDateFormat() const { return mDateFormat; }
  /// The line break used when writing.
  SLineBreakFormat GetLineBreakFormat() const { return mLineBreakFormat; }
  /// True if the file is let go after loading.
  bool IsReadOnly() const { return mIsReadOnly; }

protected:
  STaskVector mData;
  STaskVectorMap mTaskVectorMap;
  std::unique_ptr<STaskStream> mStream;
  SDateFormat mDateFormat;
  SLineBreakFormat mLineBreakFormat;
  bool mIsDirty = false;
  bool mIsReadOnly = false;

  /// Runs the output protocol for `inVector` on `ioStream`; if a step fails, closes the output
  /// again and passes the failure on.
  static void WriteTo(STaskStream & ioStream, const STaskVector & inVector);

private:
  friend class STaskDocumentData;

  // The input protocol into mData; CloseInput again if a step fails.
  void ReadFrom(STaskStream & ioStream);
};
