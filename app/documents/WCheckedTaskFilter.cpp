// The Filter command's expression filter.
#include "documents/WCheckedTaskFilter.h"

#include "syntax/SSyntaxException.h"
#include "syntax/STerm.h"

WCheckedTaskFilter::WCheckedTaskFilter(SSyntax & ioSyntax, const std::string & inText)
    : STaskSyntaxFilter(ioSyntax, inText), mSyntax(ioSyntax) {}

void WCheckedTaskFilter::Record(const char * inMessage) {
  if (mError.empty())
    mError = inMessage;
}

void WCheckedTaskFilter::Prepare() {
  // The same steps as the task filter's own preparation, which follows; only here an error
  // is kept.
  mSyntax.Clear();
  mSyntax.Tokenize(Text());
  mSyntax.Reduce();
  mSyntax.Symbolize();
  mSyntax.Classify();
  try {
    mSyntax.Prepare();
  } catch (const SSyntaxException & failure) {
    mPreparationFailed = true;
    Record(failure.what());
  }
  STaskSyntaxFilter::Prepare();
}

bool WCheckedTaskFilter::Filter(const STask & inTask) {
  if (!IsPrepared())
    Prepare();
  UpdateServers(inTask);
  STerm term;
  try {
    term = mSyntax.Evaluate();
  } catch (const SSyntaxException & failure) {
    ++mFailureCount;
    Record(failure.what());
    return false;
  }
  if (term.Type() == STerm::eInteger)
    return term.Integer() != 0;
  if (term.Type() == STerm::eDecimal)
    return term.Decimal() != 0.0;
  return false;
}
