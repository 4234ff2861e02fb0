// A filter expression for the tool: a check of its text that reports what the core's filter
// would pass over in silence (a text that cannot be parsed, a name that is no field, text the
// expression ignores), and the report of what failed when the filter ran.
#pragma once

#include "syntax/SMathSyntax.h"
#include "tasks/STaskSyntaxFilter.h"

#include <string>

class COutput;
class STaskParallelFilter;

class CFilterExpression {
public:
  /// The filter for inText.
  explicit CFilterExpression(const std::string & inText);
  CFilterExpression(const CFilterExpression &) = delete;
  CFilterExpression & operator=(const CFilterExpression &) = delete;

  /// Parses the text once; throws CToolError with the syntax error's message if it cannot
  /// be parsed, if it names something that is not a field, or if part of it would be
  /// ignored.
  void Check();

  /// The expression's text.
  const std::string & Text() const { return mText; }

  /// After inRun filtered the entries with this text: throws CToolError with the language's message and a hint when
  /// evaluation failed for every entry; writes a note to ioErrors when it failed for some.
  void Report(const STaskParallelFilter & inRun, COutput & ioErrors) const;

private:
  [[noreturn]] void Fail(const std::string & inMessage) const;
  // A hint on a comparison of a field with a value of the wrong type; empty if none.
  std::string Hint() const;
  // The text quoted in messages.
  std::string Quoted() const;

  std::string mText;
  SMathSyntax mSyntax;       // declared before the filter, whose field names it learns
  STaskSyntaxFilter mFilter; // gives the syntax the field names; the run has its own
};
