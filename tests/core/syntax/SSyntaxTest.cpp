// Tests of tokenizing, reducing and symbolizing expression texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/syntax/FilterTestSupport.h"
#include "syntax/SSyntax.h"

namespace {

struct Reduced {
  STokenEnum::EType type;
  std::string text;
  int extra;
  bool operator==(const Reduced & other) const {
    return type == other.type && text == other.text && extra == other.extra;
  }
};

std::ostream & operator<<(std::ostream & out, const Reduced & token) {
  return out << "(" << token.type << " '" << token.text << "' " << token.extra << ")";
}

std::vector<Reduced> ReducedTokens(const std::string & text) {
  SSyntax syntax;
  syntax.Tokenize(text);
  syntax.Reduce();
  std::vector<Reduced> out;
  for (const SToken & token : syntax.Tokens())
    out.push_back({token.Type(), token.Token(), token.Extra()});
  return out;
}

TEST(SSyntaxReduce, Literals) {
  using T = STokenEnum;
  EXPECT_EQ(ReducedTokens("\"a b's\""), (std::vector<Reduced>{{T::eLiteral, "a b's", 1}}));
  EXPECT_EQ(ReducedTokens("'x \"y\" *'"), (std::vector<Reduced>{{T::eLiteral, "x \"y\" *", 2}}));
  EXPECT_EQ(ReducedTokens("''"), (std::vector<Reduced>{{T::eLiteral, "", 2}}));
  EXPECT_EQ(ReducedTokens("'12.5e3'"), (std::vector<Reduced>{{T::eLiteral, "12.5e3", 2}}));
  // An unterminated quote stays a lone token; what follows is reduced as usual.
  EXPECT_EQ(ReducedTokens("'ab 1.5"),
            (std::vector<Reduced>{{T::eSingleQuote, "'", 0}, {T::eString, "ab", 0}, {T::eSpace, " ", 0},
                                  {T::eNumber, "1.5", 2}}));
  EXPECT_EQ(ReducedTokens("'a'b'"), (std::vector<Reduced>{{T::eLiteral, "a", 2}, {T::eString, "b", 0},
                                                          {T::eSingleQuote, "'", 0}}));
}

TEST(SSyntaxReduce, Numbers) {
  using T = STokenEnum;
  EXPECT_EQ(ReducedTokens("12"), (std::vector<Reduced>{{T::eNumber, "12", 1}}));
  EXPECT_EQ(ReducedTokens("12."), (std::vector<Reduced>{{T::eNumber, "12.", 2}}));
  EXPECT_EQ(ReducedTokens(".5"), (std::vector<Reduced>{{T::eNumber, ".5", 2}}));
  EXPECT_EQ(ReducedTokens("1.5e3"), (std::vector<Reduced>{{T::eNumber, "1.5e3", 2}}));
  EXPECT_EQ(ReducedTokens("1E+3"), (std::vector<Reduced>{{T::eNumber, "1E+3", 2}}));
  EXPECT_EQ(ReducedTokens("2e-3"), (std::vector<Reduced>{{T::eNumber, "2e-3", 2}}));
  EXPECT_EQ(ReducedTokens(".5e1"), (std::vector<Reduced>{{T::eNumber, ".5e1", 2}}));
  // An exponent letter without digits: nothing at all is reduced at that position.
  EXPECT_EQ(ReducedTokens("1e"), (std::vector<Reduced>{{T::eNumber, "1", 0}, {T::eString, "e", 0}}));
  EXPECT_EQ(ReducedTokens("1e+"),
            (std::vector<Reduced>{{T::eNumber, "1", 0}, {T::eString, "e", 0}, {T::ePlus, "+", 0}}));
  // Not an exponent letter: the number ends before the name.
  EXPECT_EQ(ReducedTokens("1ex"), (std::vector<Reduced>{{T::eNumber, "1", 1}, {T::eString, "ex", 0}}));
  EXPECT_EQ(ReducedTokens("."), (std::vector<Reduced>{{T::ePeriod, ".", 0}}));
  EXPECT_EQ(ReducedTokens("1.2.3"), (std::vector<Reduced>{{T::eNumber, "1.2", 2}, {T::eNumber, ".3", 2}}));
  EXPECT_EQ(ReducedTokens("12ab"), (std::vector<Reduced>{{T::eNumber, "12", 1}, {T::eString, "ab", 0}}));
}

TEST(SSyntaxSymbolize, NamesMatchSymbolsExactly) {
  testsupport::TestSyntax test;
  test.Load("who Who a1 f d");
  const STokenVector & tokens = test.mSyntax.Tokens();
  ASSERT_EQ(tokens.size(), 9u);
  EXPECT_EQ(tokens[0].Type(), STokenEnum::eSymbol);
  EXPECT_EQ(tokens[0].Extra(), 5); // fifth symbol of the table
  EXPECT_EQ(tokens[2].Type(), STokenEnum::eString); // symbol names are case-sensitive
  EXPECT_EQ(tokens[4].Type(), STokenEnum::eString);
  EXPECT_EQ(tokens[6].Type(), STokenEnum::eFunction);
  EXPECT_EQ(tokens[6].Extra(), 6);
  EXPECT_EQ(tokens[8].Type(), STokenEnum::eSymbol);
  EXPECT_EQ(tokens[8].Extra(), 4);
  // The table survives Clear; a second server appends after the first.
  test.mSyntax.Clear();
  testsupport::ValueServer more;
  more.Define("e", STerm(5L, STerm::eInteger));
  test.mSyntax.AddServer(more);
  test.Load("e");
  EXPECT_EQ(test.mSyntax.Tokens()[0].Extra(), 7);
  EXPECT_EQ(test.mSyntax.Evaluate().Integer(), 5);
}

} // namespace
