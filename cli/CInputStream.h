// A task stream that reads standard input, a pipe or a device to its end: entries come in
// exactly as from a file with the same bytes, and nothing is ever held or written.
#pragma once

#include "tasks/STaskStream.h"

#include <string>

class CInputStream : public STaskStream {
public:
  /// A stream on inPath: "-" is standard input (which it never closes); any other path
  /// is opened for reading when the stream is reserved.
  explicit CInputStream(const std::string & inPath);
  CInputStream(const CInputStream &) = delete;
  CInputStream & operator=(const CInputStream &) = delete;
  /// Closes what Reserve opened.
  ~CInputStream() override;

  /// True for "-", for /dev/stdin and the other names of open descriptors, and for a path
  /// that names a pipe, a socket or a character device: what this stream reads rather
  /// than a file.
  static bool IsInput(const std::string & inPath);

  bool PickTarget() override { return false; }
  void Connect() override;
  /// Opens the path for reading (standard input is open already). Throws SFileException.
  void Reserve() override;
  void OpenInput() override {}
  /// Unknown before reading: 0.
  unsigned long GetInputLength() override { return 0; }
  /// Reads to the end and appends the lines as tasks. Throws SFileException.
  void ReadData(STaskVector & outVector) override;
  void CloseInput() override {}
  void ConfirmInput() override {}
  /// Never: such a stream is only read. Each throws SFileException.
  void OpenOutput() override;
  void SetOutputLength(const STaskVector & inVector) override;
  void WriteData(const STaskVector & inVector) override;
  void CloseOutput() override {}
  void ConfirmOutput() override;
  /// Closes what Reserve opened.
  void Release() override;
  void Disconnect() override;
  void Close() override {}

private:
  STaskStreamSettings mSettings;
  std::string mPath;
  int mDescriptor = -1;
  bool mOwned = false;
};
