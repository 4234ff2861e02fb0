// Replays the saved fuzzing inputs of the filter through the same code path as the
// fuzz target, so that every build exercises them without libFuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/FilterHarness.h"
#include "support/TestSupport.h"

namespace {

TEST(FilterCorpus, EveryInputRunsCleanly) {
  testsupport::ScopedTimeZone zone("America/New_York");
  const std::filesystem::path folder = std::filesystem::path(TALLY_TEST_DATA_DIR) / "filter-corpus";
  std::vector<std::filesystem::path> files;
  for (const auto & entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file())
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 20u);
  const SWildcardString::ECaseSensitivity before = SWildcardString::GlobalCaseSensitivity();
  for (const auto & file : files) {
    const std::string bytes = testsupport::ReadFileBytes(file.string());
    SCOPED_TRACE(file.filename().string());
    testsupport::RunFilterHarness(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    EXPECT_EQ(SWildcardString::GlobalCaseSensitivity(), before);
  }
}

} // namespace
