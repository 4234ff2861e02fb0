// Tests of tokenizing, reducing and symbolizing expression texts.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/syntax/FilterTestSupport.h"
#include "syntax/SStandardTokenReducer.h"
#include "syntax/SSyntax.h"
#include "syntax/STokenReducer.h"

namespace {

using Token = std::pair<STokenEnum::EType, std::string>;

std::vector<Token> Tokens(const SSyntax & syntax) {
  std::vector<Token> out;
  for (const SToken & token : syntax.Tokens())
    out.emplace_back(token.Type(), token.Token());
  return out;
}

std::vector<Token> Tokenized(const std::string & text) {
  SSyntax syntax;
  syntax.Tokenize(text);
  return Tokens(syntax);
}

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

TEST(SSyntaxTokenize, ByteClassesAndRuns) {
  using T = STokenEnum;
  EXPECT_TRUE(Tokenized("").empty());
  EXPECT_EQ(Tokenized("   "), (std::vector<Token>{{T::eSpace, "   "}}));
  EXPECT_EQ(Tokenized("who  = 'a_b'"),
            (std::vector<Token>{{T::eString, "who"}, {T::eSpace, "  "}, {T::eEqual, "="}, {T::eSpace, " "},
                                {T::eSingleQuote, "'"}, {T::eString, "a"}, {T::eUnderscore, "_"},
                                {T::eString, "b"}, {T::eSingleQuote, "'"}}));
  EXPECT_EQ(Tokenized("<="), (std::vector<Token>{{T::eLessThan, "<"}, {T::eEqual, "="}}));
  EXPECT_EQ(Tokenized("1.25"), (std::vector<Token>{{T::eNumber, "1"}, {T::ePeriod, "."}, {T::eNumber, "25"}}));
  EXPECT_EQ(Tokenized("**"), (std::vector<Token>{{T::eAsterisk, "*"}, {T::eAsterisk, "*"}}));
  EXPECT_EQ(Tokenized("12ab"), (std::vector<Token>{{T::eNumber, "12"}, {T::eString, "ab"}}));
  EXPECT_EQ(Tokenized("a\r\nb"),
            (std::vector<Token>{{T::eString, "a"}, {T::eNewline, "\r"}, {T::eASCIIControl, "\n"}, {T::eString, "b"}}));
  EXPECT_EQ(Tokenized("\t\t"), (std::vector<Token>{{T::eTab, "\t"}, {T::eTab, "\t"}}));
  EXPECT_EQ(Tokenized(std::string("a\0b", 3)),
            (std::vector<Token>{{T::eString, "a"}, {T::eASCIIControl, std::string(1, '\0')}, {T::eString, "b"}}));
  EXPECT_EQ(Tokenized("ab\xc3\xa9z"),
            (std::vector<Token>{{T::eString, "ab"}, {T::eASCIIExtended, "\xc3"}, {T::eASCIIExtended, "\xa9"},
                                {T::eString, "z"}}));
  EXPECT_EQ(Tokenized("__x\x7f"), (std::vector<Token>{{T::eUnderscore, "__"}, {T::eString, "x"}, {T::eBackspace, "\x7f"}}));
}

TEST(SSyntaxTokenize, EveryPunctuationByteHasItsOwnType) {
  const std::string bytes = "!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~";
  const STokenEnum::EType expected[] = {
      STokenEnum::eExclamation,  STokenEnum::eDoubleQuote,    STokenEnum::ePound,          STokenEnum::eDollar,
      STokenEnum::ePercent,      STokenEnum::eAmpersand,      STokenEnum::eSingleQuote,    STokenEnum::eOpenParenthesis,
      STokenEnum::eCloseParenthesis, STokenEnum::eAsterisk,   STokenEnum::ePlus,           STokenEnum::eComma,
      STokenEnum::eHyphen,       STokenEnum::ePeriod,         STokenEnum::eSlash,          STokenEnum::eColon,
      STokenEnum::eSemicolon,    STokenEnum::eLessThan,       STokenEnum::eEqual,          STokenEnum::eGreaterThan,
      STokenEnum::eQuestion,     STokenEnum::eAt,             STokenEnum::eOpenBracket,    STokenEnum::eBackslash,
      STokenEnum::eCloseBracket, STokenEnum::eCaret,          STokenEnum::eGrave,          STokenEnum::eOpenBrace,
      STokenEnum::eBar,          STokenEnum::eCloseBrace,     STokenEnum::eTilde};
  // Doubled, each byte still stands alone.
  std::string doubled;
  for (char c : bytes)
    doubled += std::string(2, c);
  const std::vector<Token> tokens = Tokenized(doubled);
  ASSERT_EQ(tokens.size(), 2 * bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_EQ(tokens[2 * i].first, expected[i]) << bytes[i];
    EXPECT_EQ(tokens[2 * i + 1], tokens[2 * i]);
  }
  // The numbering of the types is fixed: 49 of them, from eNull 0 to eASCIIExtended 48.
  EXPECT_EQ(STokenEnum::eNull, 0);
  EXPECT_EQ(STokenEnum::eBinaryOperator, 8);
  EXPECT_EQ(STokenEnum::eSingleQuote, 17);
  EXPECT_EQ(STokenEnum::eTilde, 42);
  EXPECT_EQ(STokenEnum::eNotEqual, 46);
  EXPECT_EQ(STokenEnum::eASCIIExtended, 48);
}

TEST(SSyntaxTokenize, AppendsWithoutClearingAndRefusesHugeTexts) {
  SSyntax syntax;
  syntax.Tokenize("a");
  syntax.Tokenize("b");
  ASSERT_EQ(syntax.Tokens().size(), 2u);
  syntax.Clear();
  EXPECT_TRUE(syntax.Tokens().empty());
  EXPECT_FALSE(syntax.IsTooLarge());
  syntax.Tokenize(std::string(SSyntax::sMaxTextLength, 'a'));
  EXPECT_FALSE(syntax.IsTooLarge());
  syntax.Tokenize("b");
  EXPECT_TRUE(syntax.IsTooLarge());
  syntax.Clear();
  EXPECT_FALSE(syntax.IsTooLarge());
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

TEST(SSyntaxReduce, Relations) {
  using T = STokenEnum;
  const std::pair<const char *, T::EType> pairs[] = {{"<=", T::eLessOrEqual},    {"=<", T::eLessOrEqual},
                                                     {">=", T::eGreaterOrEqual}, {"=>", T::eGreaterOrEqual},
                                                     {"<>", T::eNotEqual},       {"><", T::eNotEqual}};
  for (const auto & [text, type] : pairs)
    EXPECT_EQ(ReducedTokens(text), (std::vector<Reduced>{{type, text, 0}})) << text;
  EXPECT_EQ(ReducedTokens("=="), (std::vector<Reduced>{{T::eEqual, "=", 0}, {T::eEqual, "=", 0}}));
  EXPECT_EQ(ReducedTokens("> ="), (std::vector<Reduced>{{T::eGreaterThan, ">", 0}, {T::eSpace, " ", 0},
                                                        {T::eEqual, "=", 0}}));
  EXPECT_EQ(ReducedTokens("<<="), (std::vector<Reduced>{{T::eLessThan, "<", 0}, {T::eLessOrEqual, "<=", 0}}));
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

TEST(SSyntaxReduce, Names) {
  using T = STokenEnum;
  EXPECT_EQ(ReducedTokens("a_b2_c"), (std::vector<Reduced>{{T::eString, "a_b2_c", 0}}));
  EXPECT_EQ(ReducedTokens("__x1"), (std::vector<Reduced>{{T::eString, "__x1", 0}}));
  EXPECT_EQ(ReducedTokens("_1"), (std::vector<Reduced>{{T::eUnderscore, "_", 0}, {T::eNumber, "1", 1}}));
  EXPECT_EQ(ReducedTokens("ab\xe9" "cd"), (std::vector<Reduced>{{T::eString, "ab", 0}, {T::eASCIIExtended, "\xe9", 0},
                                                                {T::eString, "cd", 0}}));
}

TEST(SSyntaxReduce, CustomReducerSetsAndPositionsOfferedOnce) {
  // With no reducers nothing changes.
  SSyntax syntax;
  syntax.Tokenize("a_b <= 1.5");
  const std::size_t before = syntax.Tokens().size();
  syntax.Reduce(STokenReducerVector{});
  EXPECT_EQ(syntax.Tokens().size(), before);
  // A reducer that merges any two tokens: each position is offered once, and the token it
  // produced is not offered again, so "abcd" as four single tokens becomes two pairs.
  class Pairs : public STokenReducer {
  public:
    bool operator()(STokenVector & tokens, std::size_t first, std::size_t last) override {
      ++mOffers;
      if (first + 1 >= last)
        return false;
      Reduce(tokens, first, first + 2, eString, 7);
      return true;
    }
    int mOffers = 0;
  } pairs;
  SSyntax other;
  other.Tokenize("!!!!");
  other.Reduce(STokenReducerVector{&pairs});
  ASSERT_EQ(other.Tokens().size(), 2u);
  EXPECT_EQ(other.Tokens()[0].Token(), "!!");
  EXPECT_EQ(other.Tokens()[0].Extra(), 7);
  EXPECT_EQ(pairs.mOffers, 2);
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

TEST(SSymbol, ResolvesThroughItsServer) {
  testsupport::ValueServer server;
  server.Define("x", STerm(9L, STerm::eInteger));
  SSymbolVector table;
  server.Populate(table);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].Resolve().Integer(), 9);
  const SSymbol orphan("y", nullptr, SSymbol::eString, 3);
  EXPECT_EQ(orphan.Resolve().Type(), STerm::eNull);
  EXPECT_EQ(orphan.ID(), 3);
  EXPECT_EQ(orphan.Type(), SSymbol::eString);
}

} // namespace
