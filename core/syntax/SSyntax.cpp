// Tokenizing, reducing and symbolizing of expression texts.
#include "syntax/SSyntax.h"

#include <array>

#include "syntax/SStandardTokenReducer.h"

namespace {

struct SByteClass {
  STokenEnum::EType type;
  bool single; // always a token of its own
};

constexpr std::array<SByteClass, 256> MakeByteClasses() {
  std::array<SByteClass, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    SByteClass c{STokenEnum::eASCIIExtended, true};
    if (b == 9)
      c = {STokenEnum::eTab, true};
    else if (b == 13)
      c = {STokenEnum::eNewline, true};
    else if (b < 32)
      c = {STokenEnum::eASCIIControl, true};
    else if (b == 32)
      c = {STokenEnum::eSpace, false};
    else if (b >= '0' && b <= '9')
      c = {STokenEnum::eNumber, false};
    else if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))
      c = {STokenEnum::eString, false};
    else if (b == '_')
      c = {STokenEnum::eUnderscore, false};
    else if (b == 127)
      c = {STokenEnum::eBackspace, true};
    classes[static_cast<std::size_t>(b)] = c;
  }
  const std::pair<char, STokenEnum::EType> punctuation[] = {
      {'!', STokenEnum::eExclamation},      {'"', STokenEnum::eDoubleQuote},   {'#', STokenEnum::ePound},
      {'$', STokenEnum::eDollar},           {'%', STokenEnum::ePercent},       {'&', STokenEnum::eAmpersand},
      {'\'', STokenEnum::eSingleQuote},     {'(', STokenEnum::eOpenParenthesis}, {')', STokenEnum::eCloseParenthesis},
      {'*', STokenEnum::eAsterisk},         {'+', STokenEnum::ePlus},          {',', STokenEnum::eComma},
      {'-', STokenEnum::eHyphen},           {'.', STokenEnum::ePeriod},        {'/', STokenEnum::eSlash},
      {':', STokenEnum::eColon},            {';', STokenEnum::eSemicolon},     {'<', STokenEnum::eLessThan},
      {'=', STokenEnum::eEqual},            {'>', STokenEnum::eGreaterThan},   {'?', STokenEnum::eQuestion},
      {'@', STokenEnum::eAt},               {'[', STokenEnum::eOpenBracket},   {'\\', STokenEnum::eBackslash},
      {']', STokenEnum::eCloseBracket},     {'^', STokenEnum::eCaret},         {'`', STokenEnum::eGrave},
      {'{', STokenEnum::eOpenBrace},        {'|', STokenEnum::eBar},           {'}', STokenEnum::eCloseBrace},
      {'~', STokenEnum::eTilde}};
  for (const auto & [byte, type] : punctuation)
    classes[static_cast<unsigned char>(byte)] = {type, true};
  return classes;
}

constexpr std::array<SByteClass, 256> kByteClasses = MakeByteClasses();

} // namespace

void SSyntax::Tokenize(const std::string & text) {
  Touch();
  if (mTooLarge || text.size() > sMaxTextLength - mTextLength) {
    mTooLarge = true;
    return;
  }
  mTextLength += text.size();
  if (text.empty())
    return;
  std::size_t start = 0;
  STokenEnum::EType previous = kByteClasses[static_cast<unsigned char>(text[0])].type;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const SByteClass & c = kByteClasses[static_cast<unsigned char>(text[i])];
    if (c.single || c.type != previous) {
      mTokens.emplace_back(previous, text.substr(start, i - start));
      start = i;
    }
    previous = c.type;
  }
  mTokens.emplace_back(previous, text.substr(start));
}

void SSyntax::Reduce() {
  SStandardTokenReducer reducers;
  Reduce(reducers);
}

void SSyntax::Reduce(const STokenReducerVector & reducers) {
  Touch();
  for (std::size_t p = 0; p < mTokens.size(); ++p) {
    for (STokenReducer * reducer : reducers) {
      if (reducer != nullptr && (*reducer)(mTokens, p, mTokens.size()))
        break;
    }
  }
}

void SSyntax::Symbolize() {
  Touch();
  const SSymbolVector & symbols = *this;
  for (SToken & token : mTokens) {
    if (token.Type() != eString)
      continue;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
      if (symbols[i] == token.Token()) {
        token.SetType(symbols[i].Type() == SSymbol::eFunction ? eFunction : eSymbol);
        token.SetExtra(static_cast<long>(i + 1));
        break;
      }
    }
  }
}

void SSyntax::Clear() {
  Touch();
  mTokens.clear();
  mTextLength = 0;
  mTooLarge = false;
}

void SSyntax::AddServer(SSymbolServer & server) {
  server.Populate(*this);
}
