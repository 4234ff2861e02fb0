// What an output format receives: the rows of a listing, entries and groups, in order.
#pragma once

#include <cstdint>
#include <string_view>

class STask;

class CRowSink {
public:
  /// The kind of listing that follows.
  struct Shape {
    bool mGrouped = false; ///< group rows come (nested), with entries under the deepest
    bool mSummary = false; ///< grouped, but without the entry rows
    std::int16_t mLevels = 0; ///< the number of group levels
  };

  /// One group: its level (0 at the top), heading, exact total and entry count.
  struct Group {
    std::int16_t mLevel = 0;
    std::string_view mHeading;
    std::uint64_t mSeconds = 0;
    std::uint64_t mCount = 0;
    bool mHasSubgroups = false; ///< a group above the deepest level
  };

  virtual ~CRowSink() = default;

  /// The listing starts.
  virtual void Begin(const Shape & inShape) = 0;
  /// A group row; its subgroups or entries follow, then EndGroup with the same row.
  virtual void BeginGroup(const Group & inGroup) = 0;
  /// The group's rows are complete.
  virtual void EndGroup(const Group & inGroup) = 0;
  /// One entry at depth inLevel (0 in a flat list, the number of levels under groups).
  virtual void Entry(const STask & inTask, std::int16_t inLevel) = 0;
  /// The listing is complete: the total of all its entries and their number.
  virtual void End(std::uint64_t inTotalSeconds, std::uint64_t inCount) = 0;
};
