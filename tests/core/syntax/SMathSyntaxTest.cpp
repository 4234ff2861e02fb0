// Tests of classifying, preparing and evaluating filter expressions.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/syntax/FilterTestSupport.h"
#include "syntax/SMathSyntax.h"

namespace {

using testsupport::BasicTestSyntax;
using testsupport::TestSyntax;

TEST(SMathSyntaxPrepare, EveryParserError) {
  TestSyntax test;
  const std::pair<std::string, const char *> cases[] = {
      {"a == b", "Missing Term Before Operator"},
      {"a > = b", "Missing Term Before Operator"},
      {"* a", "Missing Term Before Operator"},
      {"(AND a)", "Missing Term Before Operator"},
      {"NOT AND a", "Missing Term Before Operator"},
      {") a", "Closing Parenthesis Without Opening Parenthesis"},
      {"a AND )", "Closing Parenthesis Without Opening Parenthesis"},
      {"NOT )", "Closing Parenthesis Without Opening Parenthesis"},
      {"who = 'x')", "Expected an Operator"},
      {"who = 'x' and b = 'y'", "Expected an Operator"},
      {"a b", "Expected an Operator"},
      {"f a", "Expected Opening Parenthesis"},
      {"f", "Expected Opening Parenthesis"},
      {"f(a", "Expected Closing Parenthesis"},
      {"f(a, b)", "Expected Closing Parenthesis"},
      {"who = 'abc", "Missing Term After Operator"},
      {"a AND", "Missing Term After Operator"},
      {"NOT", "Missing Term After Operator"},
      {"NOT NOT", "Missing Term After Operator"},
      {"- - * 2", "Missing Term After Operator"},
      {"a +\tb", "Missing Term After Operator"},
      {"(who = 'x'", "Missing Closing Parenthesis"},
      {"(a, b)", "Missing Closing Parenthesis"},
      {"a OR b AND (c", "Missing Closing Parenthesis"},
      {std::string(300, '(') + "a" + std::string(300, ')'), "Invalid Expression"},
  };
  for (const auto & [text, message] : cases)
    EXPECT_EQ(test.Error(text), message) << text; // each fails in the preparation
}

TEST(SMathSyntaxPrepare, NestingIsBoundedNotRecursedWithoutLimit) {
  TestSyntax test;
  auto nested = [](int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "1 + 2 * 3" + std::string(static_cast<std::size_t>(depth), ')');
  };
  EXPECT_EQ(test.Value(nested(SMathSyntax::sMaxNesting - 1)).Integer(), 7);
  EXPECT_EQ(test.Error(nested(SMathSyntax::sMaxNesting + 1)), "Invalid Expression");
  // Far deeper than any stack would take by plain recursion.
  EXPECT_EQ(test.Error(nested(8000)), "Invalid Expression");
  test.Load(nested(8000));
  EXPECT_THROW(test.mSyntax.Evaluate(), SSyntaxException);
  // Nesting close to the limit, with a run to wrap at every level: the inserted
  // parentheses nest several times deeper than the text.
  std::string levels;
  for (int i = 0; i < SMathSyntax::sMaxNesting - 6; ++i)
    levels += "0 OR 1 AND 2 = 2 + 0 * -(";
  levels += "1" + std::string(static_cast<std::size_t>(SMathSyntax::sMaxNesting - 6), ')');
  EXPECT_EQ(test.Value(levels).Integer(), 1);
  // Read without preparation, groups nest as deep as the text says, up to a limit.
  test.Load(std::string(2500, '(') + "1+2*3" + std::string(2500, ')'));
  EXPECT_EQ(test.mSyntax.Evaluate().Integer(), 9); // left to right: (1 + 2) * 3
  // Unbalanced deep openings and deep unary chains fail cleanly too.
  EXPECT_EQ(test.Error(std::string(8000, '(')), "Invalid Expression");
  std::string nots;
  for (int i = 0; i < 4000; ++i)
    nots += "NOT ";
  EXPECT_EQ(test.Error(nots + "0"), "Invalid Expression"); // each NOT nests all after it
  std::string chain = "a";
  for (int i = 0; i < 600; ++i)
    chain += " OR a AND a = a + a * -a";
  EXPECT_EQ(test.Value(chain).Type(), STerm::eInteger);
}

TEST(SMathSyntaxEvaluate, ArithmeticLogicAndComparisons) {
  TestSyntax test;
  const std::pair<const char *, long> integers[] = {
      {"-2 * 3", -6}, {"1 + 2 * -3", -5}, {"1 - - 4 * 2", 9}, {"99999999999", 2147483647},
      {"a < b AND c < d", 1}, {"a > b OR c >= d", 0}, {"a <> b", 1}, {"a >< a", 0}, {"a =< a", 1},
      {"NOT a = b", 1}, {"NOT 0.0", 1}, {"who = 'sm*'", 1}, {"who = \"sm*\"", 0},
      {"who = 'smith' AND NOT who = 'y'", 1}, {"'a' + \"b\" = 'ab'", 1},
      // Runs of unary operators: each applies to all that follows it, within its own binding.
      {"NOT NOT 1", 1},           {"NOT NOT 0", 0},          {"NOT NOT NOT 0", 1},
      {"NOT NOT (who = 'sm*')", 1}, {"NOT NOT who = 'x'", 0}, {"- -3", 3},
      {"- - - 3", -3},             {"- -c * d", 12},          {"1 - - -c", -2},
      {"NOT -1", 0},               {"NOT - 1 = -1", 0},       {"- NOT 0 * d", -4},
      {"a = 1 AND NOT NOT b = 2", 1}, {"NOT NOT a = 2 OR c = 3", 1}, {"NOT NOT a = 2 AND c = 3", 0},
      // A token that ends the run: after a term the value so far is the result.
      {"a = a , b", 1}, {"a = a ! garbage (((", 1},
  };
  for (const auto & [text, value] : integers)
    EXPECT_EQ(test.Value(text).Integer(), value) << text;
  const std::pair<const char *, double> decimals[] = {
      {"7 / 2", 3.0}, {"7.0 / 2", 3.5}, {"1.5e3", 1500.0}, {"12.", 12.0}, {".25 + 1", 1.25}, {"1e-999", 0.0}};
  for (const auto & [text, value] : decimals) {
    EXPECT_EQ(test.Value(text).Type(), STerm::eDecimal) << text;
    EXPECT_DOUBLE_EQ(test.Value(text).Decimal(), value) << text;
  }
  EXPECT_TRUE(std::isinf(test.Value("1e999").Decimal()));
  // An exponent letter left without digits keeps the number unreduced: a decimal, and the
  // letter after it is an unknown name.
  EXPECT_EQ(test.Error("1e"), "Expected an Operator");
  // Preparing wraps each tighter run in parentheses (the randomized test below checks the
  // values); a sign inside a tighter run does not end the run, nor does a function's list.
  EXPECT_EQ(test.Prepared("1 + 2 * -3"), "1 + ( 2 * ( - 3 ) )");
  EXPECT_EQ(test.Prepared("who = \"x\" AND NOT who = 'y' OR a"), "who = \"x\" AND ( NOT ( who = 'y' ) ) OR a");
  EXPECT_EQ(test.Prepared("f(1 OR 2 AND 3) OR a AND b"), "f ( 1 OR 2 AND 3 ) OR ( a AND b )");
  EXPECT_EQ(test.Prepared("NOT NOT a = b AND c"), "NOT ( NOT ( a = b ) ) AND c");
}

TEST(SMathSyntaxEvaluate, ErrorsOfTermsAndNames) {
  TestSyntax test;
  // An unknown name first, or a function, has no value; an unknown name second mismatches.
  const std::pair<const char *, const char *> errors[] = {
      {"x = 1", "Unknown term"}, {"1 = x", "Mismatched arguments"}, {"f(a) = 1", "Unknown term"},
      {"1 = f(who, 'a')", "Expected Closing Parenthesis"}, {"1 = f(who)", "Mismatched arguments"},
      {"NOT who", "Wrong argument type"}, {"- 'a'", "Wrong argument type"}, {"who = 1", "Mismatched arguments"},
      {"who - 'a'", "Mismatched arguments"}, {"1 / 0", "Mismatched arguments"}};
  for (const auto & [text, message] : errors)
    EXPECT_EQ(test.Error(text), message) << text;
  EXPECT_DOUBLE_EQ(test.Value("(0 - 2147483647 - 1) / -1").Decimal(), 2147483648.0);
  EXPECT_EQ(test.Value("2147483647 + 1").Integer(), -2147483647 - 1);
  EXPECT_EQ(test.Value("2147483647 * 2147483647").Integer(), 1);
  EXPECT_TRUE(std::isinf(test.Value("1 / 0.0").Decimal()));
}

// A randomized differential test: random expressions over small integers, evaluated
// by the syntax and by a direct recursive evaluator with the usual precedence.
class Generator {
public:
  explicit Generator(unsigned seed) : mRandom(seed) {}

  // Returns the text and sets `value`; `level` 0 is OR, up to 5 for a primary.
  std::string Make(int level, int depth, long & value) {
    if (level >= 5 || depth > 6) {
      const int pick = Pick(4);
      if (pick == 0 && depth <= 6)
        return "(" + Make(0, depth + 1, value) + ")";
      if (pick == 1 && depth <= 6) {
        const std::string inner = "-(" + Make(0, depth + 1, value) + ")";
        value = -value;
        return inner;
      }
      value = Pick(5);
      return std::to_string(value);
    }
    std::string text = Make(level + 1, depth + 1, value);
    const int count = Pick(3);
    for (int i = 0; i < count; ++i) {
      long right = 0;
      static const char * const ops[5][2] = {{" OR ", " OR "}, {" AND ", " AND "}, {" = ", " <> "},
                                             {" + ", " - "}, {" * ", " * "}};
      const int which = Pick(2);
      if (level == 1 && Pick(3) == 0) {
        // NOT binds looser than the relations and tighter than AND.
        text += " AND NOT ";
        const std::string operand = Make(2, depth + 1, right);
        // A unary minus right after NOT would be an error: keep it in a group.
        text += operand[0] == '-' ? "(" + operand + ")" : operand;
        value = (value != 0 && right == 0) ? 1 : 0;
        continue;
      }
      text += ops[level][which];
      text += Make(level + 1, depth + 1, right);
      switch (level) {
      case 0: value = (value != 0 || right != 0) ? 1 : 0; break;
      case 1: value = (value != 0 && right != 0) ? 1 : 0; break;
      case 2: value = which == 0 ? (value == right) : (value != right); break;
      case 3: value = which == 0 ? value + right : value - right; break;
      case 4: value = value * right; break;
      }
    }
    return text;
  }

private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }
  std::mt19937 mRandom;
};

TEST(SMathSyntaxEvaluate, AgreesWithARecursiveEvaluator) {
  TestSyntax test;
  Generator generator(2013);
  for (int round = 0; round < 3000; ++round) {
    long expected = 0;
    const std::string text = generator.Make(0, 0, expected);
    if (std::labs(expected) > 1000000)
      continue;
    STerm value;
    ASSERT_NO_THROW(value = test.Value(text)) << text;
    ASSERT_EQ(value.Type(), STerm::eInteger) << text;
    ASSERT_EQ(value.Integer(), expected) << text << " prepared as " << test.Listing();
  }
}

// Walks the token list for every evaluation, as a subclass that reads runs its own way
// does; the plain syntax walks it once and replays what the walk did.
class WalkingSyntax : public SMathSyntax {
public:
  STerm Process(std::size_t begin, std::size_t end, bool evaluate) override {
    return SMathSyntax::Process(begin, end, evaluate);
  }
};

// What three evaluations of `text` give, the preparation's failure first (evaluation
// goes on after one, as the filter's does).
template <class Syntax>
std::string Outcomes(BasicTestSyntax<Syntax> & test, const std::string & text) {
  test.Load(text);
  std::string out;
  try {
    test.mSyntax.Prepare();
  } catch (const SSyntaxException & error) {
    out = std::string("prepare: ") + error.what();
  }
  for (int round = 0; round < 3; ++round) {
    try {
      const STerm value = test.mSyntax.Evaluate();
      out += " | " + std::to_string(value.Type()) + " " + std::to_string(value.Integer()) + " " +
             std::to_string(value.Decimal()) + " '" + std::string(value.String()) + "'";
    } catch (const SSyntaxException & error) {
      out += std::string(" | ") + error.what();
    }
  }
  return out;
}

TEST(SMathSyntaxEvaluate, ReplayingGivesWhatWalkingGives) {
  BasicTestSyntax<SMathSyntax> replaying;
  BasicTestSyntax<WalkingSyntax> walking;
  // Well-formed texts first, then random token soup: groups, functions, sign and NOT
  // chains, every operator, literals read as dates and durations, unknown names, and
  // tokens that end a run.
  Generator generator(2014);
  std::mt19937 random(7);
  const char * const words[] = {"a", "b", "who", "x", "when", "span", "f", "1", "0", "2.5", "'sm*'",
                                "\"smith\"", "\"1:30\"", "\"1/1/2012\"", "(", ")", "(", ")", "NOT", "AND",
                                "OR", "+", "-", "-", "*", "/", "=", "<>", ">", "<=", ",", "!"};
  const int wordCount = static_cast<int>(std::size(words));
  for (int round = 0; round < 6000; ++round) {
    std::string text;
    if (round % 3 == 0) {
      long ignored = 0;
      text = generator.Make(0, 0, ignored);
    } else {
      const int length = std::uniform_int_distribution<int>(1, 16)(random);
      for (int i = 0; i < length; ++i)
        text += std::string(words[std::uniform_int_distribution<int>(0, wordCount - 1)(random)]) + " ";
    }
    ASSERT_EQ(Outcomes(replaying, text), Outcomes(walking, text)) << text;
  }
}

} // namespace
