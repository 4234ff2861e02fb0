// Loading and filtering on several threads give the same tasks, announced as inserted in
// the same order, as on one.
#include "core/tasks/DocumentTestHelpers.h"
#include "core/vectors/MessageRecorder.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskFileStream.h"
#include "syntax/SWildcardString.h"
#include "tasks/STaskLineParser.h"
#include "tasks/STaskParallelFilter.h"
#include "tasks/STaskSyntaxFilter.h"
#include "tasks/STaskVectorMap.h"
#include "tasks/STaskVectorMapFilter.h"
#include "syntax/SMathSyntax.h"
#include "tasks/STaskThreads.h"
#include "tasks/STaskVector.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using F = SDateFormat;

// Random time sheet bytes: every line-break form, blank lines, short and odd dates, bad
// bytes (NUL, 0x80 to 0xFF, stray tabs) and a final fragment of 0 to 9 bytes.
std::string RandomSheet(std::mt19937 & ioRandom, int inLines) {
  auto pick = [&](int inLow, int inHigh) { return std::uniform_int_distribution<int>(inLow, inHigh)(ioRandom); };
  static const char * const kBreaks[] = {"\n", "\r\n", "\r", "\n\n", "\r\r\n", "\n\r"};
  static const char * const kDates[] = {"%02d/%02d/%04d", "%d/%d/%02d", "%d/%d", "%d//%d", "%d/%d/%d", "x%d/%d"};
  std::string bytes;
  for (int line = 0; line < inLines; ++line) {
    char text[64];
    std::snprintf(text, sizeof text, kDates[pick(0, 5)], pick(0, 13), pick(0, 32), pick(0, 2040));
    bytes += text;
    std::snprintf(text, sizeof text, pick(0, 1) ? "\t%d:%02d:%02d\t" : "\t%d.%d\t", pick(0, 30), pick(0, 70), pick(0, 59));
    bytes += text;
    for (int extra = pick(0, 12); extra > 0; --extra)
      bytes += static_cast<char>(pick(0, 9) == 0 ? pick(0, 255) : pick(0, 3) == 0 ? '\t' : 'a' + pick(0, 25));
    bytes += kBreaks[pick(0, 5)];
  }
  bytes.append(static_cast<std::size_t>(pick(0, 9)), 'z');
  return bytes;
}

// Everything a task holds.
std::string Describe(const STask & inTask) {
  std::string text = inTask + "|" + std::to_string(static_cast<unsigned long>(inTask.GetDate())) + "|" +
                     std::to_string(static_cast<unsigned long>(inTask.GetDuration())) + "|" + std::to_string(static_cast<int>(inTask.GetDateFormat().GetFormat()));
  for (int field = 0; field < STask::eFieldCount; ++field)
    text += "|" + std::to_string(inTask.GetSubfieldStart(STask::EField(field))) + "," +
            std::to_string(inTask.GetSubfieldLength(STask::EField(field)));
  return text;
}

// A vector with a recorder of every message it sends.
struct Heard {
  Heard() { v.AddListener(&heard); }
  testsupport::MessageRecorder<STask> heard;
  STaskVector v;
};

// The indices the messages announce as inserted, in the order heard; anything but an
// insertion is a failure.
std::vector<std::uint32_t> Inserted(const Heard & inHeard) {
  std::vector<std::uint32_t> indices;
  for (const auto & message : inHeard.heard.mMessages) {
    EXPECT_EQ(message.code(), TVectorMessage<STask>::eInsert);
    message.ForEachIndex([&](std::uint32_t inIndex) { indices.push_back(inIndex); });
  }
  return indices;
}

void ExpectSame(const STaskVector & inSerial, const Heard & inSerialHeard, const Heard & inParallel) {
  ASSERT_EQ(inSerial.size(), inParallel.v.size());
  for (std::size_t index = 0; index < inSerial.size(); ++index)
    ASSERT_EQ(Describe(inSerial[index]), Describe(inParallel.v[index])) << "task " << index;
  EXPECT_EQ(inSerial.GetTotalSeconds(), inParallel.v.GetTotalSeconds());
  EXPECT_EQ(Inserted(inSerialHeard), Inserted(inParallel));
}

class ParallelLoad : public ::testing::Test {
protected:
  void SetUp() override {
    if (!mZone.Supported())
      GTEST_SKIP() << mZone.WhyUnsupported();
  }
  void TearDown() override { STaskThreads::SetCount(0); }
  testsupport::ScopedTimeZone mZone{"America/New_York"}; // with daylight saving
};

TEST_F(ParallelLoad, EveryThreadCountParsesAsOneThreadDoes) {
  STaskThreads::SetCount(1);
  std::mt19937 random(21);
  for (int round = 0; round < 24; ++round) {
    const std::string bytes = RandomSheet(random, round % 4 == 0 ? round / 4 : 20 + round * 7);
    const F store = round % 3 == 0 ? F::eDMY : F::eMDY;
    const F target = round % 2 == 0 ? F::eMDY : F::eYMD;
    doctest::TestDocument document;
    STaskDocumentData(document).SetDateFormat(target);
    auto stream = doctest::FileStream("/nonexistent/never-opened.txt", store);
    stream->SetDocument(&document);
    Heard serial;
    stream->ParseLines(bytes.data(), bytes.data() + bytes.size(), serial.v);
    for (unsigned threads = 1; threads <= 8; ++threads) {
      SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(threads) + " threads");
      Heard parallel;
      STaskLineParser(store, target).Parse(bytes.data(), bytes.data() + bytes.size(), parallel.v, threads);
      ExpectSame(serial.v, serial, parallel);
    }
  }
}

// A file big enough to be split takes the parallel path through the stream, which still
// sets the document's line breaks from the first break.
TEST_F(ParallelLoad, LargeFileThroughTheStream) {
  std::mt19937 random(7);
  const std::string bytes = "\r" + RandomSheet(random, 50000);
  ASSERT_GT(bytes.size(), STaskThreads::sSmallJob);
  auto load = [&](unsigned inThreads, Heard & outVector) {
    STaskThreads::SetCount(inThreads);
    doctest::TestDocument document;
    auto stream = doctest::FileStream("/nonexistent/never-opened.txt");
    stream->SetDocument(&document);
    stream->ParseLines(bytes.data(), bytes.data() + bytes.size(), outVector.v);
    EXPECT_EQ(STaskDocumentData(document).GetLineBreakFormat().GetFormat(), SLineBreakFormat::eMac);
  };
  Heard serial, parallel;
  load(1, serial);
  load(3, parallel);
  ExpectSame(serial.v, serial, parallel);
}

// A file read a chunk at a time gives what one read of all its bytes gives, wherever the
// chunks end (inside a line, between the two bytes of a CR LF, in the final fragment).
TEST_F(ParallelLoad, EveryChunkSizeReadsAsOneRead) {
  const std::size_t chunk = STaskFileStream::sReadChunk;
  testsupport::TempDir folder;
  std::mt19937 random(11);
  for (int round = 0; round < 6; ++round) {
    const std::string path = folder.file("sheet.txt");
    testsupport::WriteFileBytes(path, (round % 2 ? "\r\n" : "") + RandomSheet(random, 30 + round * 20));
    auto load = [&](std::size_t inChunk, Heard & outVector) {
      STaskFileStream::sReadChunk = inChunk;
      doctest::TestDocument document;
      auto stream = doctest::FileStream(path);
      stream->SetDocument(&document);
      stream->Connect();
      stream->Reserve();
      stream->ReadData(outVector.v);
      return std::to_string(STaskDocumentData(document).GetLineBreakFormat().GetFormat()) + "|" + stream->UnreadBytes();
    };
    Heard whole;
    const std::string wholeRest = load(std::size_t(1) << 30, whole);
    for (const std::size_t size : {1, 2, 3, 7, 64, 333}) {
      SCOPED_TRACE("round " + std::to_string(round) + ", chunks of " + std::to_string(size));
      Heard chunked;
      EXPECT_EQ(load(size, chunked), wholeRest);
      ExpectSame(whole.v, whole, chunked);
    }
  }
  STaskFileStream::sReadChunk = chunk;
}

TEST_F(ParallelLoad, EveryThreadCountFiltersAsOneThreadDoes) {
  static const char * const kExpressions[] = {
      "description = '*a?b*' OR who = 'q*'", "date >= \"6/1/1999\" AND duration < \"12:30\"",
      "NOT code = '*' OR job = \"1.5\"", "duration > 3 AND (", "who < 'm' AND NOT description = '*Z*'",
      // Fails for the few entries whose text holds two q's, the first of them well inside.
      "1 / (NOT who + job + code + description = '*q*q*') = 1 OR who = '*b*'"};
  STaskThreads::SetCount(1);
  // Runs of a few entries each, so that threads take many runs, failing ones among them.
  const std::size_t runLength = STaskParallelFilter::sRunLength;
  STaskParallelFilter::sRunLength = 1;
  std::mt19937 random(5);
  const std::string bytes = RandomSheet(random, 1500);
  STaskVector source;
  auto stream = doctest::FileStream("/nonexistent/never-opened.txt");
  stream->ParseLines(bytes.data(), bytes.data() + bytes.size(), source);
  STaskVectorMap map(source);
  for (const auto sensitivity : {SWildcardString::eCaseSensitive, SWildcardString::eNotCaseSensitive}) {
    SWildcardString::SetGlobalCaseSensitivity(sensitivity);
    for (const char * expression : kExpressions) {
      SMathSyntax syntax;
      STaskSyntaxFilter filter(syntax, expression);
      STaskVector serial;
      STaskVectorMapFilter(map, serial, &filter)();
      // One thread hears one insertion over the accepted range; every count hears the same.
      Heard oneThread;
      STaskParallelFilter(map, oneThread.v, expression).Run(1);
      for (unsigned threads = 1; threads <= 8; ++threads) {
        SCOPED_TRACE(std::string(expression) + ", " + std::to_string(threads) + " threads");
        Heard parallel;
        STaskParallelFilter run(map, parallel.v, expression);
        run.Run(threads);
        ExpectSame(serial, oneThread, parallel);
        EXPECT_EQ(run.EvaluationCount(), filter.EvaluationCount());
        EXPECT_EQ(run.FailureCount(), filter.FailureCount());
        EXPECT_EQ(run.FirstFailure(), filter.FirstFailure());
        EXPECT_EQ(run.PreparationFailure(), filter.PreparationFailure());
      }
      ASSERT_EQ(oneThread.heard.mMessages.size(), 1U);
    }
  }
  STaskParallelFilter::sRunLength = runLength;
  SWildcardString::SetGlobalCaseSensitivity(SWildcardString::eCaseSensitive);
}

} // namespace
