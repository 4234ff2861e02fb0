// The user's guide checked against the program: every worked filter example keeps the
// number of entries of examples/week.txt that the guide says, and every link of the guide
// and the README names a file of the repository.
#include "cli/TallyRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path kSource = TALLY_SOURCE_DIR;

std::string Read(const std::filesystem::path & inPath) { return testsupport::ReadFileBytes(inPath.string()); }

} // namespace

TEST(Guide, EveryFilterExampleKeepsTheEntriesItSays) {
  testsupport::ScopedTimeZone zone("America/New_York");
  const std::string guide = Read(kSource / "docs" / "guide.md");
  const std::size_t begin = guide.find("<!-- filter-examples");
  const std::size_t end = guide.find("<!-- /filter-examples -->");
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  testsupport::TempDir folder;
  const std::string sheet = folder.file("week.txt");
  testsupport::WriteFileBytes(sheet, Read(kSource / "examples" / "week.txt"));

  // A row: | `expression` | count | what it finds |
  const std::regex row(R"(^\| `(.+)` \| (\d+) \| .+\|$)");
  std::istringstream lines(guide.substr(begin, end - begin));
  int examples = 0;
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (!std::regex_match(line, match, row))
      continue;
    SCOPED_TRACE(match[1].str());
    ++examples;
    const clitest::TallyResult result = clitest::RunTally(
        {"show", "--filter", match[1].str(), "--date-order", "mdy", "--format", "tsv", sheet});
    EXPECT_EQ(result.mStatus, 0) << result.mErr;
    const auto kept = std::count(result.mOut.begin(), result.mOut.end(), '\n');
    EXPECT_EQ(kept, std::stol(match[2].str()));
  }
  EXPECT_GE(examples, 12);
}

TEST(Guide, LinksOfTheGuideAndTheReadmeNameFilesThatExist) {
  const std::regex link(R"(\]\(([^)#\s]+)(#[^)]*)?\))");
  for (const std::filesystem::path & document : {kSource / "README.md", kSource / "docs" / "guide.md"}) {
    const std::string text = Read(document);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it) {
      const std::string target = (*it)[1].str();
      if (target.rfind("http", 0) == 0)
        continue;
      EXPECT_TRUE(std::filesystem::exists(document.parent_path() / target))
          << document.filename() << " links to a missing " << target;
    }
  }
}
