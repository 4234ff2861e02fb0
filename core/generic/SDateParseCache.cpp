// The per-thread scope of date conversion memos.
#include "generic/SDateParseCache.h"

#include "generic/SCalendar.h"

namespace {
thread_local SDateParseCache * tCurrent = nullptr;
}

SDateParseCache::SDateParseCache() : mOuter(tCurrent) {
  tCurrent = this;
}

SDateParseCache::~SDateParseCache() {
  tCurrent = mOuter;
}

SDateParseCache * SDateParseCache::Current() {
  return tCurrent;
}

const std::tm & SDateParseCache::Now() {
  if (!mHaveNow) {
    SCalendar::LocalNow(mNow);
    mHaveNow = true;
  }
  return mNow;
}

bool SDateParseCache::FindDate(std::uint32_t inDay, std::uint32_t inMonth,
                               std::uint32_t inYear, SDate & outDate) {
  Key key{inDay, inMonth, inYear};
  if (mHaveLastDate && key == mLastKey) {
    outDate = mLastDate;
    return true;
  }
  auto found = mDates.find(key);
  if (found == mDates.end())
    return false;
  mHaveLastDate = true;
  mLastKey = key;
  mLastDate = found->second;
  outDate = found->second;
  return true;
}

void SDateParseCache::RememberDate(std::uint32_t inDay, std::uint32_t inMonth,
                                   std::uint32_t inYear, SDate inDate) {
  Key key{inDay, inMonth, inYear};
  mDates.emplace(key, inDate);
  mHaveLastDate = true;
  mLastKey = key;
  mLastDate = inDate;
}

bool SDateParseCache::FindBreakdown(SDate inDate, Breakdown & outBreakdown) {
  if (mHaveLastBreakdown && inDate == mLastBreakdownDate) {
    outBreakdown = mLastBreakdown;
    return true;
  }
  auto found = mBreakdowns.find(static_cast<std::uint32_t>(static_cast<unsigned long>(inDate)));
  if (found == mBreakdowns.end())
    return false;
  mHaveLastBreakdown = true;
  mLastBreakdownDate = inDate;
  mLastBreakdown = found->second;
  outBreakdown = found->second;
  return true;
}

void SDateParseCache::RememberBreakdown(SDate inDate, const Breakdown & inBreakdown) {
  mBreakdowns.emplace(static_cast<std::uint32_t>(static_cast<unsigned long>(inDate)),
                      inBreakdown);
  mHaveLastBreakdown = true;
  mLastBreakdownDate = inDate;
  mLastBreakdown = inBreakdown;
}
