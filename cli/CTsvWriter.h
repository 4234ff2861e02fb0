// The tsv format: the entries' lines as a valid time sheet (dates in month, day, year
// order, a line feed after each), or for a grouped listing one row per group: level,
// heading, seconds, entry count, with tabs, line breaks and backslashes escaped.
#pragma once

#include "CRowSink.h"

#include <memory>
#include <string>

class COutput;

class CTsvWriter : public CRowSink {
public:
  /// Writes to inOutput (not owned).
  explicit CTsvWriter(COutput & inOutput);
  ~CTsvWriter() override;

  void Begin(const Shape & inShape) override;
  void BeginGroup(const Group & inGroup) override;
  void EndGroup(const Group & inGroup) override;
  void Entry(const STask & inTask, std::int16_t inLevel) override;
  void End(std::uint64_t inTotalSeconds, std::uint64_t inCount) override;

  /// Appends inText to ioOut with tab, carriage return, line feed and backslash written as
  /// \t, \r, \n and \\.
  static void AppendEscaped(std::string & ioOut, std::string_view inText);

private:
  COutput & mOutput;
  std::unique_ptr<STask> mScratch; // an entry whose date is being rewritten
  std::string mRow;
};
