#include "cli/plan_compare.h"

#include <algorithm>
#include <ostream>

#include "cli/args.h"
#include "cli/output.h"
#include "files/plan_io.h"
#include "generator/comparison_texts.h"
#include "generator/plan_comparison.h"
#include "generator/timetable.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "plan compare A.dkf B.dkf [--json]";

nlohmann::json TextOrNull(const std::string& cp1254_text) {
  return cp1254_text.empty() ? nlohmann::json(nullptr) : JsonText(cp1254_text);
}

// As "generate --metrics" gives them, and the weekly class hours.
nlohmann::json MeasuresJson(const generator::Measures& measures) {
  const generator::Metrics& m = measures.metrics;
  return {{"days", m.days},
          {"gaps", m.gaps},
          {"start", TextOrNull(generator::StartText(m))},
          {"end", TextOrNull(generator::EndText(m))},
          {"walks", m.walks},
          {"hours", measures.hours}};
}

nlohmann::json ComparisonJson(const generator::Comparison& comparison, const std::string& file_a,
                              const std::string& file_b) {
  nlohmann::json other = nlohmann::json::array();
  for (const generator::OtherSection& change : comparison.other_section) {
    other.push_back({{"course", JsonText(change.course)}, {"a", TextOrNull(change.a)}, {"b", TextOrNull(change.b)}});
  }
  nlohmann::json cells = nlohmann::json::array();
  for (const generator::CellDifference& cell : comparison.cells) {
    cells.push_back({{"day", cell.day}, {"hour", cell.slot}, {"a", TextOrNull(cell.a)}, {"b", TextOrNull(cell.b)}});
  }
  return {{"a", {{"file", file_a}, {"metrics", MeasuresJson(comparison.a)}}},
          {"b", {{"file", file_b}, {"metrics", MeasuresJson(comparison.b)}}},
          {"only_a", JsonTexts(comparison.only_a)},
          {"only_b", JsonTexts(comparison.only_b)},
          {"other_section", other},
          {"cells", cells}};
}

std::string Padded(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size()), ' ');
  return text;
}

// The table of measures in columns (one byte is one character in
// Windows-1254), then the differences.
void PrintComparison(std::ostream& out, const generator::Comparison& comparison, const std::string& file_a,
                     const std::string& file_b) {
  PrintLine(out, "A: " + Utf8ToCp1254(file_a));
  PrintLine(out, "B: " + Utf8ToCp1254(file_b));
  const std::vector<generator::MeasureLine> lines = generator::MeasureLines(comparison);
  std::size_t name_width = 0, value_width = 1;
  for (const generator::MeasureLine& line : lines) {
    name_width = std::max(name_width, line.name.size());
    value_width = std::max({value_width, line.a.size(), line.b.size()});
  }
  auto row = [&](const std::string& name, const std::string& a, const std::string& b, const std::string& better) {
    std::string text = Padded(name, name_width + 2) + Padded(a, value_width + 2) + Padded(b, value_width + 2) + better;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    PrintLine(out, text);
  };
  row(std::string("Ölçü"_w), "A", "B", std::string("Daha iyi"_w));
  for (const generator::MeasureLine& line : lines) row(line.name, line.a, line.b, generator::BetterText(line.better));
  PrintLine(out, "Farklar:");
  for (const std::string& line : generator::DifferenceLines(comparison)) PrintLine(out, line);
}

}  // namespace

int ComparePlansCommand(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(2, kUsage);
  const std::string& file_a = args.Positional()[0];
  const std::string& file_b = args.Positional()[1];
  generator::Comparison comparison;
  try {
    comparison = generator::Compare(generator::TimetableOfPlan(files::ReadPlanFile(file_a)),
                                    generator::TimetableOfPlan(files::ReadPlanFile(file_b)));
  } catch (const Error& e) {
    context.err << Cp1254ToUtf8(e.what()) << '\n';
    return 2;
  }
  if (args.Has("--json")) {
    PrintJson(context.out, ComparisonJson(comparison, file_a, file_b));
  } else {
    PrintComparison(context.out, comparison, file_a, file_b);
  }
  return 0;
}

}  // namespace kiremo::cli
