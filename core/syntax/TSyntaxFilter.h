// A filter whose condition is an expression text, parsed and evaluated by a syntax
// against symbols that servers bind to the element under test.
#pragma once

#include <cstddef>
#include <string>

#include "syntax/SSymbolServer.h"
#include "syntax/SSyntax.h"
#include "syntax/SSyntaxException.h"
#include "syntax/STerm.h"
#include "vectors/TFilter.h"

template <class T>
class TSyntaxFilter : public TFilter<T> {
public:
  /// A filter for `text`, parsed by `syntax` (not owned; it must outlive the filter).
  TSyntaxFilter(SSyntax & syntax, const std::string & text) : mSyntax(&syntax), mFilter(text) {}

  /// Whether `element` satisfies the expression.
  bool operator()(const T & element) override { return Filter(element); }

  /// Tokenizes and prepares the text once; a preparation error is kept (see
  /// PreparationFailure) and the list is evaluated as far as it allows.
  virtual void Prepare() {
    mSyntax->Clear();
    mSyntax->Tokenize(mFilter);
    mSyntax->Reduce();
    mSyntax->Symbolize();
    mSyntax->Classify();
    try {
      mSyntax->Prepare();
    } catch (const SSyntaxException & e) {
      mPreparationFailure = e.what();
    }
    mPrepared = true;
  }

  /// Evaluates the expression for `element`: true for a non-zero integer or decimal,
  /// false for any other value and whenever evaluation fails (which is counted).
  virtual bool Filter(const T & element) {
    if (!mPrepared)
      Prepare();
    STerm term;
    UpdateServers(element);
    ++mEvaluations;
    try {
      term = mSyntax->Evaluate();
    } catch (const SSyntaxException & e) {
      if (mFailures++ == 0)
        mFirstFailure = e.what();
      return false;
    }
    if (term.Type() == STerm::eInteger)
      return term.Integer() != 0;
    if (term.Type() == STerm::eDecimal)
      return term.Decimal() != 0.0;
    return false;
  }

  /// Points the servers at `element`; the base has none to update.
  virtual void UpdateServers(const T & element) { (void)element; }

  /// Lets `server` (not owned) publish its symbols in the syntax; the text is prepared
  /// again before the next element.
  void AddServer(SSymbolServer & server) {
    mSyntax->AddServer(server);
    mPrepared = false;
  }

  /// The expression text.
  const std::string & Text() const { return mFilter; }
  /// Whether the text has been prepared in the syntax.
  bool IsPrepared() const { return mPrepared; }
  /// How many elements were evaluated, and for how many of them evaluation failed.
  std::size_t EvaluationCount() const { return mEvaluations; }
  std::size_t FailureCount() const { return mFailures; }
  /// The message of the first failed evaluation; empty if none failed.
  const std::string & FirstFailure() const { return mFirstFailure; }
  /// Why the text could not be prepared; empty when it could (or was not prepared yet).
  const std::string & PreparationFailure() const { return mPreparationFailure; }

private:
  SSyntax * mSyntax;
  std::string mFilter;
  bool mPrepared = false;
  std::size_t mEvaluations = 0;
  std::size_t mFailures = 0;
  std::string mFirstFailure;
  std::string mPreparationFailure;
};
