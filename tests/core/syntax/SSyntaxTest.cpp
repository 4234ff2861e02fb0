// Tests of tokenizing, reducing and symbolizing expression texts.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/syntax/FilterTestSupport.h"
#include "syntax/SSyntax.h"

namespace {

// The reduced tokens of `text`, each as "type:text:extra" (types named for the few that
// reduction gives), separated by " | ".
std::string Reduced(const std::string & text) {
  SSyntax syntax;
  syntax.Tokenize(text);
  syntax.Reduce();
  std::string out;
  for (const SToken & token : syntax.Tokens()) {
    const STokenEnum::EType type = token.Type();
    const char * name = type == STokenEnum::eLiteral ? "lit" : type == STokenEnum::eNumber ? "num"
                        : type == STokenEnum::eString ? "str" : "other";
    out += (out.empty() ? "" : " | ") + std::string(name) + ":" + token.Token() + ":" + std::to_string(token.Extra());
  }
  return out;
}

TEST(SSyntaxReduce, LiteralsAndNumbers) {
  const std::pair<const char *, const char *> cases[] = {
      {"\"a b's\"", "lit:a b's:1"}, {"'x \"y\" *'", "lit:x \"y\" *:2"}, {"''", "lit::2"}, {"'12.5e3'", "lit:12.5e3:2"},
      // An unterminated quote stays a lone token; what follows is reduced as usual.
      {"'ab 1.5", "other:':0 | str:ab:0 | other: :0 | num:1.5:2"},
      {"'a'b'", "lit:a:2 | str:b:0 | other:':0"},
      {"12", "num:12:1"}, {"12.", "num:12.:2"}, {".5", "num:.5:2"}, {"1.5e3", "num:1.5e3:2"}, {"1E+3", "num:1E+3:2"},
      {"2e-3", "num:2e-3:2"}, {".5e1", "num:.5e1:2"},
      // An exponent letter without digits: nothing at all is reduced at that position.
      {"1e", "num:1:0 | str:e:0"}, {"1e+", "num:1:0 | str:e:0 | other:+:0"},
      // Not an exponent letter: the number ends before the name.
      {"1ex", "num:1:1 | str:ex:0"}, {".", "other:.:0"}, {"1.2.3", "num:1.2:2 | num:.3:2"}, {"12ab", "num:12:1 | str:ab:0"},
  };
  for (const auto & [text, expected] : cases)
    EXPECT_EQ(Reduced(text), expected) << text;
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
