// Tests of wildcard comparison, its signs and the process-wide case switch.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/syntax/CaseSensitivityScope.h"
#include "syntax/SWildcardString.h"

namespace {

using testsupport::ScopedCaseSensitivity;

SWildcardString Pattern(const std::string & text) { return SWildcardString(text, true); }
SWildcardString Plain(const std::string & text) { return SWildcardString(text, false); }

// Equality as the documented summary states it: segments placed by their wildcards,
// first occurrence after "*", one byte on after "?", the last non-empty segment
// against the whole rest, a trailing wildcard testing nothing.
bool ReferenceMatch(const std::string & pattern, const std::string & subject) {
  if (pattern.find_first_of("*?") == std::string::npos)
    return pattern == subject;
  std::size_t pos = 0;
  char kind = 0;
  std::size_t segmentStart = 0;
  for (;;) {
    const std::size_t wild = pattern.find_first_of("*?", segmentStart);
    const std::string segment = pattern.substr(segmentStart, wild == std::string::npos ? std::string::npos : wild - segmentStart);
    if (kind == '?')
      ++pos;
    else if (kind == '*') {
      const std::size_t found = pos <= subject.size() ? subject.find(segment, pos) : std::string::npos;
      if (found != std::string::npos)
        pos = found;
    }
    const std::string rest = pos < subject.size() ? subject.substr(pos) : std::string();
    if (wild == std::string::npos)
      return segment.empty() || rest == segment;
    if (!segment.empty() && rest.compare(0, segment.size(), segment) != 0)
      return false;
    pos += segment.size();
    kind = pattern[wild];
    segmentStart = wild + 1;
  }
}

TEST(SWildcardString, SignsGiveOrderOnPatterns) {
  ScopedCaseSensitivity sensitive(SWildcardString::eCaseSensitive);
  // The failing segment against the subject text at that place decides the sign, and
  // the sign always says how the left operand compares with the right one (the randomized
  // test below checks that swapping the sides flips it).
  EXPECT_LT(Pattern("ab*").WildcardCompare(Plain("ac")), 0);
  EXPECT_GT(Pattern("b*").WildcardCompare(Plain("abc")), 0);
  EXPECT_TRUE(Plain("abc") < Pattern("b*"));
  EXPECT_TRUE(Pattern("b*") > Plain("abc"));
  EXPECT_TRUE(Plain("abz") >= Pattern("ab*"));
  EXPECT_TRUE(Plain("abz") <= Pattern("ab*"));
  EXPECT_FALSE(Plain("abz") < Pattern("ab*"));
  EXPECT_LT(Plain("ab").WildcardCompare(Plain("abc")), 0);
  EXPECT_GT(Plain("b").WildcardCompare(Plain("abc")), 0);
  // Bytes compare as unsigned.
  EXPECT_GT(Plain("\xe9").WildcardCompare(Plain("z")), 0);
  EXPECT_LT(Pattern("a*").WildcardCompare(Plain("\xe9")), 0);
}

TEST(SWildcardString, RandomPatternsAgreeWithTheDocumentedRules) {
  ScopedCaseSensitivity sensitive(SWildcardString::eCaseSensitive);
  std::mt19937 random(20120101);
  const std::string patternBytes = "ab*?";
  const std::string subjectBytes = "abc";
  auto make = [&](const std::string & alphabet, int maxLength) {
    std::string text(std::uniform_int_distribution<int>(0, maxLength)(random), ' ');
    for (char & c : text)
      c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string pattern = make(patternBytes, 6);
    const std::string subject = make(subjectBytes, 7);
    const int left = Pattern(pattern).WildcardCompare(Plain(subject));
    const int right = Plain(subject).WildcardCompare(Pattern(pattern));
    ASSERT_EQ(left == 0, ReferenceMatch(pattern, subject)) << pattern << " vs " << subject;
    // With one pattern the sign depends only on which side it stands.
    ASSERT_EQ(left, -right) << pattern << " vs " << subject;
    // Without wildcards it is the plain comparison.
    const int plain = Plain(pattern).WildcardCompare(Plain(subject));
    const int expected = pattern.compare(subject);
    ASSERT_EQ(plain, (expected > 0) - (expected < 0));
  }
}

TEST(SWildcardString, FoldingEqualsComparingUpperCaseCopies) {
  std::mt19937 random(42);
  const std::string bytes = "aAzZ@[`{*?";
  auto make = [&]() {
    std::string text(std::uniform_int_distribution<int>(0, 5)(random), ' ');
    for (char & c : text)
      c = bytes[std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random)];
    return text;
  };
  for (int round = 0; round < 5000; ++round) {
    const std::string a = make();
    const std::string b = make();
    std::string upperA = a, upperB = b;
    for (std::string * text : {&upperA, &upperB})
      for (char & c : *text)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    int folded;
    {
      ScopedCaseSensitivity scope(SWildcardString::eNotCaseSensitive);
      folded = Pattern(a).WildcardCompare(Plain(b));
    }
    ScopedCaseSensitivity scope(SWildcardString::eCaseSensitive);
    ASSERT_EQ(folded, Pattern(upperA).WildcardCompare(Plain(upperB))) << a << " vs " << b;
  }
}

} // namespace
