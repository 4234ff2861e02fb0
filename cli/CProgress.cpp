// The progress line of a long load.
#include "CProgress.h"

#include "files/SSystemCalls.h"
#include "tasks/STaskVector.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// The clock is read once per this many entries, which keeps the cost per entry tiny.
constexpr std::uint32_t kCheckEvery = 4096;
// The line is redrawn at most this often.
constexpr std::chrono::milliseconds kRedraw(100);
// Carriage return, then erase to the end of the line.
const char kErase[] = "\r\033[K";

} // namespace

CProgress::CProgress(int inDescriptor, bool inEnabled, std::uint64_t inTotalBytes, std::chrono::milliseconds inDelay)
    : mDescriptor(inDescriptor), mEnabled(inEnabled), mTotal(inTotalBytes), mStart(std::chrono::steady_clock::now()),
      mLastDraw(mStart), mDelay(inDelay) {
  if (!mEnabled)
    StopListening();
}

CProgress::~CProgress() { Finish(); }

void CProgress::Watch(STaskVector & inVector) {
  // Without a line to draw there is nothing to count: stay out of the vector's way.
  if (!mEnabled)
    return;
  mVector = &inVector;
  inVector.AddListener(this);
}

void CProgress::SetFile(const std::string & inFile) { mFile = inFile; }

void CProgress::ListenToMessage(TVectorMessage<STask> inMessage) {
  if (inMessage.code() != TVectorMessage<STask>::eInsert || mVector == nullptr)
    return;
  for (std::uint32_t index = inMessage.begin_index(); index < inMessage.end_index(); ++index) {
    // The line's text and a line break: what the file held, within a byte or two.
    mRead += (*mVector)[index].size() + 1;
  }
  mSinceCheck += inMessage.end_index() - inMessage.begin_index();
  if (mSinceCheck < kCheckEvery)
    return;
  mSinceCheck = 0;
  const auto now = std::chrono::steady_clock::now();
  if (now - mStart < mDelay || (mShown && now - mLastDraw < kRedraw))
    return;
  mLastDraw = now;
  Draw();
}

void CProgress::Draw() {
  const std::uint64_t read = mRead < mTotal ? mRead : mTotal;
  const unsigned percent = mTotal == 0 ? 100 : static_cast<unsigned>(read * 100 / mTotal);
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, ": %llu of %llu bytes (%u%%)", static_cast<unsigned long long>(read),
                static_cast<unsigned long long>(mTotal), percent);
  // The line must fit the terminal, or erasing it would leave its first part behind.
  std::string file = mFile;
  winsize size{};
  if (::ioctl(mDescriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    const std::size_t fixed = std::strlen("tally: reading ") + std::strlen(numbers) + 1;
    const std::size_t room = size.ws_col > fixed + 3 ? size.ws_col - fixed : 3;
    if (file.size() > room)
      file = "..." + file.substr(file.size() - (room - 3));
  }
  Emit(std::string(kErase) + "tally: reading " + file + numbers);
  mShown = true;
}

void CProgress::Finish() {
  if (mShown)
    Emit(kErase);
  mShown = false;
  mEnabled = false;
  StopListening();
}

void CProgress::Emit(const std::string & inText) {
  // The line is a courtesy: a failure to draw it is not worth stopping for.
  const char * data = inText.data();
  std::size_t left = inText.size();
  while (left > 0) {
    const ssize_t written = SSystemCalls::Write(mDescriptor, data, left);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

bool CProgress::IsTerminal(int inDescriptor) { return ::isatty(inDescriptor) == 1; }

std::chrono::milliseconds CProgress::DefaultDelay() {
  // Tests shorten the delay so that small files show the line too.
  if (const char * text = std::getenv("TALLY_PROGRESS_DELAY_MS"); text != nullptr && *text != '\0')
    return std::chrono::milliseconds(std::strtol(text, nullptr, 10));
  return std::chrono::milliseconds(500);
}
