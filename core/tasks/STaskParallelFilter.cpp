// Filtering an index map's tasks on several threads, joined in map order.
#include "tasks/STaskParallelFilter.h"

#include "syntax/SMathSyntax.h"
#include "tasks/STaskSyntaxFilter.h"
#include "tasks/STaskThreads.h"

#include <algorithm>
#include <ranges>
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
  // Each thread tests a run of neighbouring entries and notes the places of those that pass.
  struct Share {
    std::vector<unsigned int> accepted;
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
    for (std::size_t position = first; position < last; ++position) {
      const auto index = static_cast<unsigned int>(position);
      if (filter(mSource.get(index)))
        share.accepted.push_back(index);
    }
    share.evaluations = filter.EvaluationCount();
    share.failures = filter.FailureCount();
    share.firstFailure = filter.FirstFailure();
    share.preparationFailure = filter.PreparationFailure();
  });

  std::vector<unsigned int> accepted;
  std::size_t total = 0;
  for (const Share & share : shares)
    total += share.accepted.size();
  accepted.reserve(total);
  for (Share & share : shares) {
    accepted.insert(accepted.end(), share.accepted.begin(), share.accepted.end());
    share.accepted = std::vector<unsigned int>();
    mEvaluations += share.evaluations;
    mFailures += share.failures;
    if (mFirstFailure.empty())
      mFirstFailure = share.firstFailure;
    if (mPreparationFailure.empty())
      mPreparationFailure = share.preparationFailure;
  }
  const auto entries = std::views::transform(accepted, [this](unsigned int inIndex) -> const STask & {
    return mSource.get(inIndex);
  });
  // With room made first, the entries stay in place while they are copied, even when the
  // target is the source's own vector.
  mTarget.reserve(mTarget.size() + accepted.size());
  mTarget.insert(mTarget.size(), entries.begin(), entries.end());
}
