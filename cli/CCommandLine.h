// The tool's command line: the command, its operands and its options, checked as far as
// they can be without touching a file.
#pragma once

#include "dates/SDateFormat.h"
#include "files/SLineBreakFormat.h"
#include "tasks/STaskComparator.h"

#include <optional>
#include <string>
#include <vector>

class CCommandLine {
public:
  enum ECommand { eNoCommand, eShow, eFilter, eMerge, eConvert };
  enum EFormat { eText, eTsv, eCsv, eJson };
  /// Ordering codes, level 0 first; negative codes descend.
  using Keys = std::vector<STaskComparator::EField>;

  /// Reads the arguments that follow the program's name. Throws CUsageError with a
  /// one-line hint when they do not form a valid command.
  static CCommandLine Parse(const std::vector<std::string> & inArguments);

  /// Reads a comma-separated list of up to seven field names, each optionally prefixed by
  /// "-" for descending order; "order" (order in file) only when not inForGrouping.
  /// inOption names the option in hints. Throws CUsageError.
  static Keys ParseKeys(const std::string & inText, bool inForGrouping, const std::string & inOption);

  /// The command's name as typed ("show", ...); empty for none.
  static const char * CommandName(ECommand inCommand);

  ECommand Command() const { return mCommand; }
  /// Help was asked for: about the command, or about the tool when there is none.
  bool WantsHelp() const { return mWantsHelp; }
  bool WantsVersion() const { return mWantsVersion; }
  /// The operands in order (files; for filter the expression first).
  const std::vector<std::string> & Operands() const { return mOperands; }

  const std::optional<std::string> & FilterExpression() const { return mFilter; }
  bool CaseSensitive() const { return mCaseSensitive; }
  const Keys & SortKeys() const { return mSortKeys; }
  const Keys & GroupKeys() const { return mGroupKeys; }
  bool Summary() const { return mSummary; }
  EFormat Format() const { return mFormat; }
  /// The order dates are shown in; none means the system's.
  const std::optional<SDateFormat> & DateOrder() const { return mDateOrder; }
  const std::optional<std::string> & OutputFile() const { return mOutputFile; }
  const std::optional<SLineBreakFormat> & LineBreak() const { return mLineBreak; }
  bool Force() const { return mForce; }
  bool ClearSources() const { return mClearSources; }

private:
  // Takes one option (its name as typed, its value if it has one).
  void TakeOption(const std::string & inName, const std::string & inValue);
  // Checks the operand count and the options that depend on each other.
  void Validate() const;

  ECommand mCommand = eNoCommand;
  bool mWantsHelp = false;
  bool mWantsVersion = false;
  std::vector<std::string> mOperands;
  std::optional<std::string> mFilter;
  bool mCaseSensitive = false;
  Keys mSortKeys;
  Keys mGroupKeys;
  bool mSummary = false;
  EFormat mFormat = eText;
  std::optional<SDateFormat> mDateOrder;
  std::optional<std::string> mOutputFile;
  std::optional<SLineBreakFormat> mLineBreak;
  bool mForce = false;
  bool mClearSources = false;
};
