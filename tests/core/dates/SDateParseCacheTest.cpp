// The date conversion memo gives the same answers as converting without it.
#include "core/DateTestHelpers.h"
#include "dates/SDateParseCache.h"
#include "dates/SDateString.h"

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

class SDateParseCacheZones : public datetest::ZoneTest {};

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

} // namespace
