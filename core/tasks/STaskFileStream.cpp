// A task stream on a time sheet file: whole-file reads, safe whole-file writes.
#include "tasks/STaskFileStream.h"

#include "dates/SDateParseCache.h"
#include "files/SFileException.h"
#include "tasks/STask.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskFileInfo.h"
#include "tasks/STaskVector.h"
#include "tasks/STaskVectorMap.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

const char kSetLengthNotOpen[] = "The length of a file could not be set because the file was not open";
const char kWriteFailed[] = "The contents of a file could not be Written";

// Output is gathered into blocks of this size, so a large file takes a few writes.
constexpr std::size_t kWriteBlock = std::size_t(1) << 20;

} // namespace

// The base keeps a reference to this stream's own copy of the settings, so the caller's
// settings need not outlive the stream.
STaskFileStream::STaskFileStream(const STaskFileStreamSettings & inSettings, SDateFormat inDateFormat)
    : STaskStream(mSettings, inDateFormat), mSettings(inSettings), mFile(inSettings.Spec()) {}

STaskFileStream::~STaskFileStream() {
  try {
    Close();
  } catch (...) {
  }
  try {
    Release();
  } catch (...) {
  }
  try {
    Disconnect();
  } catch (...) {
  }
  DiscardTemporary();
}

bool STaskFileStream::PickTarget() { return mFile.PickTarget(); }

void STaskFileStream::Connect() { mConnected = true; }

void STaskFileStream::Reserve() {
  mCreated = false;
  if (!mFile.ExistsOnDisk()) {
    mFile.Create(STaskFileInfo());
    mCreated = true;
  }
  mFile.Open(mReadOnly ? SFile::eRead : SFile::eReadWrite);
}

void STaskFileStream::RemoveIfCreated() noexcept {
  if (mCreated)
    mFile.RemoveIfHeld();
  mCreated = false;
}

void STaskFileStream::OpenInput() {}

unsigned long STaskFileStream::GetInputLength() { return mFile.Length(); }

namespace {

// The end of the last complete line in [inBegin, inEnd): just after its line break. A
// carriage return at the very end does not count, as a line feed may follow it.
const char * CompleteLinesEnd(const char * inBegin, const char * inEnd) {
  for (const char * at = inEnd; at != inBegin; --at) {
    if (at[-1] == '\n' || (at[-1] == '\r' && at != inEnd))
      return at;
  }
  return inBegin;
}

} // namespace

void STaskFileStream::ReadData(STaskVector & outVector) {
  mUnread.clear();
  const unsigned long length = mFile.Length();
  if (length == 0) {
    ParseLines(nullptr, nullptr, outVector);
    return;
  }
  if (mFile.IsOpen())
    mFile.SetPosition(0);

  const std::size_t before = outVector.size();
  const std::size_t chunk = std::max<std::size_t>(sReadChunk, 1);
  std::unique_ptr<char[]> buffer;
  std::size_t capacity = 0;
  std::size_t carried = 0; // bytes of an unfinished line at the start of the buffer
  unsigned long remaining = length;
  bool parsed = false;     // whether ParseLines has seen the first lines
  try {
    while (true) {
      const std::size_t want = std::min<std::size_t>(remaining, chunk);
      if (carried + want > capacity) {
        capacity = carried + want;
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        std::copy_n(buffer.get(), carried, larger.get());
        buffer = std::move(larger);
      }
      const unsigned long count = want == 0 ? 0 : mFile.Read(buffer.get() + carried, static_cast<unsigned long>(want));
      remaining = count < want ? 0 : remaining - count;
      const char * const begin = buffer.get();
      const char * const end = begin + carried + count;
      const bool last = remaining == 0;
      const char * const cut = last ? end : CompleteLinesEnd(begin, end);
      if (cut != begin || last) {
        if (!parsed) {
          // The first lines decide the line breaks; from them the count of all is guessed,
          // so that the vector grows once.
          ParseLines(begin, cut, outVector);
          parsed = true;
          if (!last) {
            const double perByte = static_cast<double>(outVector.size() - before) / static_cast<double>(cut - begin);
            outVector.reserve(before + static_cast<std::size_t>(perByte * static_cast<double>(length) * 1.02) + 64);
          }
        } else {
          AppendLines(begin, cut, mDateFormat, TargetDateFormat(), outVector);
        }
      }
      if (last) {
        mUnread.assign(end - UnreadTailLength(begin, end), end);
        return;
      }
      carried = static_cast<std::size_t>(end - cut);
      std::copy(cut, end, buffer.get());
    }
  } catch (...) {
    if (outVector.size() > before)
      outVector.erase(before, outVector.size());
    throw;
  }
}

void STaskFileStream::CloseInput() {}

void STaskFileStream::ConfirmInput() {}

void STaskFileStream::OpenOutput() {
  DiscardTemporary();
  if (mReadOnly)
    throw SFileException(kWriteFailed);
  mTarget = SFileSpec(SFile::ResolvedPath(mFile.GetFileSpec()));
  mTemporary = std::make_unique<SFile>(SFile::CreateUnnamed(mTarget));
  mOutput = EOutput::eOpen;
}

SLineBreakString STaskFileStream::LineBreak() const {
  if (mTaskDocument == nullptr)
    return SLineBreakString(SLineBreakFormat(SLineBreakFormat::eDOS));
  return SLineBreakString(STaskDocumentData(*mTaskDocument).GetLineBreakFormat());
}

template <class Visit>
void STaskFileStream::VisitOutput(const STaskVector & inVector, Visit && inVisit) {
  const SLineBreakString lineBreak = LineBreak();
  auto visitTask = [&](const STask & inTask) {
    if (inTask.GetDateFormat() != mDateFormat) {
      // Written in the file's date order; the task in memory stays as it is.
      if (!mScratch)
        mScratch = std::make_unique<STask>(inTask);
      else
        *mScratch = inTask;
      mScratch->SetDateFormat(mDateFormat);
      inVisit(mScratch->data(), mScratch->size());
    } else {
      inVisit(inTask.data(), inTask.size());
    }
    inVisit(lineBreak.data(), lineBreak.size());
  };
  // The document's own vector is written in the order of its map (which is file order).
  if (mTaskDocument != nullptr) {
    STaskDocumentData data(*mTaskDocument);
    if (&data.GetData() == &inVector) {
      const STaskVectorMap & map = data.GetVectorMap();
      for (const std::uint32_t index : map)
        visitTask(inVector.at(index));
      return;
    }
  }
  for (const STask & task : inVector)
    visitTask(task);
  if (mTaskDocument == nullptr && !mUnread.empty())
    inVisit(mUnread.data(), mUnread.size());
}

void STaskFileStream::SetOutputLength(const STaskVector & inVector) {
  if (!mTemporary)
    throw SFileException(kSetLengthNotOpen);
  // The length before dates are rewritten; WriteData corrects it if a rewrite changes it.
  const std::size_t lineBreakLength = LineBreak().size();
  std::size_t total = 0;
  auto add = [&](const STask & inTask) { total += inTask.size() + lineBreakLength; };
  bool counted = false;
  if (mTaskDocument != nullptr) {
    STaskDocumentData data(*mTaskDocument);
    if (&data.GetData() == &inVector) {
      const STaskVectorMap & map = data.GetVectorMap();
      for (const std::uint32_t index : map)
        add(inVector.at(index));
      counted = true;
    }
  }
  if (!counted) {
    for (const STask & task : inVector)
      add(task);
    if (mTaskDocument == nullptr)
      total += mUnread.size();
  }
  mTemporary->SetLength(total);
}

void STaskFileStream::WriteData(const STaskVector & inVector) {
  if (!mTemporary)
    throw SFileException(kWriteFailed);
  SFile & file = *mTemporary;
  file.SetPosition(0);
  std::string block;
  block.reserve(kWriteBlock);
  unsigned long long written = 0;
  auto flush = [&] {
    if (!block.empty()) {
      file.Write(block.data(), block.size());
      written += block.size();
      block.clear();
    }
  };
  SDateParseCache cache;
  VisitOutput(inVector, [&](const char * inText, std::size_t inLength) {
    if (block.size() + inLength > kWriteBlock) {
      flush();
      if (inLength >= kWriteBlock) { // a huge line goes straight out
        file.Write(inText, inLength);
        written += inLength;
        return;
      }
    }
    block.append(inText, inLength);
  });
  flush();
  if (written != file.Length())
    file.SetLength(static_cast<unsigned long>(written));
  mOutput = EOutput::eWritten;
}

void STaskFileStream::CloseOutput() {
  if (mOutput == EOutput::eWritten)
    mOutput = EOutput::eClosed; // ConfirmOutput follows
  else
    DiscardTemporary();         // a write that failed or was never finished
}

void STaskFileStream::ConfirmOutput() {
  if (!mTemporary || (mOutput != EOutput::eWritten && mOutput != EOutput::eClosed)) {
    DiscardTemporary();
    return;
  }
  try {
    // A file deleted behind our back leaves no permissions to copy; the temporary's own
    // (the owner's only) are the safe choice then.
    if (SFile::ExistsOnDisk(mTarget))
      mTemporary->CopyPermissionsFrom(mTarget);
    mTemporary->Sync();
  } catch (...) {
    DiscardTemporary();
    throw;
  }

  const bool held = mFile.IsOpen();
#ifdef _WIN32
  // Windows cannot rename over a file that is open.
  if (held)
    mFile.Close();
#endif
  auto takeOver = [&] {
    // The temporary now is the file: hold it in place of the old one.
    if (held) {
      mFile.Adopt(*mTemporary);
    } else {
      try {
        mTemporary->Close();
      } catch (...) {
      }
    }
    mTemporary.reset();
    mOutput = EOutput::eNone;
  };
  try {
    mTemporary->MoveTo(mTarget);
  } catch (...) {
    if (mTemporary->GetFileSpec() == mTarget) {
      takeOver(); // moved, but the move could not be made durable: report it all the same
      throw;
    }
    DiscardTemporary();
#ifdef _WIN32
    if (held) {
      try {
        mFile.Open(SFile::eReadWrite);
      } catch (...) {
      }
    }
#endif
    throw;
  }
  takeOver();
}

void STaskFileStream::Release() { mFile.Close(); }

void STaskFileStream::Disconnect() { mConnected = false; }

void STaskFileStream::Close() {}

void STaskFileStream::DiscardTemporary() noexcept {
  if (mTemporary) {
    try {
      mTemporary->Close();
    } catch (...) {
    }
    SFile::Remove(mTemporary->GetFileSpec());
    mTemporary.reset();
  }
  mOutput = EOutput::eNone;
}
