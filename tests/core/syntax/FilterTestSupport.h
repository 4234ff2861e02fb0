// Helpers for the filter language tests: a symbol server with settable values and
// shortcuts that run the whole pipeline over a text.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "syntax/SMathSyntax.h"
#include "syntax/SSymbolServer.h"
#include "syntax/SSyntaxException.h"
#include "syntax/STerm.h"

namespace testsupport {

/// Publishes symbols with fixed values.
class ValueServer : public SSymbolServer {
public:
  /// Adds a symbol before the server is given to a syntax.
  void Define(const std::string & name, STerm value, SSymbol::EType type = SSymbol::eNumber) {
    mNames.push_back(name);
    mTypes.push_back(type);
    mValues.push_back(std::move(value));
  }
  STerm Resolve(const SSymbol & symbol) const override {
    const auto id = static_cast<std::size_t>(symbol.ID());
    return id < mValues.size() ? mValues[id] : STerm();
  }
  void Populate(SSymbolVector & symbols) override {
    for (std::size_t i = 0; i < mNames.size(); ++i)
      symbols.emplace_back(mNames[i], this, mTypes[i], static_cast<long>(i));
  }

private:
  std::vector<std::string> mNames;
  std::vector<SSymbol::EType> mTypes;
  std::vector<STerm> mValues;
};

/// A syntax of class Syntax with one server defining the integer symbols a, b, c, d
/// (1, 2, 3, 4), the text symbol who ("smith"), the date when and the duration span.
template <class Syntax>
class BasicTestSyntax {
public:
  BasicTestSyntax() {
    mServer.Define("a", STerm(1L, STerm::eInteger));
    mServer.Define("b", STerm(2L, STerm::eInteger));
    mServer.Define("c", STerm(3L, STerm::eInteger));
    mServer.Define("d", STerm(4L, STerm::eInteger));
    mServer.Define("who", STerm(std::string("smith"), 0), SSymbol::eString);
    mServer.Define("f", STerm(), SSymbol::eFunction);
    mServer.Define("when", STerm(1325419200L, STerm::eDate), SSymbol::eDate);
    mServer.Define("span", STerm(5400L, STerm::eDuration), SSymbol::eDuration);
    mSyntax.AddServer(mServer);
  }

  /// Clears, tokenizes, reduces, symbolizes and classifies `text`.
  void Load(const std::string & text) {
    mSyntax.Clear();
    mSyntax.Tokenize(text);
    mSyntax.Reduce();
    mSyntax.Symbolize();
    mSyntax.Classify();
  }

  /// The token list after preparing `text`, texts joined by single spaces; literals
  /// are shown in their quotes. Throws what preparation throws.
  std::string Prepared(const std::string & text) {
    Load(text);
    mSyntax.Prepare();
    return Listing();
  }

  /// The token list as it stands.
  std::string Listing() const {
    std::string out;
    for (const SToken & token : mSyntax.Tokens()) {
      if (!out.empty())
        out += ' ';
      if (token.Type() == STokenEnum::eLiteral)
        out += (token.Extra() == 1 ? "\"" : "'") + token.Token() + (token.Extra() == 1 ? "\"" : "'");
      else
        out += token.Token();
    }
    return out;
  }

  /// The value of `text` after a successful preparation. Throws what either step throws.
  STerm Value(const std::string & text) {
    Load(text);
    mSyntax.Prepare();
    return mSyntax.Evaluate();
  }

  /// The message of the error that preparing or evaluating `text` throws, or "".
  std::string Error(const std::string & text) {
    try {
      Value(text);
    } catch (const SSyntaxException & error) {
      return error.what();
    }
    return "";
  }

  ValueServer mServer;
  Syntax mSyntax;
};

using TestSyntax = BasicTestSyntax<SMathSyntax>;

} // namespace testsupport
