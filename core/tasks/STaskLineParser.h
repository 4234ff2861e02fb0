// Turns the bytes of a time sheet into tasks on several threads at once.
#pragma once

#include "dates/SDateFormat.h"

#include <cstddef>
#include <vector>

class STask;
class STaskVector;

/// Splits a time sheet's bytes at line breaks into pieces, parses the pieces into tasks on
/// several threads and appends the tasks to a vector in file order on the calling thread,
/// one insertion per piece: the vector's listeners hear the same tasks inserted in the same
/// order as from a line-by-line read, in fewer messages. Lines end at a line feed, a
/// carriage return + line feed or a lone carriage return; bytes after the last break form a
/// final line only if there are more than 5 of them.
class STaskLineParser {
public:
  /// Lines are read in inStoreFormat; if inTarget differs, each task's date is then
  /// rewritten in inTarget.
  STaskLineParser(SDateFormat inStoreFormat, SDateFormat inTarget);

  /// Appends one task per line of [inBegin, inEnd) to ioVector, parsing on inThreads
  /// threads (the calling thread among them). Throws what parsing or a listener throws;
  /// the tasks of the pieces already appended then stay.
  void Parse(const char * inBegin, const char * inEnd, STaskVector & ioVector, unsigned inThreads) const;

private:
  struct Piece;

  // The start of the first line that begins at or after inAt (inAt itself when a line
  // starts there; never between the two bytes of a carriage return + line feed).
  static const char * LineStartFrom(const char * inBegin, const char * inAt, const char * inEnd);
  // How many tasks ParsePiece makes of [inBegin, inEnd).
  static std::size_t CountLines(const char * inBegin, const char * inEnd);
  // Appends the tasks of [inBegin, inEnd) to outTasks.
  void ParsePiece(const char * inBegin, const char * inEnd, std::vector<STask> & outTasks) const;

  SDateFormat mStoreFormat;
  SDateFormat mTarget;
};
