// tally merge.
#include "CMergeCommand.h"

#include "COutput.h"
#include "CProgress.h"
#include "CTimeSheet.h"
#include "CToolError.h"
#include "CUsageError.h"
#include "files/SFile.h"
#include "dates/SLocale.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

CMergeCommand::CMergeCommand(const CCommandLine & inLine) : mLine(inLine) {}

void CMergeCommand::RequireDistinctFiles() const {
  const std::vector<std::string> & files = mLine.Operands();
  for (std::size_t a = 0; a < files.size(); ++a)
    for (std::size_t b = a + 1; b < files.size(); ++b) {
      std::error_code error;
      const bool same = files[a] == files[b] || std::filesystem::equivalent(files[a], files[b], error);
      if (same)
        throw CUsageError(files[b] + ": the same file is named twice");
    }
}

int CMergeCommand::Run(COutput & ioErrors, int inProgressDescriptor) {
  const std::vector<std::string> & files = mLine.Operands();
  const std::string & target = files.front();
  const std::vector<std::string> sources(files.begin() + 1, files.end());
  RequireDistinctFiles();
  std::uint64_t bytes = CTimeSheet::SizeOf(target);
  for (const std::string & source : sources) {
    CTimeSheet::RequireExisting(source);
    bytes += CTimeSheet::SizeOf(source);
  }

  // Merged entries keep their dates as their files have them.
  SLocale::Default().SetDateFormat(SDateFormat(SDateFormat::eMDY));
  CTimeSheet sheet{SDateFormat(SDateFormat::eMDY)};
  // Every source stays held from reading until it is emptied (or the run ends), so that
  // nothing written to it in between could be lost.
  std::vector<std::unique_ptr<STaskFileStream>> merged;
  try {
    CProgress progress(inProgressDescriptor, CProgress::IsTerminal(inProgressDescriptor), bytes,
                       CProgress::DefaultDelay());
    progress.Watch(sheet.Tasks());
    progress.SetFile(target);
    sheet.OpenOrCreate(target);
    for (const std::string & source : sources) {
      progress.SetFile(source);
      // A source that is only read needs no more than read access.
      merged.push_back(sheet.Append(source, !mLine.ClearSources()));
    }
    progress.Finish();
    sheet.SaveInPlace();
  } catch (...) {
    // A target made for this run goes again, empty as it is; never one that another run
    // made or holds.
    sheet.RemoveIfCreated();
    throw;
  }

  int status = 0;
  if (mLine.ClearSources()) {
    for (const auto & stream : merged) {
      try {
        CTimeSheet::Empty(*stream);
        if (const std::size_t kept = stream->UnreadBytes().size(); kept > 0) {
          ioErrors.Write("tally: " + stream->Settings().Spec() + ": kept the last " + std::to_string(kept) +
                         (kept == 1 ? " byte" : " bytes") + ", which did not form an entry\n");
          ioErrors.Flush();
        }
      } catch (const CToolError & e) {
        ioErrors.Write(std::string("tally: ") + e.what() + " (its entries are in " + target + " now)\n");
        ioErrors.Flush();
        status = 1;
      }
    }
  }
  return status;
}
