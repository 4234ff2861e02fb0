// Task comparisons: dates and durations by value, text fields without regard to case.
#include "tasks/STask.h"
#include "tasks/STaskComparator.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using F = SDateFormat;

STask Make(const std::string & line) {
  return STask(F::eMDY, line.data(), static_cast<unsigned int>(line.size()));
}

// A task whose every text field holds `text`.
STask WithFields(const std::string & text) {
  return Make("01/02/2012\t1:00\t" + text + "\t" + text + "\t" + text + "\t" + text);
}

// The comparison as upper-cased copies and the standard string comparison give it.
int Reference(const std::string & a, const std::string & b) {
  std::string left = a, right = b;
  STask::Capitalize(left);
  STask::Capitalize(right);
  const int order = left.compare(right);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

TEST(STaskCompare, DatesAndDurationsCompareByValue) {
  testsupport::ScopedTimeZone zone("America/New_York");
  const STask early = Make("3/9/2013\t2:00\tZ\t9\tZ\tZ");
  const STask late = Make("3/10/2013\t1:00\tA\t1\tA\tA");
  const STask sameDay = Make("03/10/13\t1:00:00\tq\t5\tq\tq");
  EXPECT_EQ(STask::CompareDates(early, late), -1);
  EXPECT_EQ(STask::CompareDates(late, early), 1);
  EXPECT_EQ(STask::CompareDates(late, sameDay), 0);
  EXPECT_EQ(STask::CompareDurations(early, late), 1);
  EXPECT_EQ(STask::CompareDurations(late, sameDay), 0);
  EXPECT_EQ(STask::CompareDurations(late, Make("1/1/2013\t1.0")), 0);
  EXPECT_EQ(STask::CompareDurations(late, Make("1/1/2013\t0.5")), 1);
}

TEST(STaskCompare, MatchesUpperCasedCopiesOnRandomBytes) {
  std::mt19937 random(31337);
  // Few distinct bytes, so that long common prefixes and case-only differences are common.
  const std::string alphabet("aAbBzZ09_ \xe9\xc9\xff\x80\x00", 15);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
  std::uniform_int_distribution<int> anyByte(1, 255);
  std::uniform_int_distribution<int> length(0, 8);
  auto randomText = [&] {
    std::string text(length(random), ' ');
    for (char & c : text) {
      c = random() % 8 == 0 ? static_cast<char>(anyByte(random)) : alphabet[pick(random)];
      if (c == '\t')
        c = ' ';
    }
    return text;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string a = randomText();
    std::string b = random() % 3 == 0 ? a : randomText();
    if (random() % 4 == 0 && !b.empty())
      b[random() % b.size()] ^= 0x20; // flip case (or not a letter at all)
    for (char & c : b)
      if (c == '\t')
        c = ' ';
    const STask left = WithFields(a), right = WithFields(b);
    for (int field = STask::eWhoCode; field <= STask::eDescription; ++field)
      ASSERT_EQ(STask::CompareSubfields(static_cast<STask::EField>(field), left, right),
                Reference(a, b))
          << "field " << field << " \"" << a << "\" vs \"" << b << "\"";
  }
}

} // namespace
