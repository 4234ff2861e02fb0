// The text format: entries as aligned columns of their six field texts, groups as indented
// "Heading:  hh:mm:ss" rows, and a closing line with the total and the entry count.
#pragma once

#include "CRowSink.h"

#include <cstddef>
#include <string>

class COutput;
class STaskVector;

class CTextWriter : public CRowSink {
public:
  /// Widest a padded column grows; a longer text pushes the rest of its own row only.
  static constexpr std::size_t kMaxColumnWidth = 40;

  /// Writes to inOutput (not owned).
  explicit CTextWriter(COutput & inOutput);

  /// Sizes the first five columns to the widest texts among inTasks.
  void MeasureColumns(const STaskVector & inTasks);

  void Begin(const Shape & inShape) override;
  void BeginGroup(const Group & inGroup) override;
  void EndGroup(const Group & inGroup) override;
  void Entry(const STask & inTask, std::int16_t inLevel) override;
  void End(std::uint64_t inTotalSeconds, std::uint64_t inCount) override;

  /// The number of characters inText shows as (UTF-8 sequences count once).
  static std::size_t DisplayWidth(std::string_view inText);
  /// hh:mm:ss of inSeconds with as many hour digits as it needs, two at least.
  static std::string Duration(std::uint64_t inSeconds);

private:
  COutput & mOutput;
  std::size_t mWidth[5] = {0, 0, 0, 0, 0};
  std::string mRow; // reused for every row
};
