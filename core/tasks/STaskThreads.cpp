// The thread count setting and running work on several threads.
#include "tasks/STaskThreads.h"

#include <atomic>
#include <cstdlib>
#include <exception>
#include <thread>
#include <vector>

namespace {

// 0 while no count has been set.
std::atomic<unsigned> sSetCount{0};

unsigned Clamp(unsigned long inCount) {
  if (inCount < 1)
    return 1;
  return inCount > STaskThreads::sMaxThreads ? STaskThreads::sMaxThreads : static_cast<unsigned>(inCount);
}

unsigned DefaultCount() {
  static const unsigned sDefault = [] {
    if (const char * text = std::getenv("TALLY_THREADS")) {
      char * end = nullptr;
      const unsigned long value = std::strtoul(text, &end, 10);
      if (end != text && *end == '\0' && value > 0)
        return Clamp(value);
    }
    return Clamp(std::thread::hardware_concurrency());
  }();
  return sDefault;
}

} // namespace

unsigned STaskThreads::Count() {
  const unsigned set = sSetCount.load(std::memory_order_relaxed);
  return set != 0 ? set : DefaultCount();
}

void STaskThreads::SetCount(unsigned inCount) {
  sSetCount.store(inCount == 0 ? 0 : Clamp(inCount), std::memory_order_relaxed);
}

unsigned STaskThreads::ForBytes(std::size_t inBytes) { return inBytes < sSmallJob ? 1 : Count(); }

void STaskThreads::Run(unsigned inThreads, const std::function<void(unsigned)> & inWork) {
  inThreads = Clamp(inThreads);
  std::vector<std::exception_ptr> errors(inThreads);
  auto guarded = [&](unsigned inIndex) {
    try {
      inWork(inIndex);
    } catch (...) {
      errors[inIndex] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> others;
    others.reserve(inThreads - 1);
    try {
      for (unsigned index = 1; index < inThreads; ++index)
        others.emplace_back(guarded, index);
    } catch (...) {
      // No thread to be had: what could not start runs here, after the rest.
      for (unsigned index = static_cast<unsigned>(others.size()) + 1; index < inThreads; ++index)
        guarded(index);
    }
    guarded(0);
  } // the threads are joined here
  for (const std::exception_ptr & error : errors)
    if (error)
      std::rethrow_exception(error);
}
