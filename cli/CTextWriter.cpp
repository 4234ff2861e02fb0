// The text format.
#include "CTextWriter.h"

#include "COutput.h"
#include "dates/SLocale.h"
#include "dates/STime.h"
#include "dates/STimeString.h"
#include "tasks/STask.h"
#include "tasks/STaskVector.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t kIndent = 2;
const char kGap[] = "  ";

} // namespace

CTextWriter::CTextWriter(COutput & inOutput) : mOutput(inOutput) {}

std::size_t CTextWriter::DisplayWidth(std::string_view inText) {
  std::size_t width = 0;
  for (const char c : inText)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
      ++width;
  return width;
}

std::string CTextWriter::Duration(std::uint64_t inSeconds) {
  const std::uint64_t hours = inSeconds / 3600;
  unsigned short digits = 1;
  for (std::uint64_t rest = hours; rest >= 10; rest /= 10)
    ++digits;
  if (inSeconds <= std::numeric_limits<std::uint32_t>::max())
    return STimeString(STime(static_cast<unsigned long>(inSeconds)), std::max<unsigned short>(digits, 2), 2);
  // Beyond what a duration holds: the same text, computed here.
  const char colon = SLocale::Default().GetTimeSeparator();
  const unsigned minutes = static_cast<unsigned>(inSeconds / 60 % 60);
  const unsigned seconds = static_cast<unsigned>(inSeconds % 60);
  std::string text = std::to_string(hours);
  text += colon;
  text += static_cast<char>('0' + minutes / 10);
  text += static_cast<char>('0' + minutes % 10);
  text += colon;
  text += static_cast<char>('0' + seconds / 10);
  text += static_cast<char>('0' + seconds % 10);
  return text;
}

void CTextWriter::MeasureColumns(const STaskVector & inTasks) {
  for (const STask & task : inTasks)
    for (int field = STask::eDate; field < STask::eDescription; ++field) {
      const std::size_t width = DisplayWidth(task.Subfield(static_cast<STask::EField>(field)));
      mWidth[field] = std::max(mWidth[field], std::min(width, kMaxColumnWidth));
    }
}

void CTextWriter::Begin(const Shape &) {}

void CTextWriter::BeginGroup(const Group & inGroup) {
  mRow.assign(static_cast<std::size_t>(inGroup.mLevel) * kIndent, ' ');
  mRow.append(inGroup.mHeading);
  mRow.append(":  ");
  mRow.append(Duration(inGroup.mSeconds));
  mRow.push_back('\n');
  mOutput.Write(mRow);
}

void CTextWriter::EndGroup(const Group &) {}

void CTextWriter::Entry(const STask & inTask, std::int16_t inLevel) {
  mRow.assign(static_cast<std::size_t>(inLevel) * kIndent, ' ');
  // Where the last text written ends: padding after it is dropped at the row's end.
  std::size_t textEnd = mRow.size();
  for (int field = STask::eDate; field <= STask::eDescription; ++field) {
    const std::string_view text = inTask.Subfield(static_cast<STask::EField>(field));
    mRow.append(text);
    if (!text.empty())
      textEnd = mRow.size();
    if (field == STask::eDescription)
      break;
    const std::size_t width = DisplayWidth(text);
    if (width < mWidth[field])
      mRow.append(mWidth[field] - width, ' ');
    mRow.append(kGap);
  }
  mRow.resize(textEnd);
  mRow.push_back('\n');
  mOutput.Write(mRow);
}

void CTextWriter::End(std::uint64_t inTotalSeconds, std::uint64_t inCount) {
  mRow = "Duration: " + Duration(inTotalSeconds) + "  Entry Count: " + std::to_string(inCount) + "\n";
  mOutput.Write(mRow);
}
