// How many threads the long operations (loading, filtering) may use, and a way to run work
// on that many threads at once.
#pragma once

#include <cstddef>
#include <functional>

/// The process-wide thread count for loading and filtering. One thread means everything
/// runs on the calling thread, exactly as the serial code paths do. Jobs smaller than
/// sSmallJob bytes always run on one thread: starting threads would cost more than it saves.
class STaskThreads {
public:
  /// Below this many bytes of input a job stays on the calling thread.
  static constexpr std::size_t sSmallJob = std::size_t(1) << 20;
  /// The most threads a job is split into.
  static constexpr unsigned sMaxThreads = 64;

  /// The thread count in force: the last one set, else TALLY_THREADS from the
  /// environment, else the machine's cores. Always 1 to sMaxThreads.
  static unsigned Count();
  /// Sets the thread count; 0 restores the default (the machine's cores).
  static void SetCount(unsigned inCount);
  /// The threads a job of inBytes bytes of input runs on: 1 for a small job, else Count().
  static unsigned ForBytes(std::size_t inBytes);

  /// Calls inWork(0) ... inWork(inThreads - 1) at once, inWork(0) on the calling thread
  /// and each other on a thread of its own, and returns when all have returned. If any
  /// throws, the first exception (by thread number) is rethrown after all have ended.
  static void Run(unsigned inThreads, const std::function<void(unsigned)> & inWork);
};
