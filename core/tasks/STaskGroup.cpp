// The value of one group of the task tree.
#include "tasks/STaskGroup.h"

#include "trees/TBranch.h"
#include "trees/TMultiLevelComparator.h"

namespace {

std::uint64_t Seconds(const STask & inTask) { return static_cast<unsigned long>(inTask.GetDuration()); }

} // namespace

STime STaskGroup::Duration() const {
  constexpr std::uint64_t kLargest = UINT32_MAX;
  return STime(static_cast<unsigned long>(mTotalSeconds < kLargest ? mTotalSeconds : kLargest));
}

void STaskGroup::operator()(const STask & inTask) { mTotalSeconds += Seconds(inTask); }

void STaskGroup::operator()(Branch & ioParent, const TMultiLevelComparator<STask> & inComparator, std::int16_t inLevel,
                            const STask & inTask) {
  SetHeading(inComparator, inLevel, inTask);
  (*this)(ioParent);
}

void STaskGroup::operator()(Branch & ioParent) { ioParent.Group().mTotalSeconds += mTotalSeconds; }

STaskGroup & STaskGroup::operator-=(const STask & inTask) {
  mTotalSeconds -= Seconds(inTask);
  return *this;
}

STaskGroup & STaskGroup::operator+=(const STask & inTask) {
  mTotalSeconds += Seconds(inTask);
  return *this;
}

void STaskGroup::SetHeading(const TMultiLevelComparator<STask> & inComparator, std::int16_t inLevel,
                            const STask & inTask) {
  mHeading = inComparator.Category(inLevel, &inTask);
}
