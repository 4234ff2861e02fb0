// The value of one group of the task tree.
#include "tasks/STaskGroup.h"

#include "generic/TBranch.h"
#include "generic/TMultiLevelComparator.h"

void STaskGroup::operator()(const STask & inTask) { mDuration += inTask.GetDuration(); }

void STaskGroup::operator()(Branch & ioParent, const TMultiLevelComparator<STask> & inComparator, std::int16_t inLevel,
                            const STask & inTask) {
  SetHeading(inComparator, inLevel, inTask);
  (*this)(ioParent);
}

void STaskGroup::operator()(Branch & ioParent) { ioParent.Group().mDuration += mDuration; }

STaskGroup & STaskGroup::operator-=(const STask & inTask) {
  mDuration -= inTask.GetDuration();
  return *this;
}

STaskGroup & STaskGroup::operator+=(const STask & inTask) {
  mDuration += inTask.GetDuration();
  return *this;
}

void STaskGroup::SetHeading(const TMultiLevelComparator<STask> & inComparator, std::int16_t inLevel,
                            const STask & inTask) {
  mHeading = inComparator.Category(inLevel, &inTask);
}
