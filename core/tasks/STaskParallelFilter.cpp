// Filtering an index map's tasks on several threads, joined in map order.
#include "tasks/STaskParallelFilter.h"

#include "syntax/SMathSyntax.h"
#include "tasks/STaskSyntaxFilter.h"
#include "tasks/STaskThreads.h"

#include <algorithm>
#include <atomic>
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
  // The entries are shared out in runs of neighbours, each thread taking the next run when
  // it is done with one: a thread that the machine runs slower then simply does fewer.
  struct Part {
    std::vector<STask> accepted;
    std::size_t evaluations = 0;
    std::size_t failures = 0;
    std::string firstFailure; // kept when it is its thread's first failure
  };
  // Some sixty runs a thread on a large map: enough to even out, few enough to cost nothing.
  const std::size_t runLength = std::max<std::size_t>(sRunLength, count / (std::size_t(threads) * 64));
  std::vector<Part> runs(count == 0 ? 0 : (count - 1) / runLength + 1);
  std::vector<std::string> preparationFailures(threads);
  std::atomic<std::size_t> nextRun = 0;
  STaskThreads::Run(threads, [&](unsigned inThread) {
    SMathSyntax syntax;
    STaskSyntaxFilter filter(syntax, mExpression);
    std::vector<unsigned int> places;
    for (std::size_t at; (at = nextRun.fetch_add(1, std::memory_order_relaxed)) < runs.size();) {
      Part & run = runs[at];
      const std::size_t failuresBefore = filter.FailureCount();
      const std::size_t evaluationsBefore = filter.EvaluationCount();
      const std::size_t first = at * runLength;
      const std::size_t last = std::min(count, first + runLength);
      // The places first, then the copies into room made for exactly them: a growing
      // vector of entries would move them all each time it grows.
      places.clear();
      for (std::size_t position = first; position < last; ++position) {
        const auto index = static_cast<unsigned int>(position);
        if (filter(mSource.get(index)))
          places.push_back(index);
      }
      run.accepted.reserve(places.size());
      for (const unsigned int index : places)
        run.accepted.push_back(mSource.get(index));
      run.evaluations = filter.EvaluationCount() - evaluationsBefore;
      run.failures = filter.FailureCount() - failuresBefore;
      // Each thread takes runs in the map's order, so the first run with a failure is
      // always the first of its thread to have one.
      if (run.failures > 0 && failuresBefore == 0)
        run.firstFailure = filter.FirstFailure();
    }
    preparationFailures[inThread] = filter.PreparationFailure();
  });

  std::vector<std::vector<STask>> accepted;
  accepted.reserve(runs.size());
  std::size_t total = 0;
  for (Part & run : runs) {
    total += run.accepted.size();
    accepted.push_back(std::move(run.accepted));
    mEvaluations += run.evaluations;
    mFailures += run.failures;
    if (mFirstFailure.empty() && run.failures > 0)
      mFirstFailure = run.firstFailure;
  }
  for (const std::string & failure : preparationFailures)
    if (mPreparationFailure.empty())
      mPreparationFailure = failure;
  // The entries are copies by now, so the target may be the source's own vector. Room for
  // all of them first: the parts then move in without the vector growing in between.
  mTarget.reserve(mTarget.size() + total);
  mTarget.append(accepted);
}
