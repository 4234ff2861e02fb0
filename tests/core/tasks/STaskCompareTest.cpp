// Task comparisons of text fields: without regard to case, byte by byte beyond ASCII.
#include "tasks/STask.h"


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
