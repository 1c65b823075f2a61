#include "generator/comparison_texts.h"

#include "generator/sort_keys.h"
#include "planner/common_free.h"
#include "text/cp1254.h"

namespace kiremo::generator {

namespace {

Better ByKey(const Metrics& a, const Metrics& b, SortKey key) {
  const int value_a = KeyValue(a, key), value_b = KeyValue(b, key);
  return value_a == value_b ? Better::Same : value_a < value_b ? Better::A : Better::B;
}

std::string ClockOr(const std::string& clock) { return clock.empty() ? std::string("-") : clock; }

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::string OtherSectionText(const OtherSection& change) {
  if (change.b.empty()) return change.course + std::string(" A'da bir şube daha: "_w) + change.a;
  if (change.a.empty()) return change.course + std::string(" B'de bir şube daha: "_w) + change.b;
  return change.course + std::string(" başka şubede: "_w) + change.a + " -> " + change.b;
}

std::string CellsText(const planner::SlotRange& range, const CellDifference& cell) {
  const std::string side_a = cell.a.empty() ? std::string("A boş"_w) : "A'da " + cell.a;
  const std::string side_b = cell.b.empty() ? std::string("B boş"_w) : "B'de " + cell.b;
  return planner::RangeText(range) + ": " + side_a + ", " + side_b;
}

}  // namespace

std::vector<MeasureLine> MeasureLines(const Comparison& comparison) {
  const Metrics& a = comparison.a.metrics;
  const Metrics& b = comparison.b.metrics;
  auto number = [](int n) { return std::to_string(n); };
  return {
      {std::string("Gün"_w), number(a.days), number(b.days), ByKey(a, b, SortKey::Days)},
      {std::string("Boşluk"_w), number(a.gaps), number(b.gaps), ByKey(a, b, SortKey::Gaps)},
      {std::string("İlk ders"_w), ClockOr(StartText(a)), ClockOr(StartText(b)), ByKey(a, b, SortKey::Late)},
      {std::string("Son ders"_w), ClockOr(EndText(a)), ClockOr(EndText(b)), ByKey(a, b, SortKey::Early)},
      {std::string("Bina değişikliği"_w), number(a.walks), number(b.walks), ByKey(a, b, SortKey::Walks)},
      {std::string("Haftalık ders saati"_w), number(comparison.a.hours), number(comparison.b.hours), Better::Unranked},
  };
}

std::string BetterText(Better better) {
  switch (better) {
    case Better::Same: return std::string("eşit"_w);
    case Better::A: return "A";
    case Better::B: return "B";
    case Better::Unranked: return {};
  }
  return {};
}

std::vector<std::string> DifferenceLines(const Comparison& comparison) {
  std::vector<std::string> lines;
  if (!comparison.only_a.empty()) lines.push_back(std::string("Yalnız A'da: "_w) + Listed(comparison.only_a));
  if (!comparison.only_b.empty()) lines.push_back(std::string("Yalnız B'de: "_w) + Listed(comparison.only_b));
  for (const OtherSection& change : comparison.other_section) lines.push_back(OtherSectionText(change));
  const auto& cells = comparison.cells;
  for (std::size_t k = 0; k < cells.size();) {
    planner::SlotRange range{cells[k].day, cells[k].slot, cells[k].slot};
    std::size_t next = k + 1;
    for (; next < cells.size(); ++next) {
      const CellDifference& cell = cells[next];
      if (cell.day != range.day || cell.slot != range.to + 1 || cell.a != cells[k].a || cell.b != cells[k].b) break;
      range.to = cell.slot;
    }
    lines.push_back(CellsText(range, cells[k]));
    k = next;
  }
  if (lines.empty()) lines.emplace_back("Fark yok: dersler, şubeler ve saatler aynı."_w);
  return lines;
}

}  // namespace kiremo::generator
