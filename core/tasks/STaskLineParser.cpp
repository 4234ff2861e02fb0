// Parsing a time sheet's lines on several threads, joined in file order.
#include "tasks/STaskLineParser.h"

#include "tasks/STaskStream.h"

#include "dates/SDateParseCache.h"
#include "files/SFileException.h"
#include "tasks/STask.h"
#include "tasks/STaskThreads.h"
#include "tasks/STaskVector.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <limits>
#include <mutex>

namespace {

// Lines shorter than this after the last break are dropped.
constexpr std::size_t kShortestFinalLine = 6;
// The size a piece aims at: big enough that threads rarely meet at the lock, small enough
// that the tasks waiting to be appended take little memory.
constexpr std::size_t kPieceBytes = std::size_t(1) << 20;
// Pieces parsed ahead of the one being appended, per thread.
constexpr std::size_t kPiecesAhead = 2;

const char * Find(const char * inFrom, const char * inEnd, char inByte) {
  if (inFrom >= inEnd)
    return inEnd;
  const void * found = std::memchr(inFrom, inByte, static_cast<std::size_t>(inEnd - inFrom));
  return found != nullptr ? static_cast<const char *>(found) : inEnd;
}

// Visits the lines of [inBegin, inEnd): inLine(begin, end) for each line ended by a break
// and for a final line of kShortestFinalLine bytes or more.
template <class Line>
void ForEachLine(const char * inBegin, const char * inEnd, Line && inLine) {
  const char * nextReturn = Find(inBegin, inEnd, '\r');
  const char * nextFeed = Find(inBegin, inEnd, '\n');
  const char * lineStart = inBegin;
  for (;;) {
    if (nextReturn < lineStart)
      nextReturn = Find(lineStart, inEnd, '\r');
    if (nextFeed < lineStart)
      nextFeed = Find(lineStart, inEnd, '\n');
    const char * const lineBreak = std::min(nextReturn, nextFeed);
    if (lineBreak == inEnd)
      break;
    inLine(lineStart, lineBreak);
    lineStart = *lineBreak == '\r' && lineBreak + 1 < inEnd && lineBreak[1] == '\n' ? lineBreak + 2 : lineBreak + 1;
  }
  if (static_cast<std::size_t>(inEnd - lineStart) >= kShortestFinalLine)
    inLine(lineStart, inEnd);
}

} // namespace

struct STaskLineParser::Piece {
  const char * begin = nullptr;
  const char * end = nullptr;
  std::size_t lines = 0;
  std::vector<STask> tasks;
  bool parsed = false;
};

STaskLineParser::STaskLineParser(SDateFormat inStoreFormat, SDateFormat inTarget)
    : mStoreFormat(inStoreFormat), mTarget(inTarget) {}

const char * STaskLineParser::LineStartFrom(const char * inBegin, const char * inAt, const char * inEnd) {
  if (inAt <= inBegin)
    return inBegin;
  if (inAt >= inEnd)
    return inEnd;
  // The first break at or after the byte before inAt ends the line that inAt is in.
  const char * const lineBreak = std::min(Find(inAt - 1, inEnd, '\r'), Find(inAt - 1, inEnd, '\n'));
  if (lineBreak == inEnd)
    return inEnd;
  return *lineBreak == '\r' && lineBreak + 1 < inEnd && lineBreak[1] == '\n' ? lineBreak + 2 : lineBreak + 1;
}

std::size_t STaskLineParser::CountLines(const char * inBegin, const char * inEnd) {
  std::size_t count = 0;
  ForEachLine(inBegin, inEnd, [&](const char *, const char *) { ++count; });
  return count;
}

void STaskLineParser::ParsePiece(const char * inBegin, const char * inEnd, std::vector<STask> & outTasks) const {
  ForEachLine(inBegin, inEnd, [&](const char * inLineBegin, const char * inLineEnd) {
    outTasks.push_back(STaskStream::LineTask(inLineBegin, inLineEnd, mStoreFormat, mTarget));
  });
}

void STaskLineParser::Parse(const char * inBegin, const char * inEnd, STaskVector & ioVector,
                            unsigned inThreads) const {
  if (inBegin == nullptr || inEnd <= inBegin)
    return;
  const auto bytes = static_cast<std::size_t>(inEnd - inBegin);
  const unsigned threads = std::max(1U, std::min(inThreads, STaskThreads::sMaxThreads));

  // Pieces of about kPieceBytes, at least one per thread, each starting where a line does.
  // Only the last piece can end without a break, so the final-line rule applies to it alone.
  const std::size_t pieceCount = std::max<std::size_t>(threads, (bytes + kPieceBytes - 1) / kPieceBytes);
  std::vector<Piece> pieces(pieceCount);
  const char * start = inBegin;
  for (std::size_t index = 0; index < pieceCount; ++index) {
    const char * const nominal = inBegin + bytes / pieceCount * (index + 1);
    const char * const end = index + 1 == pieceCount ? inEnd : std::max(start, LineStartFrom(inBegin, nominal, inEnd));
    pieces[index].begin = start;
    pieces[index].end = end;
    start = end;
  }

  // Count the lines first, so that the vector grows once.
  STaskThreads::Run(threads, [&](unsigned inThread) {
    for (std::size_t index = inThread; index < pieceCount; index += threads)
      pieces[index].lines = CountLines(pieces[index].begin, pieces[index].end);
  });
  std::size_t total = 0;
  for (const Piece & piece : pieces)
    total += piece.lines;
  ioVector.MakeRoomFor(total);

  // Every thread parses the next piece not yet taken, at most kPiecesAhead per thread ahead
  // of the piece being appended; thread 0 appends each parsed piece in turn (one insertion,
  // moving its tasks) as soon as it can and parses only when there is nothing to append.
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t nextToParse = 0;
  std::size_t nextToAppend = 0;
  bool failed = false;
  const std::size_t ahead = kPiecesAhead * threads;
  auto mayParse = [&] { return nextToParse < pieceCount && nextToParse < nextToAppend + ahead; };
  // Parses the next piece; called and returns with the lock held.
  auto parseNext = [&](std::unique_lock<std::mutex> & ioLock) {
    Piece & piece = pieces[nextToParse++];
    ioLock.unlock();
    piece.tasks.reserve(piece.lines);
    ParsePiece(piece.begin, piece.end, piece.tasks);
    ioLock.lock();
    piece.parsed = true;
    changed.notify_all();
  };

  STaskThreads::Run(threads, [&](unsigned inThread) {
    SDateParseCache cache; // this thread's own
    std::unique_lock<std::mutex> lock(mutex);
    try {
      if (inThread != 0) {
        for (;;) {
          changed.wait(lock, [&] { return failed || nextToParse >= pieceCount || mayParse(); });
          if (failed || nextToParse >= pieceCount)
            return;
          parseNext(lock);
        }
      }
      while (nextToAppend < pieceCount && !failed) {
        if (pieces[nextToAppend].parsed) {
          std::vector<STask> tasks = std::move(pieces[nextToAppend].tasks);
          ++nextToAppend;
          changed.notify_all();
          lock.unlock();
          ioVector.append(std::move(tasks));
          tasks = std::vector<STask>();
          lock.lock();
        } else if (mayParse()) {
          parseNext(lock);
        } else {
          changed.wait(lock);
        }
      }
    } catch (...) {
      if (!lock.owns_lock())
        lock.lock();
      failed = true;
      changed.notify_all();
      throw;
    }
  });
}
