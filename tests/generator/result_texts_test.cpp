#include "generator/result_texts.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"

namespace kiremo::generator {
namespace {

TEST(ResultTexts, CountsAreGroupedByThousands) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "0"}, {999, "999"}, {1000, "1.000"}, {1'000'000, "1.000.000"}, {6'164'168, "6.164.168"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(GroupedNumber(number), text);
}

TEST(ResultTexts, AnAlternativeReadsWithItsMetrics) {
  const Metrics week{.days = 3, .gaps = 2, .first_hour = 9, .last_hour = 14, .walks = 1};
  EXPECT_EQ(Cp1254ToUtf8(AlternativeText(12, week, false)), "12. Alternatif — 3 gün · 2 saat boşluk · 09:30–15:29");
  EXPECT_EQ(Cp1254ToUtf8(AlternativeText(1, week, true)),
            "1. Alternatif — 3 gün · 2 saat boşluk · 09:30–15:29 · 1 bina değişikliği");
  EXPECT_EQ(Cp1254ToUtf8(AlternativeText(2, Metrics{}, false)), "2. Alternatif — 0 gün") << "sections without hours";
}

TEST(ResultTexts, SummaryGivesTheTrueTotalWhenNotAllAreListed) {
  struct Case {
    int listed;
    std::int64_t total;
    bool stopped;
    Listed which;
    const char* text;
  };
  const Case cases[] = {
      {2909, 2909, false, Listed::First, "2909 farklı program yaptım!"},
      {2909, 2909, true, Listed::Best, "2909 farklı program yaptım!"},
      {1'000'000, 6'164'168, false, Listed::Best, "6.164.168 farklı program var; en iyi 1.000.000 tanesi listelendi"},
      {1'000'000, 6'164'168, false, Listed::First, "6.164.168 farklı program var; ilk 1.000.000 tanesi listelendi"},
      {1'000'000, 6'164'168, false, Listed::Some, "6.164.168 farklı program var; 1.000.000 tanesi listelendi"},
      {1'000'000, 2'000'000, true, Listed::First,
       "Durdurulana kadar 2.000.000 farklı program bulundu; ilk 1.000.000 tanesi listelendi"},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp1254ToUtf8(SummaryText(c.listed, c.total, c.stopped, c.which)), c.text);
}

}  // namespace
}  // namespace kiremo::generator
