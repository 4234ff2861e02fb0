// The tsv format.
#include "CTsvWriter.h"

#include "COutput.h"
#include "dates/SDateFormat.h"
#include "tasks/STask.h"

CTsvWriter::CTsvWriter(COutput & inOutput) : mOutput(inOutput) {}

CTsvWriter::~CTsvWriter() = default;

void CTsvWriter::AppendEscaped(std::string & ioOut, std::string_view inText) {
  for (const char c : inText) {
    switch (c) {
    case '\t': ioOut.append("\\t"); break;
    case '\r': ioOut.append("\\r"); break;
    case '\n': ioOut.append("\\n"); break;
    case '\\': ioOut.append("\\\\"); break;
    default: ioOut.push_back(c); break;
    }
  }
}

void CTsvWriter::Begin(const Shape &) {}

void CTsvWriter::BeginGroup(const Group & inGroup) {
  mRow = std::to_string(inGroup.mLevel);
  mRow.push_back('\t');
  AppendEscaped(mRow, inGroup.mHeading);
  mRow.push_back('\t');
  mRow.append(std::to_string(inGroup.mSeconds));
  mRow.push_back('\t');
  mRow.append(std::to_string(inGroup.mCount));
  mRow.push_back('\n');
  mOutput.Write(mRow);
}

void CTsvWriter::EndGroup(const Group &) {}

void CTsvWriter::Entry(const STask & inTask, std::int16_t) {
  const SDateFormat fileOrder(SDateFormat::eMDY);
  if (inTask.GetDateFormat() == fileOrder) {
    mOutput.Write(inTask);
  } else {
    // Written as a time sheet file holds it, as saving does; the entry stays as it is.
    if (!mScratch)
      mScratch = std::make_unique<STask>(inTask);
    else
      *mScratch = inTask;
    mScratch->SetDateFormat(fileOrder);
    mOutput.Write(*mScratch);
  }
  mOutput.Put('\n');
}

void CTsvWriter::End(std::uint64_t, std::uint64_t) {}
