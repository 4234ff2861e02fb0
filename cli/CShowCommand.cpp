// tally show.
#include "CShowCommand.h"

#include "CCsvWriter.h"
#include "CFilterExpression.h"
#include "CJsonWriter.h"
#include "CListRowSource.h"
#include "COutput.h"
#include "CProgress.h"
#include "CTextWriter.h"
#include "CTimeSheet.h"
#include "CTreeRowSource.h"
#include "CTsvWriter.h"
#include "trees/TTree.h"
#include "trees/TVectorPopulator.h"
#include "tasks/STaskComparator.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskGroup.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"
#include "tasks/STaskParallelFilter.h"

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

std::unique_ptr<CRowSink> MakeWriter(CCommandLine::EFormat inFormat, COutput & ioOut) {
  switch (inFormat) {
  case CCommandLine::eTsv: return std::make_unique<CTsvWriter>(ioOut);
  case CCommandLine::eCsv: return std::make_unique<CCsvWriter>(ioOut);
  case CCommandLine::eJson: return std::make_unique<CJsonWriter>(ioOut);
  default: return std::make_unique<CTextWriter>(ioOut);
  }
}

} // namespace

CShowCommand::CShowCommand(const CCommandLine & inLine) : mLine(inLine) {}

STaskComparator CShowCommand::MakeComparator(const CCommandLine::Keys & inKeys, const STaskVector & inTasks) {
  STaskComparator::EField fields[7] = {STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                                       STaskComparator::eNop, STaskComparator::eNop, STaskComparator::eNop,
                                       STaskComparator::eNop};
  for (std::size_t level = 0; level < inKeys.size() && level < 7; ++level)
    fields[level] = inKeys[level];
  STaskComparator comparator(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6],
                             static_cast<std::int16_t>(inKeys.size()));
  comparator.SetVector(&inTasks);
  return comparator;
}

int CShowCommand::Run(COutput & ioOut, COutput & ioErrors, int inProgressDescriptor, bool inEndProcess) {
  std::optional<CFilterExpression> expression;
  if (mLine.FilterExpression()) {
    expression.emplace(*mLine.FilterExpression());
    expression->Check();
  }
  const std::vector<std::string> & files = mLine.Operands();
  std::uint64_t bytes = 0;
  for (const std::string & file : files) {
    if (CTimeSheet::IsInput(file))
      continue;
    CTimeSheet::RequireExisting(file);
    bytes += CTimeSheet::SizeOf(file);
  }

  // The first file is the document, the others are merged into it; nothing is changed on
  // disk, so the document lets go of its file at once.
  CTimeSheet sheet{SDateFormat()};
  {
    CProgress progress(inProgressDescriptor, CProgress::IsTerminal(inProgressDescriptor), bytes,
                       CProgress::DefaultDelay());
    progress.Watch(sheet.Tasks());
    progress.SetFile(files.front());
    sheet.Open(files.front(), true);
    for (std::size_t at = 1; at < files.size(); ++at) {
      progress.SetFile(files[at]);
      if (CTimeSheet::IsInput(files[at]))
        sheet.AppendInput(files[at]);
      else
        sheet.Append(files[at], true);
    }
  }

  // As the window's filter command: the matching entries are copied into a new vector.
  STaskVector filtered;
  STaskVector * shown = &sheet.Tasks();
  if (expression) {
    STaskParallelFilter copy(STaskDocumentData(sheet).GetVectorMap(), filtered, expression->Text());
    copy();
    expression->Report(copy, ioErrors);
    shown = &filtered;
  }

  const bool grouped = !mLine.GroupKeys().empty();
  const CCommandLine::EFormat format = mLine.Format();
  // A time sheet or a table cannot mix group rows with entries: they get the groups only.
  const bool summary = grouped && (mLine.Summary() || format == CCommandLine::eTsv || format == CCommandLine::eCsv);

  std::unique_ptr<CRowSink> writer = MakeWriter(format, ioOut);
  if (format == CCommandLine::eText && !summary)
    static_cast<CTextWriter &>(*writer).MeasureColumns(*shown);

  if (grouped) {
    CTreeRowSource::Tree tree(*shown);
    TVectorPopulator<STask, STaskGroup, STaskComparator> populator(&tree, *shown,
                                                                   MakeComparator(mLine.GroupKeys(), *shown));
    populator();
    if (!mLine.SortKeys().empty() && !summary) {
      // Within each deepest group the entries follow the sort keys instead of file order.
      const STaskComparator order = MakeComparator(mLine.SortKeys(), *shown);
      std::vector<std::uint32_t> indices;
      for (auto & branch : tree.Branches()) {
        indices.clear();
        for (const auto & element : branch)
          if (element.Type() == TTreeElement<STask, STaskGroup>::eLeaf)
            indices.push_back(element.LeafIndex());
        if (indices.size() != branch.size() || indices.size() < 2)
          continue;
        order.Sort(indices.data(), indices.data() + indices.size());
        for (std::size_t at = 0; at < indices.size(); ++at)
          branch[at].SetLeafIndex(indices[at]);
      }
    }
    CTreeRowSource source(tree, *shown, static_cast<std::int16_t>(mLine.GroupKeys().size()), summary);
    source.Emit(*writer);
  } else {
    STaskVectorMap order(*shown);
    if (!mLine.SortKeys().empty())
      MakeComparator(mLine.SortKeys(), *shown).Sort(order.data(), order.data() + order.size());
    CListRowSource source(*shown, order);
    source.Emit(*writer);
  }
  ioOut.Flush();
  // Everything is written and no file is held: freeing a million entries one by one
  // would only make the caller wait.
  if (inEndProcess)
    std::_Exit(0);
  return 0;
}
