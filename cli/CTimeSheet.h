// A time sheet document as the command-line tool uses it: files are loaded, merged and
// saved through the core document and file streams, and every failure names its file.
#pragma once

#include "dates/SDateFormat.h"
#include "files/SLineBreakFormat.h"
#include "tasks/STaskDocument.h"
#include "tasks/STaskFileStream.h"

#include <memory>
#include <string>

class COutput;

class CTimeSheet : public STaskDocument {
public:
  /// An empty time sheet whose entries hold their dates in inOrder.
  explicit CTimeSheet(SDateFormat inOrder);

  /// Never: the tool empties merged files itself, and only once the target is saved.
  bool WantToClearMergeStream(STaskStream * inStream) override;

  /// Loads the file at inPath, which must exist (files are read in month, day, year
  /// order). A read-only sheet only reads the file and lets go of it at once; otherwise it
  /// holds it until the sheet is destroyed. Standard input ("-"), a pipe or a device is
  /// read to its end instead (read-only). Throws CToolError naming the file.
  void Open(const std::string & inPath, bool inReadOnly);
  /// As Open, but a missing file is created (empty) first. Returns whether it existed.
  bool OpenOrCreate(const std::string & inPath);
  /// Appends the entries of the existing file at inPath and returns the stream, which
  /// still holds the file until it is destroyed; inReadOnly opens it for reading only.
  /// Throws CToolError naming the file.
  std::unique_ptr<STaskFileStream> Append(const std::string & inPath, bool inReadOnly);
  /// Appends the entries read from standard input ("-"), a pipe or a device. Throws
  /// CToolError naming it.
  void AppendInput(const std::string & inPath);
  /// Deletes the sheet's own file if loading created it and the sheet still holds it,
  /// and lets it go. Never fails.
  void RemoveIfCreated() noexcept;
  /// Writes the entries as a time sheet, with the sheet's line break, to inOutput.
  void WriteSheet(COutput & inOutput) const;
  /// Saves the sheet over its own file, safely. Throws CToolError naming the file.
  void SaveInPlace();
  /// Writes the sheet to a new file at inPath (replacing one only when inReplace), safely.
  /// Throws CToolError naming the file.
  void SaveTo(const std::string & inPath, bool inReplace);

  /// The entries.
  STaskVector & Tasks();
  /// Sets the line break the sheet is written with.
  void SetLineBreak(SLineBreakFormat inFormat);
  /// The path of the sheet's own file; empty without one.
  std::string Path() const;

  /// Empties the file of a stream that Append returned (the stream's output protocol run
  /// with no entries; the file is replaced by an empty one). Throws CToolError naming it.
  static void Empty(STaskFileStream & ioStream);
  /// True for "-", and for a path that names a pipe or a device rather than a file.
  static bool IsInput(const std::string & inPath);
  /// Throws CToolError unless something exists at inPath.
  static void RequireExisting(const std::string & inPath);
  /// Throws CToolError if something exists at inPath and inReplace is false.
  static void RequireAbsent(const std::string & inPath, bool inReplace);
  /// The size of the file at inPath in bytes; 0 when it cannot be told.
  static unsigned long long SizeOf(const std::string & inPath);

private:
  // A file stream on inPath that reads and writes dates in month, day, year order.
  static std::unique_ptr<STaskFileStream> StreamOn(const std::string & inPath);
};
