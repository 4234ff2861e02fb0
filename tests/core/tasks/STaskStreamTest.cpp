// Splitting a store's bytes into tasks: line breaks and the document's format, empty lines,
// the short final fragment, date orders, odd bytes, and a comparison with a plain splitter.
#include "core/DateTestHelpers.h"
#include "core/tasks/DocumentTestHelpers.h"
#include "tasks/STask.h"
#include "tasks/STaskVector.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <tuple>
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
  // The bytes, the document's format before and after; no break at all, and no bytes at
  // all, leave the format alone; a carriage return as the very last byte is a Mac break.
  const std::tuple<std::string, L::EFormat, L::EFormat> cases[] = {
      {kA + "\r\n" + kB + "\r\n", L::eMac, L::eDOS}, {kA + "\n" + kB + "\r\n", L::eDOS, L::eUNIX},
      {kA + "\r" + kB + "\r\n", L::eUNIX, L::eMac},   {kA + "\r\n" + kB + "\r", L::eUNIX, L::eDOS},
      {kA + "\r", L::eUNIX, L::eMac},                 {kA, L::eMac, L::eMac},
      {kA, L::eUNIX, L::eUNIX},                       {"", L::eMac, L::eMac}};
  for (const auto & [bytes, before, after] : cases)
    EXPECT_EQ(FormatAfter(bytes, before), after) << testing::PrintToString(bytes);
  // Mixed breaks all end lines; an empty line is a task dated today.
  const auto [today, lines] = datetest::WithStableToday([] { return Lines(kA + "\n" + kB + "\r\n" + kC + "\r\n\r" + kA); });
  char todayText[16];
  std::snprintf(todayText, sizeof todayText, "%02d/%02d/%04d", today.month, today.day, today.year);
  EXPECT_EQ(lines, (std::vector<std::string>{kA, kB, kC, std::string(todayText) + "\t\t\t\t\t", kA}));
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
