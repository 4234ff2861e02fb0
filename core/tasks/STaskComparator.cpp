// Ordering of tasks by their fields, and the fast sort of large index lists by compact keys.
#include "tasks/STaskComparator.h"

#include "tasks/STaskThreads.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <numeric>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Below this many indices the plain comparison sort is as fast as preparing keys.
constexpr std::ptrdiff_t kKeySortMinimum = 64;

constexpr std::uint32_t kNoPosition = std::numeric_limits<std::uint32_t>::max();

// What a level's key is made of.
enum class KeyKind { eConstant, eDate, eDuration, eText, eOrder };

struct LevelPlan {
  KeyKind kind = KeyKind::eConstant;
  STask::EField field = STask::eDate;
  bool descending = false;
  bool ranked = false;        // the keys are ranks of the whole texts: equal keys, equal texts
  std::uint64_t longMark = 0; // the low byte of a text key whose text is longer than the key holds
};

// Text keys hold the first 7 case-folded bytes, most significant first, padded with 0, and in
// the low byte the text's length, capped at 8. Two keys order their texts exactly as the
// case-insensitive comparison does, except that two texts longer than 7 bytes with equal
// keys still need a full comparison.
constexpr int kKeyBytes = 7;

// The key of the text from byte `inOffset` on (the offset no further than the text's end),
// each byte folded by `inFold`.
template <class Fold>
std::uint64_t TextKey(std::string_view inText, Fold && inFold, std::size_t inOffset = 0) {
  std::uint64_t key = 0;
  const std::size_t length = inText.size() - std::min(inOffset, inText.size());
  for (std::size_t i = 0; i < static_cast<std::size_t>(kKeyBytes); ++i) {
    const std::uint64_t byte = i < length ? inFold(static_cast<unsigned char>(inText[inOffset + i])) : 0;
    key = (key << 8) | byte;
  }
  return (key << 8) | std::min<std::size_t>(length, kKeyBytes + 1);
}

// Ranks the case-folded texts `inText(0)` ... `inText(inCount - 1)`: equal texts get equal
// ranks, and ranks order the texts as the case-insensitive comparison does. Texts that share
// their first bytes are told apart by the next 7 bytes, and so on, only among themselves, so
// that each text is read a few times instead of once per comparison.
template <class Text>
std::vector<std::uint32_t> RankTexts(std::size_t inCount, Text && inText, const std::array<unsigned char, 256> & inUpper) {
  // Small records sort fast: the key, the text's number, and where its tail is copied.
  struct Item {
    std::uint64_t key;
    std::uint32_t which;
    std::uint32_t tail;
  };
  std::vector<std::string_view> texts(inCount);
  std::vector<Item> items(inCount);
  const auto fold = [&inUpper](unsigned char inByte) { return inUpper[inByte]; };
  for (std::size_t i = 0; i < inCount; ++i) {
    texts[i] = inText(i);
    items[i] = {TextKey(texts[i], fold), static_cast<std::uint32_t>(i), 0};
  }
  const auto byKey = [](const Item & a, const Item & b) { return a.key < b.key; };
  std::sort(items.begin(), items.end(), byKey);

  // newGroup[i]: item i's text differs from item i - 1's. Runs of equal keys whose texts go
  // on past the key are refined by the next bytes.
  std::vector<std::uint8_t> newGroup(inCount, 1);
  struct Run {
    std::size_t begin;
    std::size_t end;
    std::size_t offset;
  };
  std::vector<Run> runs;
  auto markRuns = [&](std::size_t inBegin, std::size_t inEnd, std::size_t inOffset) {
    std::size_t start = inBegin;
    for (std::size_t i = inBegin + 1; i <= inEnd; ++i) {
      if (i < inEnd && items[i].key == items[start].key) {
        newGroup[i] = 0;
        continue;
      }
      if (i - start > 1 && (items[start].key & 0xFF) == static_cast<std::uint64_t>(kKeyBytes + 1)) {
        runs.push_back({start, i, inOffset + kKeyBytes});
      }
      if (i < inEnd) {
        newGroup[i] = 1;
      }
      start = i;
    }
  };
  if (inCount > 0) {
    markRuns(0, inCount, 0);
  }

  // Copy what follows the first key of the texts still tied into one block, each tail after
  // its length, in sorted order: telling them apart then reads memory that lies close
  // together.
  std::size_t total = 0;
  for (const Run & run : runs) {
    for (std::size_t i = run.begin; i < run.end; ++i) {
      total += sizeof(std::uint32_t) + texts[items[i].which].size() - run.offset;
    }
  }
  if (total > std::numeric_limits<std::uint32_t>::max()) {
    // Too much to copy: compare the texts in place instead (slower, same ranks).
    total = 0;
  }
  std::string tails(total, '\0');
  const bool copied = total > 0;
  std::size_t at = 0;
  for (Run & run : runs) {
    for (std::size_t i = run.begin; copied && i < run.end; ++i) {
      const std::string_view tail = texts[items[i].which].substr(run.offset);
      const auto length = static_cast<std::uint32_t>(tail.size());
      std::memcpy(tails.data() + at, &length, sizeof length);
      std::memcpy(tails.data() + at + sizeof length, tail.data(), tail.size());
      items[i].tail = static_cast<std::uint32_t>(at);
      at += sizeof length + tail.size();
    }
    run.offset = copied ? 0 : run.offset;
  }
  auto tailOf = [&](const Item & inItem) {
    if (!copied) {
      return texts[inItem.which];
    }
    std::uint32_t length = 0;
    std::memcpy(&length, tails.data() + inItem.tail, sizeof length);
    return std::string_view(tails.data() + inItem.tail + sizeof length, length);
  };

  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    for (std::size_t i = run.begin; i < run.end; ++i) {
      items[i].key = TextKey(tailOf(items[i]), fold, run.offset);
    }
    std::sort(items.begin() + static_cast<std::ptrdiff_t>(run.begin), items.begin() + static_cast<std::ptrdiff_t>(run.end),
              byKey);
    markRuns(run.begin, run.end, run.offset);
  }

  std::vector<std::uint32_t> ranks(inCount);
  std::uint32_t rank = 0;
  for (std::size_t i = 0; i < inCount; ++i) {
    if (i > 0 && newGroup[i]) {
      ++rank;
    }
    ranks[items[i].which] = rank;
  }
  return ranks;
}

template <int L>
struct Record {
  std::uint64_t key[L];
  std::uint32_t index;
  std::uint32_t position;
};

// Records are written before they are read: growing a list of them leaves them unset
// rather than clearing memory that is filled right after.
template <class T>
struct Unset : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = Unset<U>;
  };
  Unset() = default;
  template <class U>
  Unset(const Unset<U> &) noexcept {}
  template <class U>
  void construct(U * inPlace) noexcept {
    ::new (static_cast<void *>(inPlace)) U;
  }
  template <class U, class... A>
  void construct(U * inPlace, A &&... inArguments) {
    ::new (static_cast<void *>(inPlace)) U(std::forward<A>(inArguments)...);
  }
};
template <int L>
using Records = std::vector<Record<L>, Unset<Record<L>>>;

// Sorts ioRecords by their keys, level by level, ties going by position: a stable radix
// sort on the keys' bytes, least significant first, starting from position order. Bytes in
// which all records agree are skipped. Positions must be 0 .. size - 1, each once;
// `inInPositionOrder` says the records already stand in that order.
template <int L>
void RadixSort(Records<L> & ioRecords, bool inInPositionOrder) {
  const std::size_t count = ioRecords.size();
  constexpr int kDigits = 8;
  // Every digit's histogram, in one pass: they do not depend on the order.
  std::vector<std::array<std::size_t, 256>> counts(static_cast<std::size_t>(L * kDigits));
  for (const Record<L> & record : ioRecords)
    for (int level = 0; level < L; ++level)
      for (int digit = 0; digit < kDigits; ++digit)
        ++counts[static_cast<std::size_t>(level * kDigits + digit)][(record.key[level] >> (8 * digit)) & 0xFF];
  Records<L> other(count);
  if (!inInPositionOrder) {
    for (const Record<L> & record : ioRecords)
      other[record.position] = record;
    ioRecords.swap(other);
  }
  for (int level = L - 1; level >= 0; --level) {
    for (int digit = 0; digit < kDigits; ++digit) {
      std::array<std::size_t, 256> & histogram = counts[static_cast<std::size_t>(level * kDigits + digit)];
      if (std::ranges::find(histogram, count) != histogram.end())
        continue; // every record has the same byte here
      std::size_t start = 0;
      for (std::size_t & slot : histogram)
        start += std::exchange(slot, start);
      for (const Record<L> & record : ioRecords)
        other[histogram[(record.key[level] >> (8 * digit)) & 0xFF]++] = record;
      ioRecords.swap(other);
    }
  }
}

// Replaces the keys at `inLevel` by their ranks among the level's distinct keys, so long as
// it has no more than `inLimit` of them; otherwise leaves the records as they were and
// answers false. Ranks order and equal as the keys do.
template <int L>
bool RankKeys(Records<L> & ioRecords, int inLevel, std::size_t inLimit) {
  // An open-addressing table of the keys seen, each with its number in order of first sight.
  int bits = 10;
  std::vector<std::uint64_t> slotKey;
  std::vector<std::uint32_t> slotId;
  std::vector<std::uint64_t> distinct;
  const auto slotOf = [&](std::uint64_t inKey) {
    const std::size_t mask = slotKey.size() - 1;
    auto slot = static_cast<std::size_t>((inKey * 0x9E3779B97F4A7C15ULL) >> (64 - bits));
    while (slotId[slot] != kNoPosition && slotKey[slot] != inKey)
      slot = (slot + 1) & mask;
    return slot;
  };
  const auto makeTable = [&] {
    slotKey.assign(std::size_t(1) << bits, 0);
    slotId.assign(std::size_t(1) << bits, kNoPosition);
    for (std::size_t id = 0; id < distinct.size(); ++id) {
      const std::size_t slot = slotOf(distinct[id]);
      slotKey[slot] = distinct[id];
      slotId[slot] = static_cast<std::uint32_t>(id);
    }
  };
  makeTable();
  std::vector<std::uint32_t> ids(ioRecords.size());
  for (std::size_t i = 0; i < ioRecords.size(); ++i) {
    const std::uint64_t key = ioRecords[i].key[inLevel];
    std::size_t slot = slotOf(key);
    if (slotId[slot] == kNoPosition) {
      if (distinct.size() >= inLimit)
        return false;
      if (2 * (distinct.size() + 1) > slotKey.size()) {
        ++bits;
        makeTable();
        slot = slotOf(key);
      }
      slotKey[slot] = key;
      slotId[slot] = static_cast<std::uint32_t>(distinct.size());
      distinct.push_back(key);
    }
    ids[i] = slotId[slot];
  }
  std::vector<std::uint32_t> byKey(distinct.size());
  std::iota(byKey.begin(), byKey.end(), 0U);
  std::sort(byKey.begin(), byKey.end(), [&](std::uint32_t a, std::uint32_t b) { return distinct[a] < distinct[b]; });
  std::vector<std::uint32_t> rankOf(distinct.size());
  for (std::size_t rank = 0; rank < byKey.size(); ++rank)
    rankOf[byKey[rank]] = static_cast<std::uint32_t>(rank);
  for (std::size_t i = 0; i < ioRecords.size(); ++i)
    ioRecords[i].key[inLevel] = rankOf[ids[i]];
  return true;
}

// Several levels' keys joined into one: each level's key less the smallest at that level,
// in as many bits as the largest difference needs, the first level highest. Joined keys
// order records as their keys do level by level, so long as all of them fit in 64 bits.
template <int L>
struct JoinedKeys {
  std::array<std::uint64_t, L> lowest{};
  std::array<int, L> shift{}; // the lowest bit of each level's part
  int width = 0;              // the bits of all parts together

  explicit JoinedKeys(const Records<L> & inRecords) {
    std::array<std::uint64_t, L> highest{};
    lowest.fill(std::numeric_limits<std::uint64_t>::max());
    for (const Record<L> & record : inRecords) {
      for (int level = 0; level < L; ++level) {
        lowest[level] = std::min(lowest[level], record.key[level]);
        highest[level] = std::max(highest[level], record.key[level]);
      }
    }
    for (int level = L - 1; level >= 0; --level) {
      shift[level] = width;
      width += inRecords.empty() ? 0 : static_cast<int>(std::bit_width(highest[level] - lowest[level]));
    }
  }
  bool Fit() const { return width <= 64; }
  std::uint64_t Join(const Record<L> & inRecord) const {
    std::uint64_t key = 0;
    for (int level = 0; level < L; ++level) {
      const std::uint64_t part = inRecord.key[level] - lowest[level];
      key |= shift[level] < 64 ? part << shift[level] : 0;
    }
    return key;
  }
  // How many leading levels two joined keys share.
  std::uint8_t Shared(std::uint64_t inFirst, std::uint64_t inSecond) const {
    const std::uint64_t differ = inFirst ^ inSecond;
    if (differ == 0)
      return L;
    const int top = 63 - std::countl_zero(differ);
    int level = 0;
    while (shift[level] > top)
      ++level;
    return static_cast<std::uint8_t>(level);
  }
};

} // namespace

STaskComparator::STaskComparator() : TMultiLevelComparator<STask>(nullptr, 0), mField{} {}

STaskComparator::STaskComparator(const TBroadcasterVector<STask> * inVector)
    : TMultiLevelComparator<STask>(inVector, 0), mField{} {}

STaskComparator::STaskComparator(const TBroadcasterVector<STask> * inVector, EField inField)
    : TMultiLevelComparator<STask>(inVector, 1), mField{} {
  mField[0] = inField;
}

STaskComparator::STaskComparator(EField inField0, EField inField1, EField inField2, EField inField3, EField inField4,
                                 EField inField5, EField inField6, std::int16_t inLevels)
    : TMultiLevelComparator<STask>(nullptr, inLevels), mField{} {
  Initialize(inField0, inField1, inField2, inField3, inField4, inField5, inField6);
}

void STaskComparator::Initialize(EField inField0, EField inField1, EField inField2, EField inField3, EField inField4,
                                 EField inField5, EField inField6) {
  mField[0] = inField0;
  mField[1] = inField1;
  mField[2] = inField2;
  mField[3] = inField3;
  mField[4] = inField4;
  mField[5] = inField5;
  mField[6] = inField6;
}

STaskComparator::EField STaskComparator::Field(std::int16_t inLevel) const {
  return inLevel >= 0 && inLevel < sMaxLevels ? mField[inLevel] : eNop;
}

std::int16_t STaskComparator::Compare(unsigned int inFirst, unsigned int inSecond, std::int16_t inLevel) const {
  if (inLevel < 0 || inLevel >= mLevels) {
    return 0;
  }
  int code = mField[inLevel];
  const bool descending = code < 0;
  if (descending) {
    code = -code;
  }
  const STask & first = Element(inFirst);
  const STask & second = Element(inSecond);
  std::int16_t result = 0;
  switch (code) {
  case eDate:
    result = STask::CompareDates(first, second);
    break;
  case eDuration:
    result = STask::CompareDurations(first, second);
    break;
  case eWhoCode:
  case eJobNumber:
  case eTimeCode:
  case eDescription:
    result = STask::CompareSubfields(static_cast<STask::EField>(code - 1), first, second);
    break;
  case eOrderInFile:
    result = inFirst == inSecond ? 0 : (inFirst < inSecond ? -1 : 1);
    break;
  default:
    break;
  }
  return descending ? static_cast<std::int16_t>(-result) : result;
}

std::string STaskComparator::Category(std::int16_t inLevel, const STask * inTask) const {
  if (inTask == nullptr || inLevel < 0 || inLevel >= mLevels) {
    return std::string();
  }
  const int code = mField[inLevel] < 0 ? -mField[inLevel] : mField[inLevel];
  if (code < eDate || code > eDescription) {
    return std::string();
  }
  return std::string(inTask->Subfield(static_cast<STask::EField>(code - 1)));
}

bool STaskComparator::LevelKey(const STask & inTask, std::int16_t inLevel, std::uint64_t & outKey, bool & outExact) const {
  if (inLevel < 0 || inLevel >= mLevels) {
    return false;
  }
  int code = mField[inLevel];
  const bool descending = code < 0;
  code = descending ? -code : code;
  std::uint64_t key = 0;
  outExact = true;
  switch (code) {
  case eDate:
    key = static_cast<unsigned long>(inTask.GetDate());
    break;
  case eDuration:
    key = static_cast<unsigned long>(inTask.GetDuration());
    break;
  case eWhoCode:
  case eJobNumber:
  case eTimeCode:
  case eDescription:
    key = TextKey(inTask.Subfield(static_cast<STask::EField>(code - 1)),
                  [](unsigned char c) { return static_cast<unsigned char>(std::toupper(c)); });
    outExact = (key & 0xFF) <= kKeyBytes;
    break;
  case eOrderInFile:
    return false; // the index is no property of the task
  default:
    break;
  }
  outKey = descending ? ~key : key;
  return true;
}

void STaskComparator::Sort(std::uint32_t * inFirst, std::uint32_t * inLast, std::uint8_t * outBreaks) const {
  if (inLast - inFirst < kKeySortMinimum || mVector == nullptr) {
    TMultiLevelComparator<STask>::Sort(inFirst, inLast, outBreaks);
    return;
  }
  switch (mLevels) {
  case 0:
    // Everything is equal: the order stays.
    if (outBreaks != nullptr) {
      std::fill(outBreaks, outBreaks + (inLast - inFirst), 0);
    }
    break;
  case 1:
    KeySort<1>(inFirst, inLast, outBreaks);
    break;
  case 2:
    KeySort<2>(inFirst, inLast, outBreaks);
    break;
  case 3:
    KeySort<3>(inFirst, inLast, outBreaks);
    break;
  case 4:
    KeySort<4>(inFirst, inLast, outBreaks);
    break;
  case 5:
    KeySort<5>(inFirst, inLast, outBreaks);
    break;
  case 6:
    KeySort<6>(inFirst, inLast, outBreaks);
    break;
  default:
    KeySort<7>(inFirst, inLast, outBreaks);
    break;
  }
}

unsigned STaskComparator::Threads(std::size_t inCount) const {
  return inCount >= sThreadedSortMinimum ? STaskThreads::Count() : 1;
}

void STaskComparator::RunThreads(unsigned inThreads, const std::function<void(unsigned)> & inWork) const {
  STaskThreads::Run(inThreads, inWork);
}

template <int L>
void STaskComparator::KeySort(std::uint32_t * inFirst, std::uint32_t * inLast, std::uint8_t * outBreaks) const {
  const TBroadcasterVector<STask> & tasks = *mVector;
  const auto count = static_cast<std::size_t>(inLast - inFirst);

  // Case folding as the field comparison does it, under the current locale.
  std::array<unsigned char, 256> upper{};
  for (int c = 0; c < 256; ++c) {
    upper[static_cast<std::size_t>(c)] = static_cast<unsigned char>(std::toupper(c));
  }

  std::array<LevelPlan, L> plan{};
  for (int level = 0; level < L; ++level) {
    LevelPlan & step = plan[static_cast<std::size_t>(level)];
    int code = mField[level];
    step.descending = code < 0;
    code = code < 0 ? -code : code;
    switch (code) {
    case eDate:
      step.kind = KeyKind::eDate;
      break;
    case eDuration:
      step.kind = KeyKind::eDuration;
      break;
    case eWhoCode:
    case eJobNumber:
    case eTimeCode:
    case eDescription:
      step.kind = KeyKind::eText;
      step.field = static_cast<STask::EField>(code - 1);
      break;
    case eOrderInFile:
      step.kind = KeyKind::eOrder;
      break;
    default:
      step.kind = KeyKind::eConstant;
      break;
    }
    const std::uint64_t longLength = kKeyBytes + 1;
    step.longMark = step.descending ? (~longLength & 0xFF) : longLength;
  }

  const unsigned threads = Threads(count);
  auto makeRecord = [&](std::uint32_t inIndex, std::uint32_t inPosition) {
    if (inIndex >= tasks.size()) {
      throw std::out_of_range("vector::at index out of range");
    }
    const STask & task = tasks[inIndex];
    Record<L> record;
    for (int level = 0; level < L; ++level) {
      const LevelPlan & step = plan[static_cast<std::size_t>(level)];
      std::uint64_t key = 0;
      switch (step.kind) {
      case KeyKind::eDate:
        key = static_cast<unsigned long>(task.GetDate());
        break;
      case KeyKind::eDuration:
        key = static_cast<unsigned long>(task.GetDuration());
        break;
      case KeyKind::eText:
        key = TextKey(task.Subfield(step.field), [&](unsigned char c) { return upper[c]; });
        break;
      case KeyKind::eOrder:
        key = inIndex;
        break;
      case KeyKind::eConstant:
        break;
      }
      record.key[level] = step.descending ? ~key : key;
    }
    record.index = inIndex;
    record.position = inPosition;
    return record;
  };

  // Read the tasks in vector order where following a shuffled list would jump about memory.
  Records<L> records;
  bool followList = count * 8 < tasks.size() || std::is_sorted(inFirst, inLast);
  if (!followList) {
    std::vector<std::uint32_t> positionOf(tasks.size(), kNoPosition);
    for (std::size_t position = 0; position < count && !followList; ++position) {
      const std::uint32_t index = inFirst[position];
      if (index >= tasks.size() || positionOf[index] != kNoPosition) {
        followList = true; // beyond the vector or listed twice: take the list as it is
      } else {
        positionOf[index] = static_cast<std::uint32_t>(position);
      }
    }
    if (!followList) {
      records.reserve(count);
      for (std::uint32_t index = 0; index < positionOf.size(); ++index) {
        if (positionOf[index] != kNoPosition) {
          records.push_back(makeRecord(index, positionOf[index]));
        }
      }
    }
  }
  if (followList) {
    // In list order each thread makes the records of its own stretch of the list.
    records.resize(count);
    STaskThreads::Run(threads, [&](unsigned inRun) {
      for (std::size_t position = count * inRun / threads; position < count * (inRun + 1) / threads; ++position) {
        records[position] = makeRecord(inFirst[position], static_cast<std::uint32_t>(position));
      }
    });
  }

  // Long texts that share their first bytes would need many full comparisons: rank them.
  for (int level = 0; level < L; ++level) {
    LevelPlan & step = plan[static_cast<std::size_t>(level)];
    if (step.kind != KeyKind::eText) {
      continue;
    }
    std::size_t longTexts = 0;
    for (const Record<L> & record : records) {
      longTexts += (record.key[level] & 0xFF) == step.longMark ? 1 : 0;
    }
    if (longTexts < 2) {
      continue;
    }
    const std::vector<std::uint32_t> ranks = RankTexts(
        records.size(), [&](std::size_t inWhich) { return tasks[records[inWhich].index].Subfield(step.field); }, upper);
    for (std::size_t i = 0; i < records.size(); ++i) {
      records[i].key[level] = step.descending ? ~std::uint64_t{ranks[i]} : std::uint64_t{ranks[i]};
    }
    step.ranked = true;
  }

  // -1, 0 or 1 on the keys of one level, comparing the tasks only when the keys cannot tell.
  auto compareLevel = [&](const Record<L> & a, const Record<L> & b, int inLevel) -> int {
    const std::uint64_t left = a.key[inLevel];
    const std::uint64_t right = b.key[inLevel];
    if (left != right) {
      return left < right ? -1 : 1;
    }
    const LevelPlan & step = plan[static_cast<std::size_t>(inLevel)];
    if (step.kind == KeyKind::eText && !step.ranked && (left & 0xFF) == step.longMark) {
      return Compare(a.index, b.index, static_cast<std::int16_t>(inLevel));
    }
    return 0;
  };

  const auto less = [&](const Record<L> & a, const Record<L> & b) {
    for (int level = 0; level < L; ++level) {
      if (const int order = compareLevel(a, b, level)) {
        return order < 0;
      }
    }
    return a.position < b.position;
  };
  // Long texts are ranked above, so the keys alone order the records. Where the levels'
  // keys join into one of 64 bits, the records sort by the joined key's bytes (radix).
  if (L > 1 && count >= sRadixSortMinimum) {
    // Text keys span all 64 bits: a level with few distinct texts is ranked to join.
    for (int level = 0; level < L; ++level) {
      LevelPlan & step = plan[static_cast<std::size_t>(level)];
      if (step.kind == KeyKind::eText && !step.ranked && RankKeys(records, level, sRankedKeyLimit))
        step.ranked = true;
    }
    const JoinedKeys<L> joined(records);
    if (joined.Fit()) {
      Records<1> single(count);
      for (std::size_t i = 0; i < count; ++i)
        single[i] = {{joined.Join(records[i])}, records[i].index, records[i].position};
      Records<L>().swap(records);
      RadixSort(single, followList);
      for (std::size_t position = 0; position < count; ++position)
        inFirst[position] = single[position].index;
      if (outBreaks != nullptr) {
        outBreaks[0] = 0;
        for (std::size_t position = 1; position < count; ++position)
          outBreaks[position] = joined.Shared(single[position - 1].key[0], single[position].key[0]);
      }
      return;
    }
  }
  // The order is total (ties go by position), so runs sorted apart and merged give the one
  // order there is. One level sorts fastest by its key's bytes; with levels that do not join,
  // the many passes over the larger records cost more than comparing does.
  if (L == 1 && count >= sRadixSortMinimum) {
    RadixSort(records, followList);
  } else if (threads > 1) {
    std::vector<std::size_t> bounds(threads + 1);
    for (unsigned run = 0; run <= threads; ++run) {
      bounds[run] = count * run / threads;
    }
    const auto at = [&](std::size_t inPosition) { return records.begin() + static_cast<std::ptrdiff_t>(inPosition); };
    STaskThreads::Run(threads, [&](unsigned inRun) { std::sort(at(bounds[inRun]), at(bounds[inRun + 1]), less); });
    for (unsigned width = 1; width < threads; width *= 2) {
      for (unsigned run = 0; run + width < threads; run += 2 * width) {
        std::inplace_merge(at(bounds[run]), at(bounds[run + width]), at(bounds[std::min(run + 2 * width, threads)]), less);
      }
    }
  } else {
    std::sort(records.begin(), records.end(), less);
  }

  for (std::size_t position = 0; position < count; ++position) {
    inFirst[position] = records[position].index;
  }
  if (outBreaks != nullptr) {
    outBreaks[0] = 0;
    for (std::size_t position = 1; position < count; ++position) {
      int level = 0;
      while (level < L && compareLevel(records[position - 1], records[position], level) == 0) {
        ++level;
      }
      outBreaks[position] = static_cast<std::uint8_t>(level);
    }
  }
}
