// The generic machinery of an expression syntax: the token list of the current text,
// the symbol table, tokenizing, reducing and symbolizing, and the steps a concrete
// syntax fills in (classify, prepare, evaluate).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "syntax/SSymbol.h"
#include "syntax/SSymbolServer.h"
#include "syntax/STerm.h"
#include "syntax/SToken.h"
#include "syntax/STokenEnum.h"
#include "syntax/STokenReducer.h"

class SSyntax : public STokenEnum, public SSymbolVector {
public:
  /// The longest text (in bytes, summed over the Tokenize calls since the last Clear)
  /// that is taken in; a longer one leaves the syntax marked as too large.
  static constexpr std::size_t sMaxTextLength = 16384;

  SSyntax() = default;
  virtual ~SSyntax() = default;

  /// Appends the tokens of `text` to the token list (it does not clear first).
  virtual void Tokenize(const std::string & text);
  /// Runs the standard reducer set over the token list.
  virtual void Reduce();
  /// Offers every position of the token list to `reducers`, in order, once.
  virtual void Reduce(const STokenReducerVector & reducers);
  /// Turns every name that equals a symbol of the table into a symbol or function token.
  virtual void Symbolize();
  /// Sets the syntactic classes; the base does nothing.
  virtual void Classify() {}
  /// Checks and rearranges the token list for evaluation; the base does nothing.
  virtual void Prepare() {}
  /// The value of the prepared expression; the base gives the null term.
  virtual STerm Evaluate() { return STerm(); }
  /// Empties the token list; the symbol table stays.
  virtual void Clear();
  /// Lets `server` (not owned; it must outlive the syntax) append its symbols to the table.
  virtual void AddServer(SSymbolServer & server);
  /// The value of a term token; the base gives the null term.
  virtual STerm Resolve(const SToken & token) { (void)token; return STerm(); }

  /// The current token list.
  const STokenVector & Tokens() const { return mTokens; }
  /// Whether the text given since the last Clear was longer than sMaxTextLength.
  bool IsTooLarge() const { return mTooLarge; }

protected:
  /// Records that the token list changed (derived syntaxes may cache what they read from it).
  void Touch() { ++mRevision; }
  /// Grows by one whenever the token list changes.
  std::uint64_t Revision() const { return mRevision; }

  STokenVector mTokens;

private:
  std::size_t mTextLength = 0;
  bool mTooLarge = false;
  std::uint64_t mRevision = 0;
};
