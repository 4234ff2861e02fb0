// tally convert.
#include "CConvertCommand.h"

#include "COutput.h"
#include "CProgress.h"
#include "CTimeSheet.h"

CConvertCommand::CConvertCommand(const CCommandLine & inLine) : mLine(inLine) {}

int CConvertCommand::Run(COutput & ioOut, int inProgressDescriptor) {
  const std::string & file = mLine.Operands()[0];
  const std::optional<std::string> & output = mLine.OutputFile();
  const bool input = CTimeSheet::IsInput(file);
  // What is read from a pipe cannot be rewritten in place: it goes on down the pipeline.
  const bool toOutput = (output && *output == "-") || (input && !output);
  if (!input)
    CTimeSheet::RequireExisting(file);
  if (output && !toOutput)
    CTimeSheet::RequireAbsent(*output, mLine.Force());

  CTimeSheet sheet{SDateFormat(SDateFormat::eMDY)};
  {
    CProgress progress(inProgressDescriptor, CProgress::IsTerminal(inProgressDescriptor), CTimeSheet::SizeOf(file),
                       CProgress::DefaultDelay());
    progress.Watch(sheet.Tasks());
    progress.SetFile(file);
    // Rewritten in place, the file is held from loading to saving.
    sheet.Open(file, output.has_value() || toOutput);
  }
  if (mLine.LineBreak())
    sheet.SetLineBreak(*mLine.LineBreak());
  if (toOutput)
    sheet.WriteSheet(ioOut);
  else if (output)
    sheet.SaveTo(*output, mLine.Force());
  else
    sheet.SaveInPlace();
  return 0;
}
