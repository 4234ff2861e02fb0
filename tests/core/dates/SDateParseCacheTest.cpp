// The date conversion memo: same answers as without it, one conversion per key, scoping.
#include "core/DateTestHelpers.h"
#include "dates/SDateParseCache.h"
#include "dates/SDateString.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using F = SDateFormat;

SDate Parse(const std::string & text, F order = F::eMDY) {
  return SDateString::ParseDate(text.data(), text.size(), order);
}

// Date texts of every shape: full, short, missing parts, normalised, out of range, junk.
std::vector<std::string> MixedTexts(unsigned seed, int count) {
  std::mt19937 random(seed);
  auto number = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    std::string day = std::to_string(number(0, 40));
    std::string month = std::to_string(number(0, 14));
    std::string year;
    switch (number(0, 5)) {
    case 0: year = std::to_string(number(1965, 2110)); break;
    case 1: year = std::to_string(number(0, 9)); break;
    case 2: year = std::to_string(number(10, 99)); break;
    case 3: year = std::to_string(number(100, 999)); break;
    case 4: year = "0" + std::to_string(number(0, 9)); break;
    default: year = ""; break;
    }
    switch (number(0, 7)) {
    case 0: texts.push_back(month + "/" + day); break;
    case 1: texts.push_back(day); break;
    case 2: texts.push_back(""); break;
    case 3: texts.push_back("-" + month + "/" + day + "/" + year); break;
    default: texts.push_back(month + "/" + day + "/" + year); break;
    }
  }
  return texts;
}

class SDateParseCacheZones : public ::testing::TestWithParam<const char *> {
protected:
  void SetUp() override {
    if (!mZone.Supported())
      GTEST_SKIP() << mZone.WhyUnsupported();
  }
  testsupport::ScopedTimeZone mZone{GetParam()};
};

TEST_P(SDateParseCacheZones, GivesTheSameDatesAsWithoutIt) {
  const std::vector<std::string> texts = MixedTexts(99, 4000);
  const F orders[] = {F::eDMY, F::eDYM, F::eMDY, F::eMYD, F::eYDM, F::eYMD,
                      F(static_cast<F::EFormat>(9))};
  auto [today, same] = datetest::WithStableToday([&] {
    std::vector<unsigned long> plain, cached;
    std::vector<std::string> plainText, cachedText;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      plain.push_back(Parse(texts[i], orders[i % 7]));
      plainText.push_back(SDateString(SDate(plain.back() + i), F::eYMD, i % 2 == 0));
    }
    {
      SDateParseCache scope;
      // Twice, so the second round reads remembered answers.
      for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < texts.size(); ++i) {
          cached.push_back(Parse(texts[i], orders[i % 7]));
          cachedText.push_back(SDateString(SDate(plain[i] + i), F::eYMD, i % 2 == 0));
        }
    }
    for (std::size_t i = 0; i < cachedText.size(); ++i)
      EXPECT_EQ(cachedText[i], plainText[i % texts.size()]);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (cached[i] != plain[i] || cached[i + texts.size()] != plain[i]) {
        ADD_FAILURE() << "\"" << texts[i] << "\" in order " << orders[i % 7].GetFormat()
                      << ": " << plain[i] << " without, " << cached[i] << " with";
        return false;
      }
    }
    return true;
  });
  EXPECT_TRUE(same);
}

INSTANTIATE_TEST_SUITE_P(Zones, SDateParseCacheZones,
                         ::testing::Values("UTC", "America/New_York"));

TEST(SDateParseCache, ConvertsEachKeyOnlyOnce) {
  testsupport::ScopedTimeZone zone("America/New_York");
  SDateParseCache scope;
  EXPECT_EQ(scope.ConversionCount(), 0u);
  const SDate first = Parse("1/2/2012");
  EXPECT_EQ(scope.ConversionCount(), 1u);
  // Different texts, same day, month and year after the year rules.
  for (const char * text : {"01/02/2012", "1/02/2012", "1/2/12", "01/2/12", "1/2/2012"}) {
    EXPECT_EQ(static_cast<unsigned long>(Parse(text)), static_cast<unsigned long>(first)) << text;
    EXPECT_EQ(Parse("2/1/2012", F::eDMY), first);
  }
  EXPECT_EQ(scope.ConversionCount(), 1u);
  Parse("1/3/2012");
  Parse("7/4/2012");
  EXPECT_EQ(scope.ConversionCount(), 3u);
  Parse("1/2/2012");
  Parse("7/4/12");
  EXPECT_EQ(scope.ConversionCount(), 3u);
}

} // namespace
