// The per-thread scope of date conversion memos.
#include "dates/SDateParseCache.h"

#include "dates/SCalendar.h"

#include <algorithm>
#include <cstring>

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

std::size_t SDateParseCache::SlotOf(std::uint32_t inDay, std::uint32_t inMonth,
                                    std::uint32_t inYear) {
  if (inDay >= kDaySlots || inMonth >= kMonthSlots)
    return kTableSize;
  std::size_t year;
  if (inYear == 0)
    year = 0;
  else if (inYear >= kFirstYear && inYear <= kLastYear)
    year = inYear - kFirstYear + 1;
  else
    return kTableSize;
  return (year * kMonthSlots + inMonth) * kDaySlots + inDay;
}

bool SDateParseCache::FindDate(std::uint32_t inDay, std::uint32_t inMonth,
                               std::uint32_t inYear, SDate & outDate) {
  const std::size_t slot = SlotOf(inDay, inMonth, inYear);
  if (slot != kTableSize && mTable != nullptr && mTable[slot] != kEmpty) {
    outDate = SDate(mTable[slot]);
    return true;
  }
  if (mDates.empty())
    return false;
  auto found = mDates.find(Key{inDay, inMonth, inYear});
  if (found == mDates.end())
    return false;
  outDate = found->second;
  return true;
}

void SDateParseCache::RememberDate(std::uint32_t inDay, std::uint32_t inMonth,
                                   std::uint32_t inYear, SDate inDate) {
  ++mConversions;
  const std::uint32_t seconds = static_cast<std::uint32_t>(static_cast<unsigned long>(inDate));
  const std::size_t slot = SlotOf(inDay, inMonth, inYear);
  if (slot != kTableSize && seconds != kEmpty) {
    if (mTable == nullptr) {
      mTable = std::make_unique_for_overwrite<std::uint32_t[]>(kTableSize);
      std::fill_n(mTable.get(), kTableSize, kEmpty);
    }
    mTable[slot] = seconds;
    return;
  }
  mDates.emplace(Key{inDay, inMonth, inYear}, inDate);
}

bool SDateParseCache::FindBreakdown(SDate inDate, Breakdown & outBreakdown) {
  if (mBreakdowns == nullptr)
    return false;
  const std::uint32_t seconds = static_cast<std::uint32_t>(static_cast<unsigned long>(inDate));
  // Noons of different days fall on different days of universal time.
  const BreakdownSlot & slot = mBreakdowns[(seconds / 86400) % kBreakdownSlots];
  if (!slot.filled || slot.seconds != seconds)
    return false;
  outBreakdown = slot.breakdown;
  return true;
}

void SDateParseCache::RememberBreakdown(SDate inDate, const Breakdown & inBreakdown) {
  if (mBreakdowns == nullptr)
    mBreakdowns = std::make_unique<BreakdownSlot[]>(kBreakdownSlots);
  const std::uint32_t seconds = static_cast<std::uint32_t>(static_cast<unsigned long>(inDate));
  BreakdownSlot & slot = mBreakdowns[(seconds / 86400) % kBreakdownSlots];
  slot.seconds = seconds;
  slot.filled = true;
  slot.breakdown = inBreakdown;
}

bool SDateParseCache::PackText(const char * inText, std::size_t inLength, int inOrder, TextSlot & outKey) {
  if (inLength > kMaxText)
    return false;
  const std::size_t headBytes = std::min<std::size_t>(inLength, 8);
  outKey.head = 0;
  outKey.tail = 0;
  std::memcpy(&outKey.head, inText, headBytes);
  std::memcpy(&outKey.tail, inText + headBytes, inLength - headBytes); // at most 6 bytes
  // The top bytes: the length and the order, with a bit that keeps the word from being 0.
  outKey.tail |= (std::uint64_t{1} << 63) | (std::uint64_t(inLength) << 48) |
                 (std::uint64_t(static_cast<std::uint8_t>(inOrder)) << 52);
  return true;
}

std::size_t SDateParseCache::TextSlotOf(const TextSlot & inKey) {
  const std::uint64_t h = (inKey.head * 0x9E3779B97F4A7C15ULL) ^ (inKey.tail * 0xC2B2AE3D27D4EB4FULL);
  return static_cast<std::size_t>((h ^ (h >> 31)) >> 7) % kTextSlots;
}

bool SDateParseCache::FindText(const char * inText, std::size_t inLength, int inOrder, SDate & outDate) const {
  TextSlot key;
  if (mTexts == nullptr || !PackText(inText, inLength, inOrder, key))
    return false;
  const TextSlot & slot = mTexts[TextSlotOf(key)];
  if (slot.head != key.head || slot.tail != key.tail)
    return false;
  outDate = slot.date;
  return true;
}

void SDateParseCache::RememberText(const char * inText, std::size_t inLength, int inOrder, SDate inDate) {
  TextSlot key;
  if (!PackText(inText, inLength, inOrder, key))
    return;
  if (mTexts == nullptr)
    mTexts = std::make_unique<TextSlot[]>(kTextSlots);
  key.date = inDate;
  mTexts[TextSlotOf(key)] = key;
}
