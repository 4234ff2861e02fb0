// Splitting a store's bytes into tasks: line breaks and the document's format, empty lines,
// the short final fragment, date orders, odd bytes, and a comparison with a plain splitter.
#include "core/DateTestHelpers.h"
#include "core/vectors/MessageRecorder.h"
#include "core/tasks/DocumentTestHelpers.h"
#include "dates/SDateString.h"
#include "tasks/STask.h"
#include "tasks/STaskVector.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using doctest::TestDocument;
using F = SDateFormat;
using L = SLineBreakFormat;

// Parses inBytes with a stream in inStoreOrder that serves inDocument (or none).
std::vector<std::string> Parse(const std::string & inBytes, STaskDocument * inDocument,
                               F inStoreOrder = F::eMDY) {
  auto stream = doctest::FileStream("/nonexistent/never-opened.txt", inStoreOrder);
  stream->SetDocument(inDocument);
  STaskVector vector;
  stream->ParseLines(inBytes.data(), inBytes.data() + inBytes.size(), vector);
  std::vector<std::string> lines;
  for (const STask & task : vector)
    lines.push_back(task);
  return lines;
}

// Parses inBytes for a month-first document.
std::vector<std::string> Lines(const std::string & inBytes) {
  TestDocument document;
  document.Data().SetDateFormat(F::eMDY);
  return Parse(inBytes, &document);
}

L::EFormat FormatAfter(const std::string & inBytes, L::EFormat inBefore = L::eDOS) {
  TestDocument document;
  document.Data().SetLineBreakFormat(inBefore);
  Parse(inBytes, &document);
  return document.GetLineBreakFormat().GetFormat();
}

const std::string kA = "12/25/2012\t1:30:00\tJD\t1001\tA\tDesign review";
const std::string kB = "01/02/2013\t2.5\tmk\tX01\tB\tSite visit\twith a tab";
const std::string kC = "07/04/2011\t0:45\tJD\t2002\tC\tCall";

} // namespace

TEST(STaskStreamLines, TheFirstLineBreakDecidesTheDocumentsFormat) {
  testsupport::ScopedTimeZone zone("America/New_York");
  for (const auto & [separator, format] : {std::pair<std::string, L::EFormat>{"\r\n", L::eDOS},
                                           {"\n", L::eUNIX},
                                           {"\r", L::eMac}}) {
    const std::string bytes = kA + separator + kB + separator + kC + separator;
    EXPECT_EQ(FormatAfter(bytes, L::eMac == format ? L::eDOS : L::eMac), format) << separator.size();
    EXPECT_EQ(Lines(bytes), (std::vector<std::string>{kA, kB, kC}));
  }
  // Mixed breaks all end lines; only the first one counts for the format.
  const std::vector<std::string> mixed = Lines(kA + "\n" + kB + "\r\n" + kC + "\r" + kA + "\n\r" + kB);
  ASSERT_EQ(mixed.size(), 6u);
  EXPECT_EQ(mixed, (std::vector<std::string>{kA, kB, kC, kA, mixed[4], kB}));
  EXPECT_EQ(mixed[4].substr(10), "\t\t\t\t\t");
  EXPECT_EQ(FormatAfter(kA + "\n" + kB + "\r\n"), L::eUNIX);
  EXPECT_EQ(FormatAfter(kA + "\r" + kB + "\r\n", L::eUNIX), L::eMac);
  EXPECT_EQ(FormatAfter(kA + "\r\n" + kB + "\r", L::eUNIX), L::eDOS);
  // A carriage return as the very last byte is a Macintosh break.
  EXPECT_EQ(FormatAfter(kA + "\r", L::eUNIX), L::eMac);
  // No break at all, and no bytes at all, leave the format alone.
  EXPECT_EQ(FormatAfter(kA, L::eMac), L::eMac);
  EXPECT_EQ(FormatAfter(kA, L::eUNIX), L::eUNIX);
  EXPECT_EQ(FormatAfter("", L::eMac), L::eMac);
}

TEST(STaskStreamLines, EmptyLinesBecomeTasksDatedTodayAndShortFinalFragmentsAreDropped) {
  testsupport::ScopedTimeZone zone("America/New_York");
  const auto [today, lines] = datetest::WithStableToday(
      [] { return Lines("\n\n" + kA + "\r\n\r\n" + kB + "\r\r" + kC + "\n"); });
  char todayText[16];
  std::snprintf(todayText, sizeof todayText, "%02d/%02d/%04d", today.month, today.day, today.year);
  const std::string empty = std::string(todayText) + "\t\t\t\t\t";
  EXPECT_EQ(lines, (std::vector<std::string>{empty, empty, kA, empty, kB, empty, kC}));

  // After the last break: 1 to 5 bytes are dropped, 6 or more are a line.
  EXPECT_EQ(Lines(kA + "\n12345"), std::vector<std::string>{kA});
  EXPECT_EQ(Lines(kA + "\nJD\t1\t"), std::vector<std::string>{kA});
  EXPECT_EQ(Lines(kA + "\n" + kC), (std::vector<std::string>{kA, kC}));
  EXPECT_EQ(Lines("12345").size(), 0u);
  EXPECT_EQ(Lines("\t\t\t\t\t\t").size(), 1u);
  EXPECT_EQ(Lines(kC), std::vector<std::string>{kC});
  EXPECT_EQ(Lines("").size(), 0u);
  // A file of nothing but breaks: one empty task per break, CR LF counting once.
  EXPECT_EQ(Lines("\r\n\r\n\r\n").size(), 3u);
  EXPECT_EQ(Lines("\n\r\r\n\r").size(), 4u);
}

// Against a plain splitter over random bytes rich in breaks, tabs and date characters.
TEST(STaskStreamLines, AgreesWithAPlainSplitterOnRandomInput) {
  testsupport::ScopedTimeZone zone("America/New_York");
  std::mt19937 random(20240611);
  const char alphabet[] = {'\r', '\n', '\t', '1', '2', '/', 'a', '\0', ':', '.'};
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 80);
    for (int i = 0; i < length; ++i)
      bytes.push_back(alphabet[random() % sizeof alphabet]);

    std::vector<std::string> expected;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' || bytes[i] == '\n') {
        const std::string line = bytes.substr(start, i - start);
        expected.push_back(STask(F::eMDY, line.data(), static_cast<unsigned>(line.size())));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
          ++i;
        start = i + 1;
      }
    }
    if (bytes.size() - start > 5) {
      const std::string line = bytes.substr(start);
      expected.push_back(STask(F::eMDY, line.data(), static_cast<unsigned>(line.size())));
    }
    EXPECT_EQ(Lines(bytes), expected) << testing::PrintToString(bytes);
  }
}
