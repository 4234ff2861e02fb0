// The protocol that moves tasks between a task document and a store (a file, ...).
#pragma once

#include <cstddef>

#include "dates/SDateFormat.h"
#include "tasks/STaskStreamSettings.h"

class STask;
class STaskDocument;
class STaskVector;

/// The abstract task stream. The document drives it in fixed sequences:
/// - connecting: Connect, Reserve;
/// - reading: OpenInput, GetInputLength, ReadData, CloseInput, ConfirmInput
///   (CloseInput again if any of them throws);
/// - writing: OpenOutput, SetOutputLength, WriteData, CloseOutput, ConfirmOutput
///   (CloseOutput again if any of them throws);
/// - letting go: Release, Disconnect.
/// Operations report failure by throwing.
class STaskStream {
public:
  /// A stream over the store named by inSettings, whose dates are written in inDateFormat.
  /// inSettings must outlive the stream (derived streams keep their own copy).
  STaskStream(const STaskStreamSettings & inSettings, SDateFormat inDateFormat);
  STaskStream(const STaskStream &) = delete;
  STaskStream & operator=(const STaskStream &) = delete;
  virtual ~STaskStream();

  /// Lets the user pick the store where the platform needs it; true if one was picked.
  virtual bool PickTarget() = 0;
  /// Marks the stream connected.
  virtual void Connect() = 0;
  /// Makes the store ready and holds it for this stream.
  virtual void Reserve() = 0;
  /// Begins reading.
  virtual void OpenInput() = 0;
  /// The size of the store's contents in bytes.
  virtual unsigned long GetInputLength() = 0;
  /// Appends the store's tasks to outVector.
  virtual void ReadData(STaskVector & outVector) = 0;
  /// Ends reading (also after a failure).
  virtual void CloseInput() = 0;
  /// Confirms a completed read.
  virtual void ConfirmInput() = 0;
  /// Begins writing.
  virtual void OpenOutput() = 0;
  /// Prepares the store for the tasks of inVector.
  virtual void SetOutputLength(const STaskVector & inVector) = 0;
  /// Writes the tasks of inVector.
  virtual void WriteData(const STaskVector & inVector) = 0;
  /// Ends writing; after a failure it undoes whatever was not confirmed.
  virtual void CloseOutput() = 0;
  /// Makes a completed write the store's contents.
  virtual void ConfirmOutput() = 0;
  /// Lets go of the store.
  virtual void Release() = 0;
  /// Marks the stream disconnected.
  virtual void Disconnect() = 0;
  /// Ends the stream's use of the store.
  virtual void Close() = 0;

  /// The document the stream serves (not owned); null for a stream used only for merging.
  void SetDocument(STaskDocument * inDocument) { mTaskDocument = inDocument; }
  /// The document served, or null.
  STaskDocument * GetDocument() const { return mTaskDocument; }
  /// True while the store is open in a way that forbids replacing the stream.
  bool IsOpen() const { return mOpen; }
  /// True between Connect and Disconnect.
  bool IsConnected() const { return mConnected; }
  /// The date order of the dates in the store.
  SDateFormat GetDateFormat() const { return mDateFormat; }

  /// Splits [inBegin, inEnd) into lines at every carriage return, line feed or carriage
  /// return + line feed and appends one task per line to ioVector. The first line break
  /// found becomes the document's line-break format; dates are read in the store's order
  /// and brought to the document's (without a document: the user's default order). A
  /// final line without a break counts only if it is longer than 5 bytes.
  void ParseLines(const char * inBegin, const char * inEnd, STaskVector & ioVector);
  /// Splits [inBegin, inEnd) into lines as ParseLines does and appends one task per line to
  /// ioVector, its date read in inStoreOrder and written in inTargetOrder; touches no document.
  static void AppendLines(const char * inBegin, const char * inEnd, SDateFormat inStoreOrder,
                          SDateFormat inTargetOrder, STaskVector & ioVector);
  /// The task of the line [inBegin, inEnd) (without its break), its date read in inStoreOrder
  /// and written in inTargetOrder. Throws "The contents of a file could not be read" for a
  /// line too long to hold.
  static STask LineTask(const char * inBegin, const char * inEnd, SDateFormat inStoreOrder, SDateFormat inTargetOrder);
  /// How many bytes at the end of [inBegin, inEnd) ParseLines leaves out: a final line too
  /// short to count; 0 when there is none.
  static std::size_t UnreadTailLength(const char * inBegin, const char * inEnd);

protected:
  /// The date order tasks are brought to: the document's, or the user's default without one.
  SDateFormat TargetDateFormat() const;

  bool mConnected = false;
  bool mOpen = false;
  const STaskStreamSettings & mTaskStreamSettings;
  STaskDocument * mTaskDocument = nullptr; // not owned
  SDateFormat mDateFormat;
};
