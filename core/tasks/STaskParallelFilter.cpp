// Filtering an index map's tasks on several threads, joined in map order.
#include "tasks/STaskParallelFilter.h"

#include "syntax/SMathSyntax.h"
#include "tasks/STaskSyntaxFilter.h"
#include "tasks/STaskThreads.h"

#include <algorithm>
#include <vector>

STaskParallelFilter::STaskParallelFilter(const TVectorMap<STask> & inSource, TBroadcasterVector<STask> & inTarget,
                                         const std::string & inExpression)
    : mSource(inSource), mTarget(inTarget), mExpression(inExpression) {}

void STaskParallelFilter::operator()() {
  Run(mSource.size() < sSmallJob ? 1 : STaskThreads::Count());
}

void STaskParallelFilter::Run(unsigned inThreads) {
  const std::size_t count = mSource.size();
  const unsigned threads =
      static_cast<unsigned>(std::clamp<std::size_t>(count, 1, std::clamp(inThreads, 1U, STaskThreads::sMaxThreads)));
  // Each thread tests a run of neighbouring entries and keeps copies of those that pass;
  // all reading is done before the target (which may be the source's vector) grows.
  std::vector<std::vector<STask>> accepted(threads);
  STaskThreads::Run(threads, [&](unsigned inThread) {
    SMathSyntax syntax;
    STaskSyntaxFilter filter(syntax, mExpression);
    const std::size_t first = count * inThread / threads;
    const std::size_t last = count * (inThread + 1) / threads;
    for (std::size_t position = first; position < last; ++position) {
      const STask & task = mSource.get(static_cast<unsigned int>(position));
      if (filter(task))
        accepted[inThread].push_back(task);
    }
  });
  for (std::vector<STask> & tasks : accepted) {
    for (STask & task : tasks)
      mTarget.push_back(std::move(task));
    tasks = std::vector<STask>();
  }
}
