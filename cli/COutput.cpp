// The tool's output stream.
#include "COutput.h"

#include "CClosedPipe.h"
#include "CToolError.h"
#include "files/SSystemCalls.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace {

// Large enough that a big listing takes few system calls, small enough that the first rows
// reach a pipe early.
constexpr std::size_t kBlock = std::size_t(1) << 16;

} // namespace

COutput::COutput(int inDescriptor, std::string inName) : mDescriptor(inDescriptor), mName(std::move(inName)) {
  mBuffer.reserve(kBlock + 4096);
}

COutput::~COutput() = default;

void COutput::Write(std::string_view inText) {
  mBuffer.append(inText);
  if (mBuffer.size() >= kBlock || (mLineFlush && inText.find('\n') != std::string_view::npos))
    Flush();
}

void COutput::Put(char inCharacter) {
  mBuffer.push_back(inCharacter);
  if (mBuffer.size() >= kBlock || (mLineFlush && inCharacter == '\n'))
    Flush();
}

void COutput::Spaces(std::size_t inCount) {
  mBuffer.append(inCount, ' ');
  if (mBuffer.size() >= kBlock)
    Flush();
}

void COutput::Number(unsigned long long inNumber) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, inNumber);
  Write(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void COutput::Flush() {
  if (mBuffer.empty())
    return;
  // Whatever happens, the buffer is spent: a failure ends the run.
  std::string pending;
  pending.swap(mBuffer);
  mBuffer.reserve(kBlock + 4096);
  WriteOut(pending.data(), pending.size());
}

void COutput::WriteOut(const char * inData, std::size_t inLength) {
  while (inLength > 0) {
    const ssize_t written = SSystemCalls::Write(mDescriptor, inData, inLength);
    if (written < 0) {
      if (errno == EINTR)
        continue;
      if (errno == EPIPE)
        throw CClosedPipe();
      throw CToolError(mName, std::strerror(errno));
    }
    if (written == 0)
      throw CToolError(mName, "The output could not be written");
    inData += written;
    inLength -= static_cast<std::size_t>(written);
  }
}
