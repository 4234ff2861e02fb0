// A filter expression for the tool.
#include "CFilterExpression.h"

#include "COutput.h"
#include "CToolError.h"
#include "syntax/SSymbol.h"
#include "syntax/SSyntaxException.h"
#include "tasks/STaskParallelFilter.h"

#include <algorithm>

CFilterExpression::CFilterExpression(const std::string & inText)
    : mText(inText), mSyntax(), mFilter(mSyntax, inText) {}

static_assert(SSyntax::sMaxTextLength == 16384 && SMathSyntax::sMaxNesting == 256,
              "the messages and the help text name these limits");

namespace {

// Longest stretch of the expression quoted in a message.
constexpr std::size_t kQuotedLength = 80;

// inText with control characters written as escapes, so that a message stays one line.
std::string Printable(const std::string & inText) {
  std::string result;
  for (const char c : inText) {
    switch (c) {
    case '\t': result += "\\t"; break;
    case '\n': result += "\\n"; break;
    case '\r': result += "\\r"; break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        static const char kHex[] = "0123456789abcdef";
        result += "\\x";
        result += kHex[(c >> 4) & 0xF];
        result += kHex[c & 0xF];
      } else {
        result += c;
      }
    }
  }
  return result;
}

} // namespace

std::string CFilterExpression::Quoted() const {
  const std::string quoted = mText.size() > kQuotedLength ? mText.substr(0, kQuotedLength - 3) + "..." : mText;
  return "\"" + Printable(quoted) + "\"";
}

void CFilterExpression::Fail(const std::string & inMessage) const {
  throw CToolError("", "invalid filter expression " + Quoted() + ": " + inMessage);
}

std::string CFilterExpression::Hint() const {
  const std::vector<SToken> & tokens = mSyntax.Tokens();
  const SSymbolVector & symbols = mSyntax;
  auto symbolAt = [&](std::size_t inAt) -> const SSymbol * {
    const SToken & token = tokens[inAt];
    if (token.Type() != STokenEnum::eSymbol || token.Extra() < 1 ||
        static_cast<std::size_t>(token.Extra()) > symbols.size())
      return nullptr;
    return &symbols[static_cast<std::size_t>(token.Extra() - 1)];
  };
  // A field next to a relation whose other side is a number.
  for (std::size_t at = 1; at + 1 < tokens.size(); ++at) {
    const SToken & op = tokens[at];
    if (op.Class() != SMathSyntax::eClassBinaryOperator || op.Extra() < SMathSyntax::eOperatorGreater ||
        op.Extra() > SMathSyntax::eOperatorEqual)
      continue;
    for (const auto & [field, value] : {std::pair{at - 1, at + 1}, std::pair{at + 1, at - 1}}) {
      const SSymbol * symbol = symbolAt(field);
      if (symbol == nullptr || tokens[value].Type() != STokenEnum::eNumber)
        continue;
      if (symbol->Type() == SSymbol::eString)
        return ": " + *symbol + " is text, compare it with \"" + tokens[value].Token() + "\"";
      if (symbol->Type() == SSymbol::eDate)
        return ": " + *symbol + " is a date, compare it with a quoted date such as '12/25/2012'";
    }
  }
  return std::string();
}

void CFilterExpression::Report(const STaskParallelFilter & inRun, COutput & ioErrors) const {
  const std::size_t failed = inRun.FailureCount();
  const std::size_t evaluated = inRun.EvaluationCount();
  if (failed == 0)
    return;
  const std::string why = inRun.FirstFailure() + Hint();
  if (failed == evaluated)
    throw CToolError("", "the filter expression " + Quoted() + " could not be evaluated for any entry: " + why);
  ioErrors.Write("tally: the filter expression " + Quoted() + " could not be evaluated for " +
                 std::to_string(failed) + " of " + std::to_string(evaluated) + " entries, which do not match (" +
                 why + ")\n");
  ioErrors.Flush();
}

void CFilterExpression::Check() {
  // The same steps as the filter's own preparation, which it repeats before the first
  // entry; only here a failure is not dropped. The tokens stay for Hint.
  mSyntax.Clear();
  mSyntax.Tokenize(mText);
  mSyntax.Reduce();
  mSyntax.Symbolize();
  mSyntax.Classify();
  // The language's limits, named where a text goes beyond them.
  int depth = 0, deepest = 0;
  for (const SToken & token : mSyntax.Tokens()) {
    if (token.Class() == SMathSyntax::eClassOpenParenthesis)
      deepest = std::max(deepest, ++depth);
    else if (token.Class() == SMathSyntax::eClassCloseParenthesis && depth > 0)
      --depth;
  }
  try {
    mSyntax.Prepare();
  } catch (const SSyntaxException & e) {
    if (mSyntax.IsTooLarge())
      Fail(std::string(e.what()) + " (longer than 16,384 characters)");
    if (deepest > SMathSyntax::sMaxNesting)
      Fail(std::string(e.what()) + " (parentheses nested more than 256 deep)");
    Fail(e.what());
  }
  for (const SToken & token : mSyntax.Tokens()) {
    // A name that is no symbol has no value: every entry would fail to evaluate.
    if (token.Class() == SMathSyntax::eClassTerm && token.Type() == STokenEnum::eString)
      Fail("Unknown term '" + token.Token() + "' (the fields are date, duration, who, job, code, description)");
    // A token the grammar does not know ends the expression where it stands.
    if (token.Class() == SMathSyntax::eClassNone)
      Fail("Unexpected '" + Printable(token.Token()) + "'");
  }
}
