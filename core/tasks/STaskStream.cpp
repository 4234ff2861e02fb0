// The task stream protocol's shared part: splitting a store's bytes into tasks.
#include "tasks/STaskStream.h"

#include "dates/SDateParseCache.h"
#include "files/SFileException.h"
#include "files/SLineBreakFormat.h"
#include "tasks/STask.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskLineParser.h"
#include "tasks/STaskThreads.h"
#include "tasks/STaskVector.h"

#include <cstring>
#include <limits>

namespace {

// Finds the line breaks of a byte range one after the other. Carriage returns and line
// feeds are each searched with memchr and the later find is kept, so a file without
// carriage returns costs one search for them, not one per line.
class SLineBreakFinder {
public:
  SLineBreakFinder(const char * inBegin, const char * inEnd)
      : mEnd(inEnd), mNextReturn(Find(inBegin, '\r')), mNextFeed(Find(inBegin, '\n')) {}

  /// The first break at or after inFrom (mEnd if none); inFrom never moves backwards.
  const char * Next(const char * inFrom) {
    if (mNextReturn < inFrom)
      mNextReturn = Find(inFrom, '\r');
    if (mNextFeed < inFrom)
      mNextFeed = Find(inFrom, '\n');
    return mNextReturn < mNextFeed ? mNextReturn : mNextFeed;
  }

  /// Where the line after the break at inBreak starts.
  const char * After(const char * inBreak) const {
    return *inBreak == '\r' && inBreak + 1 < mEnd && inBreak[1] == '\n' ? inBreak + 2 : inBreak + 1;
  }

private:
  const char * Find(const char * inFrom, char inByte) const {
    if (inFrom >= mEnd)
      return mEnd;
    const void * found = std::memchr(inFrom, inByte, static_cast<std::size_t>(mEnd - inFrom));
    return found != nullptr ? static_cast<const char *>(found) : mEnd;
  }

  const char * mEnd;
  const char * mNextReturn;
  const char * mNextFeed;
};

// Lines shorter than this after the last break are dropped.
constexpr std::size_t kShortestFinalLine = 6;

} // namespace

STaskStream::STaskStream(const STaskStreamSettings & inSettings, SDateFormat inDateFormat)
    : mTaskStreamSettings(inSettings), mDateFormat(inDateFormat) {}

STaskStream::~STaskStream() = default;

std::size_t STaskStream::UnreadTailLength(const char * inBegin, const char * inEnd) {
  const char * lineStart = inEnd;
  while (lineStart != inBegin && lineStart[-1] != '\r' && lineStart[-1] != '\n')
    --lineStart;
  const auto length = static_cast<std::size_t>(inEnd - lineStart);
  return length < kShortestFinalLine ? length : 0;
}

void STaskStream::ParseLines(const char * inBegin, const char * inEnd, STaskVector & ioVector) {
  if (inBegin == nullptr || inEnd < inBegin)
    inEnd = inBegin;

  // The first break decides the document's line breaks.
  SLineBreakFinder finder(inBegin, inEnd);
  const char * const firstBreak = finder.Next(inBegin);
  if (mTaskDocument != nullptr) {
    STaskDocumentData data(*mTaskDocument);
    if (firstBreak != inEnd) {
      SLineBreakFormat::EFormat format = SLineBreakFormat::eUNIX;
      if (*firstBreak == '\r')
        format = firstBreak + 1 < inEnd && firstBreak[1] == '\n' ? SLineBreakFormat::eDOS : SLineBreakFormat::eMac;
      data.SetLineBreakFormat(SLineBreakFormat(format));
    }
  }
  AppendLines(inBegin, inEnd, mDateFormat, TargetDateFormat(), ioVector);
}

STask STaskStream::LineTask(const char * inBegin, const char * inEnd, SDateFormat inStoreOrder,
                            SDateFormat inTargetOrder) {
  const auto length = static_cast<std::size_t>(inEnd - inBegin);
  if (length > std::numeric_limits<std::uint32_t>::max() - 64)
    throw SFileException("The contents of a file could not be read");
  // The same as STask(order, text, length), but the text takes only the room it needs: a
  // million lines then fit in noticeably less memory.
  STask task(inStoreOrder);
  task.assign(inBegin, length);
  task.Parse();
  if (inTargetOrder != inStoreOrder)
    task.SetDateFormat(inTargetOrder);
  return task;
}

SDateFormat STaskStream::TargetDateFormat() const {
  return mTaskDocument != nullptr ? STaskDocumentData(*mTaskDocument).GetDateFormat() : SDateFormat();
}

void STaskStream::AppendLines(const char * inBegin, const char * inEnd, SDateFormat inStoreOrder,
                              SDateFormat inTargetOrder, STaskVector & ioVector) {
  if (inBegin == nullptr || inEnd < inBegin)
    inEnd = inBegin;
  SLineBreakFinder finder(inBegin, inEnd);
  const char * const firstBreak = finder.Next(inBegin);

  // A large file is parsed on several threads, with the same tasks and messages.
  if (const unsigned threads = STaskThreads::ForBytes(static_cast<std::size_t>(inEnd - inBegin)); threads > 1) {
    STaskLineParser(inStoreOrder, inTargetOrder).Parse(inBegin, inEnd, ioVector, threads);
    return;
  }

  // Count the lines first, so that the vector grows once.
  std::size_t count = 0;
  const char * lineStart = inBegin;
  for (const char * at = firstBreak; at != inEnd; at = finder.Next(lineStart)) {
    ++count;
    lineStart = finder.After(at);
  }
  const bool hasFinalLine = static_cast<std::size_t>(inEnd - lineStart) >= kShortestFinalLine;
  if (hasFinalLine)
    ++count;
  ioVector.MakeRoomFor(count);

  SDateParseCache cache;
  SLineBreakFinder lines(inBegin, inEnd);
  auto append = [&](const char * inLineBegin, const char * inLineEnd) {
    ioVector.push_back(LineTask(inLineBegin, inLineEnd, inStoreOrder, inTargetOrder));
  };
  lineStart = inBegin;
  for (const char * at = lines.Next(inBegin); at != inEnd; at = lines.Next(lineStart)) {
    append(lineStart, at);
    lineStart = lines.After(at);
  }
  if (hasFinalLine)
    append(lineStart, inEnd);
}
