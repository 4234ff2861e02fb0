// A filter expression for the tool.
#include "CFilterExpression.h"

#include "CToolError.h"
#include "syntax/SSyntaxException.h"

CFilterExpression::CFilterExpression(const std::string & inText)
    : mText(inText), mSyntax(), mFilter(mSyntax, inText) {}

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

void CFilterExpression::Fail(const std::string & inMessage) const {
  std::string quoted = mText.size() > kQuotedLength ? mText.substr(0, kQuotedLength - 3) + "..." : mText;
  throw CToolError("", "invalid filter expression \"" + Printable(quoted) + "\": " + inMessage);
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
      Fail("Unexpected '" + Printable(token.Token()) + "'");
  }
  mSyntax.Clear();
}
