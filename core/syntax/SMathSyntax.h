// The filter language proper: classifies the tokens, prepares the list by wrapping
// every tighter-binding run of operators in parentheses, and evaluates the prepared
// list as one left-to-right fold over typed terms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "syntax/SSyntax.h"
#include "syntax/STerm.h"
#include "syntax/SToken.h"

class SMathSyntax : public SSyntax {
public:
  /// Binding strength of an operator; higher binds tighter.
  enum EPriority {
    ePriorityNull = 0,
    ePriorityOR = 1,
    ePriorityAND = 2,
    ePriorityNOT = 3,
    ePriorityRelation = 4,
    ePriorityAddSubtract = 5,
    ePriorityMultiplyDivide = 6,
    ePriorityNegate = 7,
    ePriorityParentheses = 8
  };

  /// Syntactic classes set by Classify; eClassNone also ends a run.
  enum ETokenClass {
    eClassNone = 0,
    eClassTerm = 1,
    eClassFunction = 2,
    eClassUnaryOperator = 3,
    eClassBinaryOperator = 4,
    eClassOpenParenthesis = 5,
    eClassCloseParenthesis = 6,
    eClassSpace = 7
  };

  /// Operator codes held in an operator token's extra value.
  enum EOperator {
    eOperatorNone = 0,
    eOperatorNegate = 1,
    eOperatorMultiply = 2,
    eOperatorDivide = 3,
    eOperatorAdd = 4,
    eOperatorSubtract = 5,
    eOperatorGreater = 6,
    eOperatorGreaterOrEqual = 7,
    eOperatorLess = 8,
    eOperatorLessOrEqual = 9,
    eOperatorNotEqual = 10,
    eOperatorEqual = 11,
    eOperatorNot = 12,
    eOperatorAnd = 13,
    eOperatorOr = 14
  };

  /// The deepest nesting of parentheses accepted; deeper texts are "Invalid Expression".
  static constexpr int sMaxNesting = 256;

  /// Sets every token's class and the operator codes.
  void Classify() override;
  /// Drops the spaces, checks the structure and inserts the precedence parentheses.
  /// Throws SSyntaxException; the list keeps what was inserted before an error.
  void Prepare() override;
  /// The value of the prepared list for the symbols' current values.
  STerm Evaluate() override;
  /// The value of a number, literal or symbol token; the null term for anything else.
  STerm Resolve(const SToken & token) override;

  /// Reads the tokens [begin, end) as one run, preparing (evaluate false) or
  /// evaluating it; positions are indices into the token list.
  virtual STerm Process(std::size_t begin, std::size_t end, bool evaluate);
  /// Applies the operator of `op` to the value so far and the term just read.
  virtual STerm Operate(const SToken & op, const STerm & first, const STerm & second);
  /// The binding strength of an operator or opening parenthesis token.
  virtual EPriority OperatorPriority(const SToken & token);

private:
  class SDepthGuard;

  /// Builds, once per token list, what evaluation reads besides the tokens.
  void EnsureEvaluationData();
  /// The value of the term token at `index`: a literal's prepared term, or the token
  /// resolved into `scratch`; while steps are recorded, only notes that it is read.
  const STerm & ResolveAt(std::size_t index, STerm & scratch);
  /// ResolveAt for a replay: a symbol's value is read into `scratch` in place.
  const STerm & ReplayTerm(std::size_t index, STerm & scratch);
  /// The symbol a symbol token names; null for any other token or an unknown symbol.
  const SSymbol * SymbolOf(const SToken & token) const;
  /// Notes, once per token list, the steps an evaluation of the whole list takes;
  /// without them (a list that cannot be read through) evaluation walks the list.
  void RecordSteps();
  /// Lets the term step just recorded join its run's value by the operator token at
  /// inOperator (past the list: as that value).
  void RecordFold(std::size_t inOperator);
  /// The value of the list for the symbols' current values, by the recorded steps.
  STerm ReplaySteps();
  /// Replaces the binary minus at `index` by a unary minus.
  void MakeUnaryMinus(std::size_t index);
  /// The deepest nesting of parenthesis tokens in the list.
  int NestingDepth() const;

  // One step of an evaluation: what a walk of the list in evaluation mode does, in
  // its order, so that entries are evaluated without walking the list each time.
  struct SStep {
    enum EKind : std::uint8_t {
      eBeginRun, // a run starts: its value so far is the null term
      eTerm,     // the term token mToken is read
      eNullTerm, // a function call is read: it has no value
      eEndRun    // the run ends, and its value is the term read
    };
    EKind mKind;
    // Whether the term read joins the enclosing run's value (all but the outermost run's
    // end do), by the operator token mOperator, or as that value when it is past the list.
    bool mFolds;
    std::size_t mToken;
    std::size_t mOperator;
  };

  int mDepth = 0;
  bool mRecording = false;
  bool mStepsReady = false;
  std::vector<SStep> mSteps;
  // The values of the runs being replayed, outermost first.
  std::vector<STerm> mRunValues;
  bool mEvaluationDataReady = false;
  bool mNestingTooDeep = false;
  std::uint64_t mEvaluationRevision = 0;
  // For each opening parenthesis: where a scan for its closing parenthesis stops
  // (the match, or the first token that ends the run).
  std::vector<std::size_t> mScanStops;
  // Per token: what a literal reads as a date and as a duration, and the literal's
  // term itself (a literal's value is the same for every entry).
  std::vector<STerm::SConversionCache> mConversions;
  std::vector<STerm> mLiteralTerms;
};
