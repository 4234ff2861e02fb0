// The progress line of a long load: while time sheets are read, a line on the error
// stream (a terminal) tells how many bytes of how many have been read, and goes away when
// loading is done. It appears only when loading takes longer than a moment.
#pragma once

#include "vectors/TVectorListener.h"
#include "vectors/TVectorMessage.h"
#include "tasks/STask.h"

#include <chrono>
#include <cstdint>
#include <string>

class STaskVector;

class CProgress : public TVectorListener<STask> {
public:
  /// A progress line on inDescriptor for loading inTotalBytes bytes; it is drawn only once
  /// inDelay has passed since construction. Silent unless inEnabled.
  CProgress(int inDescriptor, bool inEnabled, std::uint64_t inTotalBytes, std::chrono::milliseconds inDelay);
  /// Erases the line if it is shown.
  ~CProgress() override;

  /// Follows the entries appended to inVector (not owned; it must outlive the loading).
  void Watch(STaskVector & inVector);
  /// The file being read now.
  void SetFile(const std::string & inFile);
  /// Counts the bytes of appended entries and redraws the line now and then.
  void ListenToMessage(TVectorMessage<STask> inMessage) override;
  /// Erases the line if it is shown and stops drawing.
  void Finish();

  /// Whether the line has been drawn at least once.
  bool WasShown() const { return mShown; }

  /// True when inDescriptor is a terminal.
  static bool IsTerminal(int inDescriptor);
  /// The delay before the line appears: half a second, or TALLY_PROGRESS_DELAY_MS.
  static std::chrono::milliseconds DefaultDelay();

private:
  void Draw();
  void Emit(const std::string & inText);

  int mDescriptor;
  bool mEnabled;
  bool mShown = false;
  std::uint64_t mTotal;
  std::uint64_t mRead = 0;
  std::uint32_t mSinceCheck = 0;
  std::string mFile;
  const STaskVector * mVector = nullptr;
  std::chrono::steady_clock::time_point mStart;
  std::chrono::steady_clock::time_point mLastDraw;
  std::chrono::milliseconds mDelay;
};
