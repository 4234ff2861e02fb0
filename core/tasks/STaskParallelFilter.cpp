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
  // Each thread tests a run of neighbouring entries and copies those that pass.
  struct Share {
    std::vector<STask> accepted;
    std::size_t evaluations = 0;
    std::size_t failures = 0;
    std::string firstFailure;
    std::string preparationFailure;
  };
  std::vector<Share> shares(threads);
  STaskThreads::Run(threads, [&](unsigned inThread) {
    Share & share = shares[inThread];
    SMathSyntax syntax;
    STaskSyntaxFilter filter(syntax, mExpression);
    const std::size_t first = count * inThread / threads;
    const std::size_t last = count * (inThread + 1) / threads;
    // The places first, then the copies into room made for exactly them: a growing vector
    // of entries would move them all each time it grows.
    std::vector<unsigned int> places;
    for (std::size_t position = first; position < last; ++position) {
      const auto index = static_cast<unsigned int>(position);
      if (filter(mSource.get(index)))
        places.push_back(index);
    }
    share.accepted.reserve(places.size());
    for (const unsigned int index : places)
      share.accepted.push_back(mSource.get(index));
    share.evaluations = filter.EvaluationCount();
    share.failures = filter.FailureCount();
    share.firstFailure = filter.FirstFailure();
    share.preparationFailure = filter.PreparationFailure();
  });

  std::vector<std::vector<STask>> accepted;
  for (Share & share : shares) {
    accepted.push_back(std::move(share.accepted));
    mEvaluations += share.evaluations;
    mFailures += share.failures;
    if (mFirstFailure.empty())
      mFirstFailure = share.firstFailure;
    if (mPreparationFailure.empty())
      mPreparationFailure = share.preparationFailure;
  }
  // The entries are copies by now, so the target may be the source's own vector. Room for
  // all of them first: the parts then move in without the vector growing in between.
  std::size_t total = 0;
  for (const std::vector<STask> & part : accepted)
    total += part.size();
  mTarget.reserve(mTarget.size() + total);
  mTarget.append(accepted);
}
