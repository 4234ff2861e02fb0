// The task record: splitting a line into fields, reading and rewriting its date.
#include "tasks/STask.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr int kTabsNeeded = STask::eFieldCount - 1;

// Replaces, in `ioText` from `inFrom` on, every tab (when `inTabs`) and every line break
// by a space, so the text cannot split a field or a line once written and read back.
void Flatten(std::string & ioText, std::size_t inFrom, bool inTabs) {
  for (std::size_t i = inFrom; i < ioText.size(); ++i) {
    char & c = ioText[i];
    if (c == '\r' || c == '\n' || (inTabs && c == '\t'))
      c = ' ';
  }
}

std::int16_t Sign(long long inDifference) {
  return static_cast<std::int16_t>(inDifference < 0 ? -1 : (inDifference > 0 ? 1 : 0));
}

} // namespace

STask::STask(SDateFormat inFormat)
    : mStart{}, mLength{}, mDate(), mDuration(), mDateFormat(inFormat) {}

STask::STask(SDateFormat inFormat, const char * inText, unsigned int inLength)
    : mStart{}, mLength{}, mDate(), mDuration(), mDateFormat(inFormat) {
  // Room for missing tabs and a longer date, so Parse does not allocate again.
  reserve(static_cast<std::size_t>(inLength) + kTabsNeeded + SDateString::kMaxDateChars);
  assign(inText, inLength);
  Parse();
}

void STask::Parse() {
  std::fill(std::begin(mStart), std::end(mStart), 0U);
  std::fill(std::begin(mLength), std::end(mLength), 0U);

  // The positions of the first five tabs; missing ones are appended at the end.
  std::size_t tabs[kTabsNeeded];
  int found = 0;
  {
    const char * text = data();
    const std::size_t length = size();
    std::size_t position = 0;
    while (found < kTabsNeeded && position < length) {
      const void * tab = std::memchr(text + position, '\t', length - position);
      if (tab == nullptr)
        break;
      tabs[found] = static_cast<std::size_t>(static_cast<const char *>(tab) - text);
      position = tabs[found++] + 1;
    }
  }
  if (found < kTabsNeeded) {
    std::size_t end = size();
    append(static_cast<std::size_t>(kTabsNeeded - found), '\t');
    for (int i = found; i < kTabsNeeded; ++i)
      tabs[i] = end++;
  }

  std::size_t position = 0;
  for (int i = 0; i < kTabsNeeded; ++i) {
    mStart[i] = static_cast<std::uint32_t>(position);
    mLength[i] = static_cast<std::uint32_t>(tabs[i] - position);
    position = tabs[i] + 1;
  }
  mStart[eDescription] = static_cast<std::uint32_t>(position);
  mLength[eDescription] = static_cast<std::uint32_t>(size() - position);

  const char * text = data();
  mDate = SDateString::ParseDate(text + mStart[eDate], mLength[eDate], mDateFormat);
  mDuration = STimeString::ParseTime(text + mStart[eDuration], mLength[eDuration]);

  // Write a short date in full.
  if (sForceFourDigitYear && mLength[eDate] != SDateString::kMaxDateChars)
    RewriteDate();
}

bool STask::RewriteDate() {
  // A date that cannot be held (0) or a text that is not just a date keeps what the user
  // wrote: writing the parsed day in its place would replace it by another.
  if (mDate == SDate() || !SDateString::IsPlainDateText(data() + mStart[eDate], mLength[eDate]))
    return false;
  char text[SDateString::kMaxDateChars];
  const std::size_t count = SDateString::FormatDate(mDate, mDateFormat, true, text);
  if (count == 0)
    return false; // an order that cannot be written
  ReplaceDateText(text, count);
  return true;
}

void STask::ReplaceDateText(const char * inText, std::size_t inLength) {
  const std::uint32_t oldLength = mLength[eDate];
  replace(mStart[eDate], oldLength, inText, inLength);
  const std::uint32_t newLength = static_cast<std::uint32_t>(inLength);
  mLength[eDate] = newLength;
  // Unsigned arithmetic wraps, so a shorter date moves the starts back correctly.
  for (int i = eDuration; i < eFieldCount; ++i)
    mStart[i] = mStart[i] - oldLength + newLength;
}

void STask::GetSubfield(EField inField, std::string & outText) const {
  outText.assign(data() + mStart[inField], mLength[inField]);
}

void STask::SetDateFormat(SDateFormat inFormat) {
  mDateFormat = inFormat;
  RewriteDate();
}

STask::operator TaskFields() const {
  TaskFields fields;
  fields.date.SetFormat(mDateFormat);
  fields.date.assign(Subfield(eDate));
  fields.duration.assign(Subfield(eDuration));
  fields.whoCode.assign(Subfield(eWhoCode));
  fields.jobNumber.assign(Subfield(eJobNumber));
  fields.timeCode.assign(Subfield(eTimeCode));
  fields.description.assign(Subfield(eDescription));
  fields.dateVal = mDate;
  fields.durationVal = mDuration;
  return fields;
}

STask & STask::operator=(TaskFields & ioFields) {
  clear();

  if (ioFields.date.GetFormat() != mDateFormat) {
    const SDate date = ioFields.date;
    mDate = date;
    ioFields.date.SetFormat(mDateFormat);
    // A date that cannot be held, a text that is not just a date, or an order that cannot
    // be written keeps its text.
    if (date != SDate() && mDateFormat.IsValid() &&
        SDateString::IsPlainDateText(ioFields.date.data(), ioFields.date.size()))
      ioFields.date = date;
  }

  const std::string * values[eFieldCount] = {
      &ioFields.date,      &ioFields.duration, &ioFields.whoCode,
      &ioFields.jobNumber, &ioFields.timeCode, &ioFields.description};
  std::size_t total = kTabsNeeded;
  for (const std::string * value : values)
    total += value->size();
  reserve(total);

  for (int i = 0; i < eFieldCount; ++i) {
    const std::size_t start = size();
    mStart[i] = static_cast<std::uint32_t>(start);
    mLength[i] = static_cast<std::uint32_t>(values[i]->size());
    append(*values[i]);
    Flatten(*this, start, i != eDescription);
    if (i < kTabsNeeded)
      push_back('\t');
  }

  const char * text = data();
  mDate = SDateString::ParseDate(text + mStart[eDate], mLength[eDate], mDateFormat);
  mDuration = STimeString::ParseTime(text + mStart[eDuration], mLength[eDuration]);
  return *this;
}

std::int16_t STask::CompareDates(const STask & a, const STask & b) {
  if (a.mDate == b.mDate)
    return 0;
  return a.mDate < b.mDate ? -1 : 1;
}

std::int16_t STask::CompareDurations(const STask & a, const STask & b) {
  if (a.mDuration == b.mDuration)
    return 0;
  return a.mDuration < b.mDuration ? -1 : 1;
}

std::int16_t STask::CompareWhoCodes(const STask & a, const STask & b) {
  return CompareSubfields(eWhoCode, a, b);
}

std::int16_t STask::CompareJobNumbers(const STask & a, const STask & b) {
  return CompareSubfields(eJobNumber, a, b);
}

std::int16_t STask::CompareTimeCodes(const STask & a, const STask & b) {
  return CompareSubfields(eTimeCode, a, b);
}

std::int16_t STask::CompareDescriptions(const STask & a, const STask & b) {
  return CompareSubfields(eDescription, a, b);
}

std::int16_t STask::CompareSubfields(EField inField, const STask & a, const STask & b) {
  const unsigned char * left = reinterpret_cast<const unsigned char *>(a.data()) + a.mStart[inField];
  const unsigned char * right = reinterpret_cast<const unsigned char *>(b.data()) + b.mStart[inField];
  const std::uint32_t leftLength = a.mLength[inField];
  const std::uint32_t rightLength = b.mLength[inField];
  const std::uint32_t common = std::min(leftLength, rightLength);
  if (sCaseInsensitiveCompare) {
    // Fold case in place, byte by byte, exactly as upper-casing copies would.
    for (std::uint32_t i = 0; i < common; ++i) {
      if (left[i] == right[i])
        continue;
      const unsigned char l = static_cast<unsigned char>(std::toupper(left[i]));
      const unsigned char r = static_cast<unsigned char>(std::toupper(right[i]));
      if (l != r)
        return l < r ? -1 : 1;
    }
  } else if (common != 0) {
    if (int order = std::memcmp(left, right, common))
      return Sign(order);
  }
  return Sign(static_cast<long long>(leftLength) - static_cast<long long>(rightLength));
}

void STask::Capitalize(std::string & ioText) {
  for (char & c : ioText)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
