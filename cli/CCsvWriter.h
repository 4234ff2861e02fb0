// The csv format (RFC 4180): a header row, then one row per entry (date, duration,
// seconds, who, job, code, description) or per group (level, heading, seconds, entries);
// fields with a comma, a quote or a line break are quoted; rows end with CR LF.
#pragma once

#include "CRowSink.h"

#include <string>

class COutput;

class CCsvWriter : public CRowSink {
public:
  /// Writes to inOutput (not owned).
  explicit CCsvWriter(COutput & inOutput);

  void Begin(const Shape & inShape) override;
  void BeginGroup(const Group & inGroup) override;
  void EndGroup(const Group & inGroup) override;
  void Entry(const STask & inTask, std::int16_t inLevel) override;
  void End(std::uint64_t inTotalSeconds, std::uint64_t inCount) override;

  /// Appends inText to ioOut as one csv field, quoted when it must be.
  static void AppendField(std::string & ioOut, std::string_view inText);

private:
  COutput & mOutput;
  std::string mRow;
};
