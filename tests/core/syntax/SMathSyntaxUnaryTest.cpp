// Runs of unary operators: each applies to all that follows it, within its own binding.
#include "core/syntax/FilterTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SMathSyntaxUnary, EveryOperatorOfARunApplies) {
  testsupport::TestSyntax test; // a 1, b 2, c 3, d 4, who "smith"
  const struct {
    const char * mText;
    long mValue;
  } cases[] = {
      {"NOT NOT 1", 1},           {"NOT NOT 0", 0},          {"NOT NOT NOT 0", 1},
      {"NOT NOT (who = 'sm*')", 1}, {"NOT NOT who = 'x'", 0}, {"- -3", 3},
      {"- - - 3", -3},             {"- -c * d", 12},          {"1 - - -c", -2},
      {"NOT -1", 0},               {"NOT - 1 = -1", 0},       {"- NOT 0 * d", -4},
      {"a = 1 AND NOT NOT b = 2", 1}, {"NOT NOT a = 2 OR c = 3", 1}, {"NOT NOT a = 2 AND c = 3", 0},
  };
  for (const auto & c : cases) {
    SCOPED_TRACE(c.mText);
    EXPECT_EQ(test.Value(c.mText).Integer(), c.mValue);
  }
  EXPECT_EQ(test.Prepared("NOT NOT a = b AND c"), "NOT ( NOT ( a = b ) ) AND c");
  EXPECT_EQ(test.PrepareError("NOT NOT"), "Missing Term After Operator");
  EXPECT_EQ(test.PrepareError("- - * 2"), "Missing Term After Operator");
}

} // namespace
