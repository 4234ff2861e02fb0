// The tool's output stream: bytes gathered in a buffer and written to a file descriptor as
// they are produced, a block at a time (a line at a time to a terminal).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class COutput {
public:
  /// Output to inDescriptor (not owned), named inName in failure messages.
  COutput(int inDescriptor, std::string inName);
  COutput(const COutput &) = delete;
  COutput & operator=(const COutput &) = delete;
  /// Drops what was not flushed: a failed or abandoned run leaves no half row behind later.
  ~COutput();

  /// Appends inText; writes the buffer out when it is full, or at a line's end when
  /// line flushing is on. Throws CClosedPipe when the reader is gone, CToolError when the
  /// write fails otherwise.
  void Write(std::string_view inText);
  /// Appends one character, as Write.
  void Put(char inCharacter);
  /// Appends inCount spaces.
  void Spaces(std::size_t inCount);
  /// Appends a number in decimal.
  void Number(unsigned long long inNumber);
  /// Writes everything buffered; failures as for Write.
  void Flush();

  /// With true, every completed line is written at once (for a terminal).
  void SetLineFlush(bool inLineFlush) { mLineFlush = inLineFlush; }

private:
  void WriteOut(const char * inData, std::size_t inLength);

  int mDescriptor;
  std::string mName;
  std::string mBuffer;
  bool mLineFlush = false;
};
