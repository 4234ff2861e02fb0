// The Filter command's expression filter: the task filter, which passes over an expression
// that cannot be parsed or evaluated in silence, plus a record of why, so that the command
// can tell the user.
#pragma once

#include <cstddef>
#include <string>

#include "syntax/SSyntax.h"
#include "tasks/STask.h"
#include "tasks/STaskSyntaxFilter.h"

class WCheckedTaskFilter : public STaskSyntaxFilter {
public:
  /// A filter for inText parsed by ioSyntax (not owned; it must outlive the filter).
  WCheckedTaskFilter(SSyntax & ioSyntax, const std::string & inText);

  /// Prepares the text as the task filter does, remembering a preparation error.
  void Prepare() override;
  /// Whether inTask satisfies the expression, as for the task filter; an evaluation error
  /// rejects the task and is counted (the first one's message is kept).
  bool Filter(const STask & inTask) override;

  /// The message of the first error met, or an empty text.
  const std::string & GetError() const { return mError; }
  /// True when the text could not be prepared.
  bool HasPreparationError() const { return mPreparationFailed; }
  /// How many tasks could not be evaluated.
  std::size_t GetFailureCount() const { return mFailureCount; }

private:
  void Record(const char * inMessage);

  SSyntax & mSyntax;
  std::string mError;
  bool mPreparationFailed = false;
  std::size_t mFailureCount = 0;
};
