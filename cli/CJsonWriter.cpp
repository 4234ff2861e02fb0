// The json format.
#include "CJsonWriter.h"

#include "COutput.h"
#include "tasks/STask.h"

#include <cstdio>

namespace {

constexpr std::size_t kIndent = 2;
const char kHex[] = "0123456789abcdef";

// The length of the well-formed UTF-8 sequence at the start of inText, or 0.
std::size_t SequenceLength(std::string_view inText) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(inText[i]); };
  const auto continuation = [&](std::size_t i) { return i < inText.size() && (byte(i) & 0xC0) == 0x80; };
  const unsigned char lead = byte(0);
  if (lead >= 0xC2 && lead <= 0xDF)
    return continuation(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (!continuation(1) || !continuation(2))
      return 0;
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F))
      return 0; // overlong, or a surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (!continuation(1) || !continuation(2) || !continuation(3))
      return 0;
    if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F))
      return 0; // overlong, or beyond U+10FFFF
    return 4;
  }
  return 0;
}

} // namespace

CJsonWriter::CJsonWriter(COutput & inOutput) : mOutput(inOutput) {}

std::string CJsonWriter::Duration(std::uint64_t inSeconds) {
  char text[40];
  std::snprintf(text, sizeof text, "%02llu:%02u:%02u", static_cast<unsigned long long>(inSeconds / 3600),
                static_cast<unsigned>(inSeconds / 60 % 60), static_cast<unsigned>(inSeconds % 60));
  return text;
}

void CJsonWriter::AppendString(std::string & ioOut, std::string_view inText) {
  ioOut.push_back('"');
  for (std::size_t at = 0; at < inText.size();) {
    const unsigned char c = static_cast<unsigned char>(inText[at]);
    if (c < 0x80) {
      switch (c) {
      case '"': ioOut.append("\\\""); break;
      case '\\': ioOut.append("\\\\"); break;
      case '\b': ioOut.append("\\b"); break;
      case '\f': ioOut.append("\\f"); break;
      case '\n': ioOut.append("\\n"); break;
      case '\r': ioOut.append("\\r"); break;
      case '\t': ioOut.append("\\t"); break;
      default:
        if (c < 0x20 || c == 0x7F) {
          ioOut.append("\\u00");
          ioOut.push_back(kHex[c >> 4]);
          ioOut.push_back(kHex[c & 0xF]);
        } else {
          ioOut.push_back(static_cast<char>(c));
        }
      }
      ++at;
      continue;
    }
    if (const std::size_t length = SequenceLength(inText.substr(at)); length > 0) {
      ioOut.append(inText.substr(at, length));
      at += length;
      continue;
    }
    // A byte that is not part of UTF-8 text: its Latin-1 character.
    ioOut.push_back(static_cast<char>(0xC0 | (c >> 6)));
    ioOut.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    ++at;
  }
  ioOut.push_back('"');
}

void CJsonWriter::StartElement() {
  if (mArrayHasElements.back())
    mOutput.Put(',');
  mArrayHasElements.back() = true;
  mOutput.Put('\n');
  mOutput.Spaces(mArrayHasElements.size() * kIndent);
}

void CJsonWriter::CloseArray() {
  if (mArrayHasElements.back()) {
    mOutput.Put('\n');
    mOutput.Spaces((mArrayHasElements.size() - 1) * kIndent);
  }
  mOutput.Put(']');
  mArrayHasElements.pop_back();
}

void CJsonWriter::Begin(const Shape & inShape) {
  mShape = inShape;
  mOutput.Put('[');
  mArrayHasElements.assign(1, false);
}

void CJsonWriter::BeginGroup(const Group & inGroup) {
  StartElement();
  mRow = "{\"heading\": ";
  AppendString(mRow, inGroup.mHeading);
  mRow.append(", \"seconds\": ");
  mRow.append(std::to_string(inGroup.mSeconds));
  mRow.append(", \"duration\": \"");
  mRow.append(Duration(inGroup.mSeconds));
  mRow.append("\", \"count\": ");
  mRow.append(std::to_string(inGroup.mCount));
  if (inGroup.mHasSubgroups) {
    if (!mShape.mSummary)
      mRow.append(", \"entries\": []");
    mRow.append(", \"groups\": [");
  } else if (mShape.mSummary) {
    mRow.append(", \"groups\": []}");
  } else {
    mRow.append(", \"entries\": [");
  }
  mOutput.Write(mRow);
  if (inGroup.mHasSubgroups || !mShape.mSummary)
    mArrayHasElements.push_back(false);
}

void CJsonWriter::EndGroup(const Group & inGroup) {
  if (inGroup.mHasSubgroups) {
    CloseArray();
    mOutput.Put('}');
  } else if (!mShape.mSummary) {
    CloseArray();
    mOutput.Write(", \"groups\": []}");
  }
}

void CJsonWriter::Entry(const STask & inTask, std::int16_t) {
  StartElement();
  mRow = "{\"date\": ";
  AppendString(mRow, inTask.Subfield(STask::eDate));
  mRow.append(", \"duration\": ");
  AppendString(mRow, inTask.Subfield(STask::eDuration));
  mRow.append(", \"seconds\": ");
  mRow.append(std::to_string(static_cast<unsigned long>(inTask.GetDuration())));
  mRow.append(", \"who\": ");
  AppendString(mRow, inTask.Subfield(STask::eWhoCode));
  mRow.append(", \"job\": ");
  AppendString(mRow, inTask.Subfield(STask::eJobNumber));
  mRow.append(", \"code\": ");
  AppendString(mRow, inTask.Subfield(STask::eTimeCode));
  mRow.append(", \"description\": ");
  AppendString(mRow, inTask.Subfield(STask::eDescription));
  mRow.push_back('}');
  mOutput.Write(mRow);
}

void CJsonWriter::End(std::uint64_t, std::uint64_t) {
  CloseArray();
  mOutput.Put('\n');
}
