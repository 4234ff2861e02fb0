// The command-line tool.
#include "CTallyTool.h"

#include "CClosedPipe.h"
#include "CCommandLine.h"
#include "CConvertCommand.h"
#include "CFilterCommand.h"
#include "CHelpText.h"
#include "CMergeCommand.h"
#include "COutput.h"
#include "CProgress.h"
#include "CShowCommand.h"
#include "CToolError.h"
#include "CUsageError.h"
#include "dates/SLocale.h"
#include "syntax/SWildcardString.h"

#include <new>

namespace {

// Puts the process-wide date order and case rule back when a run ends.
class SettingsGuard {
public:
  SettingsGuard()
      : mDateFormat(SLocale::Default().GetDateFormat()), mCase(SWildcardString::GlobalCaseSensitivity()) {}
  ~SettingsGuard() {
    SLocale::Default().SetDateFormat(mDateFormat);
    SWildcardString::SetGlobalCaseSensitivity(mCase);
  }
  SettingsGuard(const SettingsGuard &) = delete;
  SettingsGuard & operator=(const SettingsGuard &) = delete;

private:
  SDateFormat mDateFormat;
  SWildcardString::ECaseSensitivity mCase;
};

} // namespace

CTallyTool::CTallyTool(int inOutput, int inErrors) : mOutput(inOutput), mErrors(inErrors) {}

void CTallyTool::Report(const std::string & inMessage) const {
  try {
    COutput errors(mErrors, "standard error");
    errors.Write("tally: " + inMessage + "\n");
    errors.Flush();
  } catch (...) {
    // Nowhere left to say it.
  }
}

int CTallyTool::Run(const std::vector<std::string> & inArguments) {
  const SettingsGuard guard;
  try {
    const CCommandLine line = CCommandLine::Parse(inArguments);
    COutput output(mOutput, "standard output");
    output.SetLineFlush(CProgress::IsTerminal(mOutput));
    if (line.WantsHelp()) {
      output.Write(CHelpText::For(line.Command()));
      output.Flush();
      return 0;
    }
    if (line.WantsVersion()) {
      output.Write(CHelpText::Version());
      output.Flush();
      return 0;
    }

    // Wildcards ignore case unless asked otherwise, as in the filter dialog; dates are shown
    // and read in the chosen order.
    SWildcardString::SetGlobalCaseSensitivity(line.CaseSensitive() ? SWildcardString::eCaseSensitive
                                                                   : SWildcardString::eNotCaseSensitive);
    if (line.DateOrder())
      SLocale::Default().SetDateFormat(*line.DateOrder());

    int status = 0;
    switch (line.Command()) {
    case CCommandLine::eShow: {
      COutput errors(mErrors, "standard error");
      status = CShowCommand(line).Run(output, errors, mErrors, mEndProcessWhenDone);
      break;
    }
    case CCommandLine::eFilter: {
      COutput errors(mErrors, "standard error");
      status = CFilterCommand(line).Run(output, errors, mErrors);
      break;
    }
    case CCommandLine::eMerge: {
      COutput errors(mErrors, "standard error");
      status = CMergeCommand(line).Run(errors, mErrors);
      break;
    }
    case CCommandLine::eConvert:
      status = CConvertCommand(line).Run(output, mErrors);
      break;
    default:
      break;
    }
    output.Flush();
    return status;
  } catch (const CUsageError & e) {
    Report(e.what());
    return 2;
  } catch (const CClosedPipe &) {
    // Whoever read the output has all they wanted.
    return 0;
  } catch (const std::bad_alloc &) {
    Report("There is not enough memory");
    return 1;
  } catch (const std::exception & e) {
    Report(e.what());
    return 1;
  }
}
