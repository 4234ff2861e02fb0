// A task stream on a time sheet file.
#pragma once

#include "files/SFile.h"
#include "files/SLineBreakString.h"
#include "tasks/STaskFileStreamSettings.h"
#include "tasks/STaskStream.h"

#include <cstddef>
#include <memory>
#include <string>

class STask;

/// Reads and writes a time sheet file: one task per line, written with the document's
/// line break. Reserve creates the file if it is missing and holds it exclusively until
/// Release; a read-only stream opens it for reading only.
///
/// Writing never changes the file in place: OpenOutput creates a temporary file beside it
/// (beside the file a symbolic link finally names; unnamed where the system allows, so
/// that a killed program leaves nothing behind), SetOutputLength and WriteData fill the
/// temporary, and ConfirmOutput forces it to the disk, gives it the file's permissions,
/// owner and group and renames it over the file, which the stream then holds in place of
/// the old one. A failure before the rename removes the temporary and leaves the file as
/// it was.
///
/// A stream without a document (one that merges a file into a document) keeps the bytes
/// at the end of the file that reading could not take as an entry, and writes them back
/// after its tasks: emptying a merged file leaves exactly those bytes.
class STaskFileStream : public STaskStream {
public:
  /// A stream on the file inSettings names, whose dates are in inDateFormat. The settings
  /// are copied.
  STaskFileStream(const STaskFileStreamSettings & inSettings, SDateFormat inDateFormat);
  /// Closes, releases and disconnects; removes a temporary file that was not confirmed.
  ~STaskFileStream() override;

  /// The settings the stream was made with.
  const STaskFileStreamSettings & Settings() const { return mSettings; }
  /// The file.
  const SFile & GetFile() const { return mFile; }

  /// A read-only stream holds its file for reading only (a file the user may not write can
  /// be read) and refuses to write it. Takes effect at the next Reserve.
  void SetReadOnly(bool inReadOnly) { mReadOnly = inReadOnly; }
  bool IsReadOnly() const { return mReadOnly; }

  bool PickTarget() override;
  void Connect() override;
  /// Creates the file if it does not exist, then opens it (for reading and writing, or
  /// reading only) and holds it. Throws SFileException.
  void Reserve() override;
  /// Deletes the file if the last Reserve created it, the stream still holds it and its
  /// path still names it, then lets it go; otherwise nothing. Never fails.
  void RemoveIfCreated() noexcept;
  /// The bytes at the end of the file that the last read could not take as an entry.
  const std::string & UnreadBytes() const { return mUnread; }
  void OpenInput() override;
  /// The file's length in bytes.
  unsigned long GetInputLength() override;
  /// Reads the whole file and appends its lines as tasks, as one ParseLines over all its
  /// bytes would. A large file is read sReadChunk bytes at a time, each chunk parsed up to its
  /// last complete line, so its bytes are never all held beside the tasks made of them. On a
  /// failure the tasks already appended are taken out again.
  void ReadData(STaskVector & outVector) override;
  /// The bytes read at a time (tests make it small).
  static inline std::size_t sReadChunk = std::size_t(8) << 20;
  void CloseInput() override;
  void ConfirmInput() override;
  /// Creates the temporary file that the write goes to. Throws "The contents of a file
  /// could not be Written" when read-only.
  void OpenOutput() override;
  /// Sizes the temporary file for the tasks of inVector and their line breaks.
  void SetOutputLength(const STaskVector & inVector) override;
  /// Writes the tasks (the document's, in its map's order) in the file's date order, each
  /// followed by the document's line break (carriage return + line feed without one).
  void WriteData(const STaskVector & inVector) override;
  /// After a completed write, keeps the temporary for ConfirmOutput; otherwise (a failure)
  /// closes and removes it.
  void CloseOutput() override;
  /// Syncs the temporary, copies the file's permissions to it and renames it over the file;
  /// the stream then holds the new file if it held the old one. Before the rename, a
  /// failure removes the temporary and the file stays as it was.
  void ConfirmOutput() override;
  /// Closes the file.
  void Release() override;
  void Disconnect() override;
  void Close() override;

private:
  enum class EOutput { eNone, eOpen, eWritten, eClosed };

  // The line break written after every task.
  SLineBreakString LineBreak() const;
  // Calls inVisit(const char * text, size_t length) for every piece of text the output
  // of inVector consists of, in order.
  template <class Visit>
  void VisitOutput(const STaskVector & inVector, Visit && inVisit);
  // Closes and deletes the temporary file, if any; never fails.
  void DiscardTemporary() noexcept;

  STaskFileStreamSettings mSettings;
  SFile mFile;
  EOutput mOutput = EOutput::eNone;
  std::unique_ptr<SFile> mTemporary; // the write in progress
  SFileSpec mTarget;                 // the file the temporary replaces (links resolved)
  std::unique_ptr<STask> mScratch;   // a task whose date is being rewritten for writing
  bool mReadOnly = false;
  bool mCreated = false;             // the last Reserve created the file
  std::string mUnread;               // the final fragment the last read left out
};
