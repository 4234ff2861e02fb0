// Classification, preparation and evaluation of filter expressions.
#include "syntax/SMathSyntax.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>
#include <typeinfo>

#include "numbers/SStringToLong.h"
#include "syntax/SSyntaxException.h"

namespace {

const char * const kMissingTermBeforeOperator = "Missing Term Before Operator";
const char * const kClosingWithoutOpening = "Closing Parenthesis Without Opening Parenthesis";
const char * const kExpectedOperator = "Expected an Operator";
const char * const kExpectedOpeningParenthesis = "Expected Opening Parenthesis";
const char * const kExpectedClosingParenthesis = "Expected Closing Parenthesis";
const char * const kMissingTermAfterOperator = "Missing Term After Operator";
const char * const kMissingClosingParenthesis = "Missing Closing Parenthesis";
const char * const kInvalidExpression = "Invalid Expression";

constexpr std::size_t kNoStop = static_cast<std::size_t>(-1);

// Recursion allowed for groups and wrapped runs together: each level of parentheses
// may add one wrapped run per binding strength.
constexpr int kMaxRecursion = SMathSyntax::sMaxNesting * 10;

const SToken kNoOperator(STokenEnum::eNull, std::string(), SMathSyntax::eOperatorNone, SMathSyntax::eClassNone);

// Where the first significant digit of a number text stands, as a power of ten
// (exponent included); used only to tell an overflow from an underflow.
long Magnitude(const std::string & text) {
  std::size_t i = 0;
  long integerDigits = 0;
  long leadingZeros = 0;
  bool significant = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (significant || text[i] != '0') {
      significant = true;
      ++integerDigits;
    }
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      if (!significant) {
        if (text[i] == '0')
          ++leadingZeros;
        else
          significant = true;
      }
    }
  }
  if (!significant)
    return -1;
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      negative = text[i++] == '-';
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000000L);
    if (negative)
      exponent = -exponent;
  }
  return (integerDigits > 0 ? integerDigits : -leadingZeros) + exponent;
}

double ParseDecimal(const std::string & text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range)
    return Magnitude(text) > 0 ? HUGE_VAL : 0.0;
  if (error != std::errc())
    return 0.0;
  return value;
}

} // namespace

// Counts the nesting of Process calls for the lifetime of one call.
class SMathSyntax::SDepthGuard {
public:
  explicit SDepthGuard(int & depth) : mDepth(depth) {
    if (++mDepth > kMaxRecursion) {
      --mDepth;
      throw SSyntaxException(kInvalidExpression);
    }
  }
  ~SDepthGuard() { --mDepth; }
  SDepthGuard(const SDepthGuard &) = delete;
  SDepthGuard & operator=(const SDepthGuard &) = delete;

private:
  int & mDepth;
};

void SMathSyntax::Classify() {
  Touch();
  for (SToken & token : mTokens) {
    long tokenClass = eClassNone;
    long code = -1; // -1: keep the token's extra value
    switch (token.Type()) {
    case eSpace:
      tokenClass = eClassSpace;
      break;
    case eString:
      if (token.Token() == "NOT") {
        tokenClass = eClassUnaryOperator;
        code = eOperatorNot;
      } else if (token.Token() == "AND") {
        tokenClass = eClassBinaryOperator;
        code = eOperatorAnd;
      } else if (token.Token() == "OR") {
        tokenClass = eClassBinaryOperator;
        code = eOperatorOr;
      } else {
        tokenClass = eClassTerm;
      }
      break;
    case eNumber:
    case eLiteral:
    case eSymbol:
      tokenClass = eClassTerm;
      break;
    case eFunction:
      tokenClass = eClassFunction;
      break;
    case eOpenParenthesis:
      tokenClass = eClassOpenParenthesis;
      break;
    case eCloseParenthesis:
      tokenClass = eClassCloseParenthesis;
      break;
    case eAsterisk: tokenClass = eClassBinaryOperator; code = eOperatorMultiply; break;
    case eSlash: tokenClass = eClassBinaryOperator; code = eOperatorDivide; break;
    case ePlus: tokenClass = eClassBinaryOperator; code = eOperatorAdd; break;
    case eHyphen: tokenClass = eClassBinaryOperator; code = eOperatorSubtract; break;
    case eGreaterThan: tokenClass = eClassBinaryOperator; code = eOperatorGreater; break;
    case eGreaterOrEqual: tokenClass = eClassBinaryOperator; code = eOperatorGreaterOrEqual; break;
    case eLessThan: tokenClass = eClassBinaryOperator; code = eOperatorLess; break;
    case eLessOrEqual: tokenClass = eClassBinaryOperator; code = eOperatorLessOrEqual; break;
    case eNotEqual: tokenClass = eClassBinaryOperator; code = eOperatorNotEqual; break;
    case eEqual: tokenClass = eClassBinaryOperator; code = eOperatorEqual; break;
    default:
      break;
    }
    token.SetClass(tokenClass);
    if (code >= 0)
      token.SetExtra(code);
  }
}

int SMathSyntax::NestingDepth() const {
  int depth = 0;
  int deepest = 0;
  for (const SToken & token : mTokens) {
    if (token.Class() == eClassOpenParenthesis)
      deepest = std::max(deepest, ++depth);
    else if (token.Class() == eClassCloseParenthesis && depth > 0)
      --depth;
  }
  return deepest;
}

void SMathSyntax::Prepare() {
  Touch();
  mTokens.erase(std::remove_if(mTokens.begin(), mTokens.end(),
                               [](const SToken & token) { return token.Class() == eClassSpace; }),
                mTokens.end());
  if (IsTooLarge() || NestingDepth() > sMaxNesting)
    throw SSyntaxException(kInvalidExpression);
  Process(0, mTokens.size(), false);
}

STerm SMathSyntax::Evaluate() {
  if (IsTooLarge())
    throw SSyntaxException(kInvalidExpression);
  EnsureEvaluationData();
  if (mNestingTooDeep)
    throw SSyntaxException(kInvalidExpression);
  return mStepsReady ? ReplaySteps() : Process(0, mTokens.size(), true);
}

void SMathSyntax::EnsureEvaluationData() {
  if (mEvaluationDataReady && mEvaluationRevision == Revision())
    return;
  const std::size_t count = mTokens.size();
  mScanStops.assign(count, kNoStop);
  mConversions.assign(count, STerm::SConversionCache());
  mLiteralTerms.assign(count, STerm());
  for (std::size_t i = 0; i < count; ++i) {
    if (mTokens[i].Type() == eLiteral) {
      mLiteralTerms[i] = Resolve(mTokens[i]);
      mLiteralTerms[i].SetConversionCache(&mConversions[i]);
    }
  }
  // A scan from an opening parenthesis stops at its match or at the first token
  // that ends the run, whichever comes first.
  std::vector<std::size_t> open;
  int deepest = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int tokenClass = mTokens[i].Class();
    if (tokenClass == eClassOpenParenthesis) {
      open.push_back(i);
      deepest = std::max(deepest, static_cast<int>(open.size()));
    } else if (tokenClass == eClassCloseParenthesis) {
      if (!open.empty()) {
        mScanStops[open.back()] = i;
        open.pop_back();
      }
    } else if (tokenClass == eClassNone) {
      for (std::size_t at : open)
        mScanStops[at] = i;
      open.clear();
    }
  }
  for (std::size_t at : open)
    mScanStops[at] = count;
  // Prepared lists nest deeper than the text did (the inserted parentheses); what
  // matters here is only that the groups can be read without exhausting the stack.
  mNestingTooDeep = deepest > kMaxRecursion;
  mEvaluationRevision = Revision();
  mEvaluationDataReady = true;
  RecordSteps();
}

void SMathSyntax::RecordSteps() {
  mSteps.clear();
  mStepsReady = false;
  // A subclass may read runs its own way: its evaluations walk the list through it.
  if (mNestingTooDeep || typeid(*this) != typeid(SMathSyntax))
    return;
  // The walk depends on the tokens alone, never on a value: a walk that only notes
  // what it would do is the walk of every entry.
  mRecording = true;
  try {
    Process(0, mTokens.size(), true);
    mStepsReady = true;
  } catch (const SSyntaxException &) {
    mSteps.clear(); // the list cannot be read through: each evaluation fails as it walks
  } catch (...) {
    mRecording = false;
    mSteps.clear();
    throw;
  }
  mRecording = false;
  std::size_t depth = 0;
  std::size_t deepest = 0;
  for (const SStep & step : mSteps) {
    if (step.mKind == SStep::eBeginRun)
      deepest = std::max(deepest, ++depth);
    else if (step.mKind == SStep::eEndRun)
      --depth;
  }
  mRunValues.resize(deepest);
}

void SMathSyntax::RecordFold(std::size_t inOperator) {
  // Every term read is folded at once: the step that read it carries the fold.
  if (mSteps.empty() || mSteps.back().mKind == SStep::eBeginRun || mSteps.back().mFolds)
    throw SSyntaxException(kInvalidExpression); // not a walk that can be replayed
  mSteps.back().mFolds = true;
  mSteps.back().mOperator = inOperator;
}

STerm SMathSyntax::ReplaySteps() {
  std::size_t depth = 0;
  STerm scratch;
  const STerm * term = &scratch; // the term just read
  STerm * movable = &scratch;    // the same when it may be moved from (not a literal's)
  for (const SStep & step : mSteps) {
    switch (step.mKind) {
    case SStep::eBeginRun:
      mRunValues[depth++].Reset();
      continue;
    case SStep::eTerm:
      term = &ReplayTerm(step.mToken, scratch);
      movable = term == &scratch ? &scratch : nullptr;
      break;
    case SStep::eNullTerm:
      scratch.Reset();
      term = movable = &scratch;
      break;
    case SStep::eEndRun:
      movable = &mRunValues[--depth];
      movable->SetConversionCache(nullptr);
      term = movable;
      break;
    }
    if (!step.mFolds)
      continue;
    STerm & value = mRunValues[depth - 1];
    const SToken & op = step.mOperator < mTokens.size() ? mTokens[step.mOperator] : kNoOperator;
    if (op.Extra() != eOperatorNone)
      value = SMathSyntax::Operate(op, value, *term); // replayed only for this very class
    else if (movable != nullptr)
      value = std::move(*movable);
    else
      value = *term;
  }
  return movable != nullptr ? std::move(*movable) : *term;
}

const STerm & SMathSyntax::ReplayTerm(std::size_t index, STerm & scratch) {
  // A field is read into the scratch term's storage, as Resolve below gives it (the steps
  // are replayed only for this very class).
  if (const SSymbol * symbol = SymbolOf(mTokens[index])) {
    symbol->ResolveInto(scratch);
    return scratch;
  }
  return ResolveAt(index, scratch);
}

const SSymbol * SMathSyntax::SymbolOf(const SToken & token) const {
  const SSymbolVector & symbols = *this;
  const long index = token.Extra();
  if (token.Type() != eSymbol || index < 1 || static_cast<std::size_t>(index) > symbols.size())
    return nullptr;
  return &symbols[static_cast<std::size_t>(index - 1)];
}

STerm SMathSyntax::Resolve(const SToken & token) {
  switch (token.Type()) {
  case eNumber:
    if (token.Extra() == 1) {
      const std::string & text = token.Token();
      long value = SStringToLong::StringToLong(text.c_str(), static_cast<long>(text.size()));
      value = std::clamp(value, -2147483647L - 1, 2147483647L);
      return STerm(value, STerm::eInteger);
    }
    return STerm(ParseDecimal(token.Token()));
  case eLiteral:
    return STerm(token.Token(), static_cast<short>(token.Extra() == 2 ? 1 : 2));
  case eSymbol: {
    const SSymbol * symbol = SymbolOf(token);
    return symbol != nullptr ? symbol->Resolve() : STerm();
  }
  default:
    return STerm();
  }
}

const STerm & SMathSyntax::ResolveAt(std::size_t index, STerm & scratch) {
  if (mRecording) {
    mSteps.push_back({SStep::eTerm, false, index, 0});
    return scratch;
  }
  if (mTokens[index].Type() == eLiteral && index < mLiteralTerms.size())
    return mLiteralTerms[index];
  scratch = Resolve(mTokens[index]);
  return scratch;
}

void SMathSyntax::MakeUnaryMinus(std::size_t index) {
  mTokens[index].assign(eHyphen, "-", eOperatorNegate, eClassUnaryOperator);
}

STerm SMathSyntax::Operate(const SToken & op, const STerm & first, const STerm & second) {
  switch (op.Extra()) {
  case eOperatorNone: return second;
  case eOperatorNegate: return -second;
  case eOperatorMultiply: return first * second;
  case eOperatorDivide: return first / second;
  case eOperatorAdd: return first + second;
  case eOperatorSubtract: return first - second;
  case eOperatorGreater: return first > second;
  case eOperatorGreaterOrEqual: return first >= second;
  case eOperatorLess: return first < second;
  case eOperatorLessOrEqual: return first <= second;
  case eOperatorNotEqual: return first != second;
  case eOperatorEqual: return first == second;
  case eOperatorNot: return !second;
  case eOperatorAnd: return first && second;
  case eOperatorOr: return first || second;
  default: return STerm();
  }
}

SMathSyntax::EPriority SMathSyntax::OperatorPriority(const SToken & token) {
  switch (token.Class()) {
  case eClassUnaryOperator:
    if (token.Extra() == eOperatorNegate)
      return ePriorityNegate;
    if (token.Extra() == eOperatorNot)
      return ePriorityNOT;
    return ePriorityNull;
  case eClassBinaryOperator:
    switch (token.Extra()) {
    case eOperatorMultiply:
    case eOperatorDivide:
      return ePriorityMultiplyDivide;
    case eOperatorAdd:
    case eOperatorSubtract:
      return ePriorityAddSubtract;
    case eOperatorGreater:
    case eOperatorGreaterOrEqual:
    case eOperatorLess:
    case eOperatorLessOrEqual:
    case eOperatorNotEqual:
    case eOperatorEqual:
      return ePriorityRelation;
    case eOperatorAnd:
      return ePriorityAND;
    case eOperatorOr:
      return ePriorityOR;
    default:
      return ePriorityNull;
    }
  case eClassOpenParenthesis:
    return ePriorityParentheses;
  default:
    return ePriorityNull;
  }
}

// The states of one run:
//   0 expecting a term, 1 after a term, 2 after a function name, 3 inside a function's
//   parentheses, 4 after a unary operator, 5 after a binary operator, 6 scanning to
//   the end of a tighter-binding run (preparation only), 7 inside a group.
// Preparation wraps every run of operators that binds tighter than the operator
// before it in parentheses, so that evaluation can fold strictly from left to right.
STerm SMathSyntax::Process(std::size_t begin, std::size_t end, bool evaluate) {
  SDepthGuard guard(mDepth);
  if (!evaluate)
    Touch();
  else if (mDepth == 1)
    EnsureEvaluationData(); // inner runs read what the outermost one made sure of
  end = std::min(end, mTokens.size());
  if (mRecording)
    mSteps.push_back({SStep::eBeginRun, false, 0, 0});

  std::size_t i = begin;
  std::size_t start = begin;
  std::size_t mark = begin;
  bool foundMark = false;
  int state = 0;
  int paren = 0;
  int skipped = 0; // depth of a group being skipped while scanning a run (state 6)
  EPriority pendingPriority = ePriorityParentheses;
  EPriority priority = ePriorityNull;
  bool firstOp = true;
  STerm result;
  STerm term;
  const STerm * current = &term; // the term just read
  const SToken * op = &kNoOperator;

  for (;;) {
    const int cls = i < end ? mTokens[i].Class() : eClassNone;
    bool binUnOp = false;
    bool openParen = false;
    bool markTerm = false;
    bool checkOp = false;

    switch (state) {
    case 0:
      switch (cls) {
      case eClassTerm:
        state = 1;
        if (evaluate)
          current = &ResolveAt(i, term);
        break;
      case eClassFunction:
        state = 2;
        break;
      case eClassUnaryOperator:
        state = 4;
        checkOp = true;
        break;
      case eClassBinaryOperator:
        if (mTokens[i].Extra() == eOperatorSubtract) {
          MakeUnaryMinus(i);
          continue; // read the same position again
        }
        throw SSyntaxException(kMissingTermBeforeOperator);
      case eClassOpenParenthesis:
        state = 7;
        openParen = true;
        break;
      case eClassCloseParenthesis:
        throw SSyntaxException(kClosingWithoutOpening);
      case eClassNone:
        if (mRecording)
          mSteps.push_back({SStep::eEndRun, false, 0, 0});
        result.SetConversionCache(nullptr);
        return result;
      default:
        throw SSyntaxException(kInvalidExpression);
      }
      break;

    case 1:
      if (cls == eClassNone) {
        if (mRecording)
          mSteps.push_back({SStep::eEndRun, false, 0, 0});
        result.SetConversionCache(nullptr);
        return result;
      }
      if (cls != eClassBinaryOperator)
        throw SSyntaxException(kExpectedOperator);
      state = 5;
      checkOp = true;
      break;

    case 2:
      if (cls != eClassOpenParenthesis)
        throw SSyntaxException(kExpectedOpeningParenthesis);
      state = 3;
      openParen = true;
      break;

    case 3:
      if (cls == eClassNone)
        throw SSyntaxException(kExpectedClosingParenthesis);
      if (cls == eClassOpenParenthesis) {
        ++paren;
      } else if (cls == eClassCloseParenthesis && --paren == 0) {
        state = 1;
        if (evaluate) {
          term = STerm(); // a function has no value
          current = &term;
          if (mRecording)
            mSteps.push_back({SStep::eNullTerm, false, 0, 0});
        }
      }
      break;

    case 4:
    case 5:
      markTerm = true;
      switch (cls) {
      case eClassTerm:
        state = 1;
        if (evaluate)
          current = &ResolveAt(i, term);
        break;
      case eClassFunction:
        state = 2;
        break;
      case eClassUnaryOperator:
        // Each operator of a run of unary operators applies to all that follows it: the
        // rest is wrapped like a tighter-binding run (NOT NOT a is NOT ( NOT a )).
        binUnOp = true;
        state = 4;
        break;
      case eClassOpenParenthesis:
        state = 7;
        openParen = true;
        break;
      case eClassBinaryOperator:
        // A minus where a term is expected is a sign, after a unary operator too.
        if (mTokens[i].Extra() == eOperatorSubtract) {
          MakeUnaryMinus(i);
          continue;
        }
        throw SSyntaxException(kMissingTermBeforeOperator);
      case eClassCloseParenthesis:
        throw SSyntaxException(kClosingWithoutOpening);
      case eClassNone:
        throw SSyntaxException(kMissingTermAfterOperator);
      default:
        throw SSyntaxException(kInvalidExpression);
      }
      break;

    case 6: {
      // A group inside the run belongs to it whatever operators it holds.
      if (skipped > 0) {
        if (cls == eClassNone)
          throw SSyntaxException(kMissingClosingParenthesis);
        if (cls == eClassOpenParenthesis)
          ++skipped;
        else if (cls == eClassCloseParenthesis)
          --skipped;
        break;
      }
      if (cls == eClassOpenParenthesis) {
        skipped = 1;
        break;
      }
      bool split = cls == eClassNone;
      if (cls == eClassBinaryOperator) {
        // A minus right after an operator is the sign of the next term, not an
        // operator that could end the run (as in 1 + 2 * -3).
        const int previous = mTokens[i - 1].Class();
        if (mTokens[i].Extra() == eOperatorSubtract &&
            (previous == eClassBinaryOperator || previous == eClassUnaryOperator))
          break;
        priority = OperatorPriority(mTokens[i]);
        split = priority <= pendingPriority;
      }
      if (!split)
        break;
      // Wrap [mark, i) in parentheses and prepare the new group.
      state = 1;
      pendingPriority = priority;
      if (!foundMark)
        throw SSyntaxException(kInvalidExpression);
      mTokens.insert(mTokens.begin() + static_cast<std::ptrdiff_t>(i),
                     SToken(eCloseParenthesis, ")", 0, eClassCloseParenthesis));
      mTokens.insert(mTokens.begin() + static_cast<std::ptrdiff_t>(mark),
                     SToken(eOpenParenthesis, "(", 0, eClassOpenParenthesis));
      const std::size_t before = mTokens.size();
      Process(mark + 1, i + 1, false);
      const std::size_t inserted = 2 + (mTokens.size() - before);
      i += inserted;
      end += inserted;
      continue; // the token that ended the run is read next, in state 1
    }

    case 7:
      if (cls == eClassNone)
        throw SSyntaxException(kMissingClosingParenthesis);
      if (cls == eClassOpenParenthesis) {
        ++paren;
      } else if (cls == eClassCloseParenthesis && --paren == 0) {
        state = 1;
        const std::size_t before = mTokens.size();
        term = Process(start + 1, i, evaluate);
        current = &term;
        if (!evaluate) {
          const std::size_t inserted = mTokens.size() - before;
          i += inserted;
          end += inserted;
        }
      }
      break;

    default:
      throw SSyntaxException(kInvalidExpression);
    }

    if (openParen) {
      start = i;
      ++paren;
    }
    if (!evaluate) {
      if (binUnOp) {
        state = 6;
        skipped = 0;
        mark = i;
        foundMark = true;
      } else if (checkOp) {
        priority = OperatorPriority(mTokens[i]);
        if (firstOp) {
          firstOp = false;
          pendingPriority = priority;
        } else if (pendingPriority < priority) {
          state = 6;
          skipped = 0;
        } else {
          foundMark = false;
          pendingPriority = priority;
        }
      } else if (markTerm && !foundMark) {
        mark = i;
        foundMark = true;
      }
    } else if (state == 1) {
      if (mRecording)
        RecordFold(op == &kNoOperator ? mTokens.size() : static_cast<std::size_t>(op - mTokens.data()));
      else if (op->Extra() != eOperatorNone)
        result = Operate(*op, result, *current);
      else if (current == &term)
        result = std::move(term); // the first term of the run is the value so far
      else
        result = *current;
    } else if (state == 4 || state == 5) {
      op = &mTokens[i];
    }

    // In evaluation the list no longer changes: jump straight to where the scan
    // for the closing parenthesis of a group or function call would stop.
    if (evaluate && openParen && start < mScanStops.size() && mScanStops[start] != kNoStop)
      i = std::max(i, std::min(mScanStops[start], end) - 1);
    ++i;
  }
}
