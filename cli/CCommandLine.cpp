// The tool's command line.
#include "CCommandLine.h"

#include "CUsageError.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace {

// What an option of a command looks like.
struct OptionRule {
  const char * mName;
  bool mTakesValue;
};

const OptionRule kShowOptions[] = {{"--filter", true},     {"--case-sensitive", false}, {"--sort", true},
                                   {"--group", true},      {"--summary", false},        {"--format", true},
                                   {"--date-order", true}, {nullptr, false}};
const OptionRule kFilterOptions[] = {
    {"--case-sensitive", false}, {"--date-order", true}, {"--force", false}, {nullptr, false}};
const OptionRule kMergeOptions[] = {{"--clear-sources", false}, {nullptr, false}};
const OptionRule kConvertOptions[] = {
    {"-o", true}, {"--output", true}, {"--line-break", true}, {"--force", false}, {nullptr, false}};

const OptionRule * OptionsOf(CCommandLine::ECommand inCommand) {
  switch (inCommand) {
  case CCommandLine::eShow: return kShowOptions;
  case CCommandLine::eFilter: return kFilterOptions;
  case CCommandLine::eMerge: return kMergeOptions;
  case CCommandLine::eConvert: return kConvertOptions;
  default: return nullptr;
  }
}

const OptionRule * FindOption(CCommandLine::ECommand inCommand, std::string_view inName) {
  for (const OptionRule * rule = OptionsOf(inCommand); rule != nullptr && rule->mName != nullptr; ++rule)
    if (inName == rule->mName)
      return rule;
  return nullptr;
}

struct NamedField {
  const char * mName;
  STaskComparator::EField mField;
};

const NamedField kFields[] = {{"date", STaskComparator::eDate},
                              {"duration", STaskComparator::eDuration},
                              {"who", STaskComparator::eWhoCode},
                              {"job", STaskComparator::eJobNumber},
                              {"code", STaskComparator::eTimeCode},
                              {"description", STaskComparator::eDescription},
                              {"order", STaskComparator::eOrderInFile}};

constexpr std::size_t kMaxKeys = 7;

std::string Hint(const std::string & inCommand) {
  return " (see 'tally " + inCommand + (inCommand.empty() ? "" : " ") + "--help')";
}

} // namespace

const char * CCommandLine::CommandName(ECommand inCommand) {
  switch (inCommand) {
  case eShow: return "show";
  case eFilter: return "filter";
  case eMerge: return "merge";
  case eConvert: return "convert";
  default: return "";
  }
}

CCommandLine CCommandLine::Parse(const std::vector<std::string> & inArguments) {
  CCommandLine line;
  if (inArguments.empty())
    throw CUsageError("no command given (see 'tally --help')");

  std::size_t next = 0;
  const std::string & first = inArguments[next++];
  if (first == "--help" || first == "-h") {
    line.mWantsHelp = true;
    return line;
  }
  if (first == "--version") {
    line.mWantsVersion = true;
    return line;
  }
  if (first == "help") {
    line.mWantsHelp = true;
    if (next < inArguments.size()) {
      for (ECommand command : {eShow, eFilter, eMerge, eConvert})
        if (inArguments[next] == CommandName(command))
          line.mCommand = command;
      if (line.mCommand == eNoCommand)
        throw CUsageError("unknown command '" + inArguments[next] + "'" + Hint(""));
    }
    return line;
  }
  for (ECommand command : {eShow, eFilter, eMerge, eConvert})
    if (first == CommandName(command))
      line.mCommand = command;
  if (line.mCommand == eNoCommand) {
    if (first.size() > 1 && first[0] == '-')
      throw CUsageError("unknown option '" + first + "'" + Hint(""));
    throw CUsageError("unknown command '" + first + "'" + Hint(""));
  }

  // Help wins over everything else on the line, as long as it is an option.
  for (std::size_t at = next; at < inArguments.size() && inArguments[at] != "--"; ++at) {
    if (inArguments[at] == "--help" || inArguments[at] == "-h") {
      line.mWantsHelp = true;
      return line;
    }
  }

  bool operandsOnly = false;
  while (next < inArguments.size()) {
    const std::string & argument = inArguments[next++];
    if (operandsOnly || argument.size() < 2 || argument[0] != '-') {
      line.mOperands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      operandsOnly = true;
      continue;
    }
    std::string name = argument;
    std::optional<std::string> value;
    if (argument.compare(0, 2, "--") == 0) {
      if (const std::size_t equals = argument.find('='); equals != std::string::npos) {
        name = argument.substr(0, equals);
        value = argument.substr(equals + 1);
      }
    }
    const OptionRule * rule = FindOption(line.mCommand, name);
    const std::string command = CommandName(line.mCommand);
    if (rule == nullptr)
      throw CUsageError("unknown option '" + name + "' for " + command + Hint(command));
    if (rule->mTakesValue && !value) {
      if (next >= inArguments.size())
        throw CUsageError("option " + name + " needs a value" + Hint(command));
      value = inArguments[next++];
    } else if (!rule->mTakesValue && value) {
      throw CUsageError("option " + name + " takes no value" + Hint(command));
    }
    line.TakeOption(name, value.value_or(std::string()));
  }
  line.Validate();
  return line;
}

void CCommandLine::TakeOption(const std::string & inName, const std::string & inValue) {
  const std::string command = CommandName(mCommand);
  if (inName == "--filter") {
    if (inValue.empty())
      throw CUsageError("--filter needs an expression" + Hint(command));
    mFilter = inValue;
  } else if (inName == "--case-sensitive") {
    mCaseSensitive = true;
  } else if (inName == "--sort") {
    mSortKeys = ParseKeys(inValue, false, inName);
  } else if (inName == "--group") {
    mGroupKeys = ParseKeys(inValue, true, inName);
  } else if (inName == "--summary") {
    mSummary = true;
  } else if (inName == "--format") {
    static const std::pair<const char *, EFormat> kFormats[] = {
        {"text", eText}, {"tsv", eTsv}, {"csv", eCsv}, {"json", eJson}};
    const auto found = std::find_if(std::begin(kFormats), std::end(kFormats),
                                    [&](const auto & inEntry) { return inValue == inEntry.first; });
    if (found == std::end(kFormats))
      throw CUsageError("unknown format '" + inValue + "' (use text, tsv, csv or json)");
    mFormat = found->second;
  } else if (inName == "--date-order") {
    static const std::pair<const char *, SDateFormat::EFormat> kOrders[] = {
        {"dmy", SDateFormat::eDMY}, {"dym", SDateFormat::eDYM}, {"mdy", SDateFormat::eMDY},
        {"myd", SDateFormat::eMYD}, {"ydm", SDateFormat::eYDM}, {"ymd", SDateFormat::eYMD}};
    if (inValue == "system") {
      mDateOrder.reset();
      return;
    }
    const auto found = std::find_if(std::begin(kOrders), std::end(kOrders),
                                    [&](const auto & inEntry) { return inValue == inEntry.first; });
    if (found == std::end(kOrders))
      throw CUsageError("unknown date order '" + inValue + "' (use system, dmy, dym, mdy, myd, ydm or ymd)");
    mDateOrder = SDateFormat(found->second);
  } else if (inName == "-o" || inName == "--output") {
    mOutputFile = inValue;
  } else if (inName == "--line-break") {
    if (inValue == "mac")
      mLineBreak = SLineBreakFormat(SLineBreakFormat::eMac);
    else if (inValue == "windows")
      mLineBreak = SLineBreakFormat(SLineBreakFormat::eDOS);
    else if (inValue == "unix")
      mLineBreak = SLineBreakFormat(SLineBreakFormat::eUNIX);
    else
      throw CUsageError("unknown line break '" + inValue + "' (use mac, windows or unix)");
  } else if (inName == "--force") {
    mForce = true;
  } else if (inName == "--clear-sources") {
    mClearSources = true;
  }
}

void CCommandLine::Validate() const {
  const std::string command = CommandName(mCommand);
  const std::size_t count = mOperands.size();
  switch (mCommand) {
  case eShow:
    if (count == 0)
      throw CUsageError("show needs at least one FILE" + Hint(command));
    if (std::count(mOperands.begin(), mOperands.end(), "-") > 1)
      throw CUsageError("standard input (-) can be read only once" + Hint(command));
    if (mSummary && mGroupKeys.empty())
      throw CUsageError("--summary needs --group" + Hint(command));
    break;
  case eFilter:
    if (count != 3)
      throw CUsageError("filter needs EXPR, IN and OUT" + Hint(command));
    if (mOperands[0].empty())
      throw CUsageError("EXPR is empty" + Hint(command));
    break;
  case eMerge:
    if (count < 2)
      throw CUsageError("merge needs a TARGET and at least one SOURCE" + Hint(command));
    if (std::find(mOperands.begin(), mOperands.end(), "-") != mOperands.end())
      throw CUsageError("merge cannot use standard input or output (-): TARGET and SOURCE must be files" +
                        Hint(command));
    break;
  case eConvert:
    if (count != 1)
      throw CUsageError("convert needs exactly one FILE" + Hint(command));
    break;
  default:
    break;
  }
}

CCommandLine::Keys CCommandLine::ParseKeys(const std::string & inText, bool inForGrouping,
                                           const std::string & inOption) {
  Keys keys;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = std::min(inText.find(',', start), inText.size());
    std::string_view name(inText.data() + start, comma - start);
    bool descending = false;
    if (!name.empty() && name.front() == '-') {
      descending = true;
      name.remove_prefix(1);
    }
    if (name.empty())
      throw CUsageError("empty field name in " + inOption +
                        " (use date, duration, who, job, code, description" +
                        (inForGrouping ? ")" : " or order)"));
    const auto found = std::find_if(std::begin(kFields), std::end(kFields),
                                    [&](const NamedField & inField) { return name == inField.mName; });
    if (found == std::end(kFields))
      throw CUsageError("unknown field '" + std::string(name) + "' in " + inOption +
                        " (use date, duration, who, job, code, description" +
                        (inForGrouping ? ")" : " or order)"));
    if (inForGrouping && found->mField == STaskComparator::eOrderInFile)
      throw CUsageError("'order' cannot be used in " + inOption + " (entries are not grouped by their place)");
    if (keys.size() == kMaxKeys)
      throw CUsageError("more than seven fields in " + inOption);
    keys.push_back(static_cast<STaskComparator::EField>(descending ? -found->mField : found->mField));
    if (comma == inText.size())
      break;
    start = comma + 1;
  }
  return keys;
}
