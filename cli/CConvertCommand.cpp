// tally convert.
#include "CConvertCommand.h"

#include "CProgress.h"
#include "CTimeSheet.h"

CConvertCommand::CConvertCommand(const CCommandLine & inLine) : mLine(inLine) {}

int CConvertCommand::Run(int inProgressDescriptor) {
  const std::string & file = mLine.Operands()[0];
  const std::optional<std::string> & output = mLine.OutputFile();
  CTimeSheet::RequireExisting(file);
  if (output)
    CTimeSheet::RequireAbsent(*output, mLine.Force());

  CTimeSheet sheet{SDateFormat(SDateFormat::eMDY)};
  {
    CProgress progress(inProgressDescriptor, CProgress::IsTerminal(inProgressDescriptor), CTimeSheet::SizeOf(file),
                       CProgress::DefaultDelay());
    progress.Watch(sheet.Tasks());
    progress.SetFile(file);
    // Rewritten in place, the file is held from loading to saving.
    sheet.Open(file, output.has_value());
  }
  if (mLine.LineBreak())
    sheet.SetLineBreak(*mLine.LineBreak());
  if (output)
    sheet.SaveTo(*output, mLine.Force());
  else
    sheet.SaveInPlace();
  return 0;
}
