// The expression filter for time entries: an expression text over the task symbols.
#pragma once

#include <string>

#include "syntax/SSyntax.h"
#include "syntax/TSyntaxFilter.h"
#include "tasks/STask.h"
#include "tasks/STaskSymbolServer.h"

class STaskSyntaxFilter : public TSyntaxFilter<STask> {
public:
  /// A filter for `text` parsed by `syntax` (not owned; it must outlive the filter),
  /// whose symbol table receives this filter's task symbols.
  STaskSyntaxFilter(SSyntax & syntax, const std::string & text);
  // The syntax refers to the server inside this object.
  STaskSyntaxFilter(const STaskSyntaxFilter &) = delete;
  STaskSyntaxFilter & operator=(const STaskSyntaxFilter &) = delete;

  /// Puts `task` under test for the next evaluation.
  void UpdateServers(const STask & task) override;

private:
  STaskSymbolServer mServer;
};
