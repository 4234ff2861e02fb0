// A filter expression for the tool.
#include "CFilterExpression.h"

#include "CToolError.h"
#include "generic/SSyntaxException.h"

CFilterExpression::CFilterExpression(const std::string & inText)
    : mText(inText), mSyntax(), mFilter(mSyntax, inText) {}

void CFilterExpression::Fail(const std::string & inMessage) const {
  throw CToolError("", "invalid filter expression \"" + mText + "\": " + inMessage);
}

void CFilterExpression::Check() {
  // The same steps as the filter's own preparation, which it repeats before the first
  // entry; only here a failure is not dropped.
  mSyntax.Clear();
  mSyntax.Tokenize(mText);
  mSyntax.Reduce();
  mSyntax.Symbolize();
  mSyntax.Classify();
  try {
    mSyntax.Prepare();
  } catch (const SSyntaxException & e) {
    Fail(e.what());
  }
  for (const SToken & token : mSyntax.Tokens()) {
    // A name that is no symbol has no value: every entry would fail to evaluate.
    if (token.Class() == SMathSyntax::eClassTerm && token.Type() == STokenEnum::eString)
      Fail("Unknown term '" + token.Token() + "' (the fields are date, duration, who, job, code, description)");
    // A token the grammar does not know ends the expression where it stands.
    if (token.Class() == SMathSyntax::eClassNone)
      Fail("Unexpected '" + token.Token() + "'");
  }
  mSyntax.Clear();
}
