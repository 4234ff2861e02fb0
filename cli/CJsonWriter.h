// The json format: an array of entries (date, duration, seconds, who, job, code,
// description), or an array of groups, each with heading, seconds, duration, count,
// entries (the deepest groups' entries; left out in a summary) and groups (its subgroups).
// Seconds and durations are exact, however large.
// One entry or group per line, indented by depth. Text that is not UTF-8 is read byte by
// byte as Latin-1.
#pragma once

#include "CRowSink.h"

#include <string>
#include <vector>

class COutput;

class CJsonWriter : public CRowSink {
public:
  /// Writes to inOutput (not owned).
  explicit CJsonWriter(COutput & inOutput);

  void Begin(const Shape & inShape) override;
  void BeginGroup(const Group & inGroup) override;
  void EndGroup(const Group & inGroup) override;
  void Entry(const STask & inTask, std::int16_t inLevel) override;
  void End(std::uint64_t inTotalSeconds, std::uint64_t inCount) override;

  /// Appends inText to ioOut as a json string, quotes included.
  static void AppendString(std::string & ioOut, std::string_view inText);
  /// hh:mm:ss of inSeconds with as many hour digits as it takes (two at least): unlike the
  /// text format's, a group's duration here is never cut to its largest shown value.
  static std::string Duration(std::uint64_t inSeconds);

private:
  // Starts an element of the innermost open array: a comma after an earlier one, then a
  // new line indented by the depth.
  void StartElement();
  // Ends the innermost open array.
  void CloseArray();

  COutput & mOutput;
  Shape mShape;
  std::vector<bool> mArrayHasElements; // one per open array, the outermost first
  std::string mRow;
};
