// The csv format.
#include "CCsvWriter.h"

#include "COutput.h"
#include "tasks/STask.h"

namespace {

const char kEndOfRow[] = "\r\n";

} // namespace

CCsvWriter::CCsvWriter(COutput & inOutput) : mOutput(inOutput) {}

void CCsvWriter::AppendField(std::string & ioOut, std::string_view inText) {
  if (inText.find_first_of(",\"\r\n") == std::string_view::npos) {
    ioOut.append(inText);
    return;
  }
  ioOut.push_back('"');
  for (const char c : inText) {
    if (c == '"')
      ioOut.push_back('"');
    ioOut.push_back(c);
  }
  ioOut.push_back('"');
}

void CCsvWriter::Begin(const Shape & inShape) {
  mOutput.Write(inShape.mGrouped ? "level,heading,seconds,entries" : "date,duration,seconds,who,job,code,description");
  mOutput.Write(kEndOfRow);
}

void CCsvWriter::BeginGroup(const Group & inGroup) {
  mRow = std::to_string(inGroup.mLevel);
  mRow.push_back(',');
  AppendField(mRow, inGroup.mHeading);
  mRow.push_back(',');
  mRow.append(std::to_string(inGroup.mSeconds));
  mRow.push_back(',');
  mRow.append(std::to_string(inGroup.mCount));
  mRow.append(kEndOfRow);
  mOutput.Write(mRow);
}

void CCsvWriter::EndGroup(const Group &) {}

void CCsvWriter::Entry(const STask & inTask, std::int16_t) {
  mRow.clear();
  AppendField(mRow, inTask.Subfield(STask::eDate));
  mRow.push_back(',');
  AppendField(mRow, inTask.Subfield(STask::eDuration));
  mRow.push_back(',');
  mRow.append(std::to_string(static_cast<unsigned long>(inTask.GetDuration())));
  for (const STask::EField field : {STask::eWhoCode, STask::eJobNumber, STask::eTimeCode, STask::eDescription}) {
    mRow.push_back(',');
    AppendField(mRow, inTask.Subfield(field));
  }
  mRow.append(kEndOfRow);
  mOutput.Write(mRow);
}

void CCsvWriter::End(std::uint64_t, std::uint64_t) {}
