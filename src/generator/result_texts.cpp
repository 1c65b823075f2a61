#include "generator/result_texts.h"

#include "generator/generator_messages.h"
#include "text/cp1254.h"

namespace kiremo::generator {

namespace {

std::string Which(Listed which) {
  switch (which) {
    case Listed::First: return "ilk ";
    case Listed::Best: return "en iyi ";
    case Listed::Some: return {};
  }
  return {};
}

}  // namespace

std::string ResultItemText(int k, int count) {
  if (k == 0) return std::to_string(count) + std::string(" farklı program yaptım!"_w);
  return std::to_string(k) + ". Alternatif";
}

std::string GroupedNumber(std::int64_t number) {
  std::string digits = std::to_string(number < 0 ? -number : number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ".");
  return number < 0 ? "-" + digits : digits;
}

std::string AlternativeText(int k, const Metrics& metrics, bool with_walks) {
  std::string text =
      std::to_string(k) + std::string(". Alternatif — "_w) + std::to_string(metrics.days) + std::string(" gün"_w);
  if (metrics.days > 0) {
    text += std::string(" · "_w) + std::to_string(metrics.gaps) + std::string(" saat boşluk · "_w) +
            StartText(metrics) + std::string("–"_w) + EndText(metrics);
  }
  if (with_walks) text += std::string(" · "_w) + std::to_string(metrics.walks) + std::string(" bina değişikliği"_w);
  return text;
}

std::string SummaryText(int listed, std::int64_t total, bool stopped, Listed which) {
  if (total <= listed) return ResultItemText(0, listed);
  const std::string kept = "; " + Which(which) + GroupedNumber(listed) + " tanesi listelendi";
  if (stopped && which == Listed::Best)
    return std::string("Durdurulana kadar "_w) + GroupedNumber(total) + std::string(" program sıralandı"_w) + kept;
  if (stopped)
    return std::string("Durdurulana kadar "_w) + GroupedNumber(total) + std::string(" farklı program bulundu"_w) + kept;
  return GroupedNumber(total) + std::string(" farklı program var"_w) + kept;
}

std::string RunningSummaryText(int listed, std::int64_t total, Listed which) {
  const std::string kept = "; " + Which(which) + GroupedNumber(listed) + " tanesi listelendi";
  if (which == Listed::Best)
    return std::string("Sıralanıyor: şimdiye kadar "_w) + GroupedNumber(total) + std::string(" program sıralandı"_w) +
           kept;
  return std::string("Aranıyor: şimdiye kadar "_w) + GroupedNumber(total) + std::string(" program bulundu"_w) + kept;
}

std::string LimitReachedText(int listed, std::int64_t total, Listed which) {
  return std::string(kLimitBefore) + GroupedNumber(total) + std::string(kLimitMiddle) + Which(which) +
         GroupedNumber(listed) + std::string(kLimitAfter);
}

std::string StoppedText(int listed, std::int64_t total, Listed which, bool out_of_time) {
  const std::string before = std::string(out_of_time ? kOutOfTime : kStoppedByStudent) +
                             std::string(which == Listed::Best ? kRankedSoFar : kFoundSoFar);
  if (total <= listed) return before + std::to_string(listed) + std::string(kStoppedAfter);
  return before + GroupedNumber(total) + std::string(kStoppedCutMiddle) + Which(which) + GroupedNumber(listed) +
         std::string(kStoppedCutAfter);
}

std::string StoppedEmptyText(bool out_of_time) {
  return std::string(out_of_time ? kOutOfTime : kStoppedByStudent) + std::string(kNothingSoFar);
}

}  // namespace kiremo::generator
