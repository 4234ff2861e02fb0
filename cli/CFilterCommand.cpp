// tally filter.
#include "CFilterCommand.h"

#include "CFilterExpression.h"
#include "COutput.h"
#include "CProgress.h"
#include "CTimeSheet.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskParallelFilter.h"

CFilterCommand::CFilterCommand(const CCommandLine & inLine) : mLine(inLine) {}

int CFilterCommand::Run(COutput & ioOut, COutput & ioErrors, int inProgressDescriptor) {
  const std::string & text = mLine.Operands()[0];
  const std::string & input = mLine.Operands()[1];
  const std::string & output = mLine.Operands()[2];
  CFilterExpression expression(text);
  expression.Check();
  const bool toOutput = output == "-";
  if (!CTimeSheet::IsInput(input))
    CTimeSheet::RequireExisting(input);
  if (!toOutput)
    CTimeSheet::RequireAbsent(output, mLine.Force());

  // Entries keep their dates as the file has them: nothing is rewritten on the way through.
  const SDateFormat fileOrder(SDateFormat::eMDY);
  CTimeSheet source(fileOrder);
  {
    CProgress progress(inProgressDescriptor, CProgress::IsTerminal(inProgressDescriptor),
                       CTimeSheet::SizeOf(input), CProgress::DefaultDelay());
    progress.Watch(source.Tasks());
    progress.SetFile(input);
    source.Open(input, true);
  }

  CTimeSheet result(fileOrder);
  result.SetLineBreak(source.GetLineBreakFormat());
  STaskParallelFilter copy(STaskDocumentData(source).GetVectorMap(), result.Tasks(), expression.Text());
  copy();
  expression.Report(copy, ioErrors);
  if (toOutput)
    result.WriteSheet(ioOut);
  else
    result.SaveTo(output, mLine.Force());
  return 0;
}
