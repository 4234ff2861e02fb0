// Runs arbitrary bytes through the whole filter pipeline against a few time entries;
// shared by the fuzz target and the test that replays its corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "syntax/SMathSyntax.h"
#include "syntax/SWildcardString.h"
#include "tasks/STask.h"
#include "tasks/STaskSyntaxFilter.h"

namespace testsupport {

/// A handful of entries with odd fields: empty ones, wildcards in the text, a long
/// description, bytes above 127, a date far out.
inline const std::vector<STask> & HarnessTasks() {
  static const std::vector<STask> tasks = [] {
    const std::string lines[] = {
        "01/03/2012\t1:30:00\tabc\t100\tA\tDesign review",
        "12/30/2011\t0:45\tA*?\t7\tX\t",
        "02/29/2036\t99:59:59\t\t\t\t" + std::string(300, 'd'),
        "\t\t\t\t\t",
        "13/45/2012\t1.5\tz\xe9\t-1\tL\tcaf\xc3\xa9 \"quoted\" 'single'",
        "1/1/2099\t0:90\tWHO\t12ab\t?\ttab\tinside",
    };
    std::vector<STask> built;
    for (const std::string & line : lines)
      built.emplace_back(SDateFormat(SDateFormat::eMDY), line.data(), static_cast<unsigned int>(line.size()));
    return built;
  }();
  return tasks;
}

/// The first byte picks the case rule; the rest is the expression. Every entry is
/// filtered twice: both answers must agree (an evaluation leaves nothing behind that
/// changes the next one). The case rule is restored afterwards.
inline void RunFilterHarness(const std::uint8_t * data, std::size_t size) {
  if (size == 0)
    return;
  const SWildcardString::ECaseSensitivity old = SWildcardString::GlobalCaseSensitivity();
  SWildcardString::SetGlobalCaseSensitivity((data[0] & 1) != 0 ? SWildcardString::eNotCaseSensitive
                                                                : SWildcardString::eCaseSensitive);
  const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
  {
    SMathSyntax syntax;
    STaskSyntaxFilter filter(syntax, text);
    for (const STask & task : HarnessTasks()) {
      const bool first = filter(task);
      const bool second = filter(task);
      if (first != second)
        std::abort();
    }
  }
  {
    // The same list evaluated without preparation, as a caller that skips it would.
    SMathSyntax syntax;
    STaskSymbolServer server;
    syntax.AddServer(server);
    syntax.Tokenize(text);
    syntax.Reduce();
    syntax.Symbolize();
    syntax.Classify();
    server.SetTask(HarnessTasks().front());
    try {
      syntax.Evaluate();
    } catch (const SSyntaxException &) {
    }
  }
  {
    // The text as a pattern against every field.
    const SWildcardString pattern(text, true);
    for (const STask & task : HarnessTasks()) {
      std::string field;
      for (int f = STask::eWhoCode; f <= STask::eDescription; ++f) {
        task.GetSubfield(static_cast<STask::EField>(f), field);
        const SWildcardString subject(field, false);
        if ((pattern.WildcardCompare(subject) == 0) != (subject.WildcardCompare(pattern) == 0))
          std::abort();
      }
    }
  }
  SWildcardString::SetGlobalCaseSensitivity(old);
}

} // namespace testsupport
