#include "generator/generator.h"

#include "generator/generator_messages.h"
#include "generator/hour_window.h"

namespace kiremo::generator {

namespace {

Notice Tell(std::string_view caption, std::string text) {
  return {std::string(caption), std::move(text), Icon::Warning};
}

}  // namespace

Generator::Generator(planner::Planner& planner, catalogue::CatalogueQuery& query1)
    : planner_(planner), query1_(query1) {}

Generation Generator::btnYerlestirClick(const GeneratorPanel& panel) {
  // An hour window that no section can fit would be blamed on a course.
  if (auto fault = HourWindowFault(panel.first_hour, panel.end_hour)) throw HourWindowError(*fault);
  int rows_with_sections = 0;
  for (int row = 1; row <= planner::kRows; ++row) {
    if (planner_.Row(row).section.Count() > 0) ++rows_with_sections;
  }
  // Everything that can fail on the student's input runs first, so that a
  // failure leaves the preview, the list and the old results in place.
  CandidateCollection collection;
  if (rows_with_sections >= 2) collection = CollectCandidates(planner_, panel, query1_);

  planner_.GeciciSil();
  if (rows_with_sections == 0) return {0, {Tell(kMesaj, std::string(kNoCourse))}};
  if (rows_with_sections == 1) return {0, {Tell(kMesaj, std::string(kOneCourse))}};

  Generation generation;
  CandidateCount = UygunDersleriKaydet(std::move(collection), generation.notices);
  if (CandidateCount == -1) return generation;
  FreeTree();
  BuildTree();

  if (ResultCount == 0) {
    if (last_end_ == SearchEnd::Stopped) return {0, {Tell(kMesaj, std::string(kStoppedEmpty))}};
    return {0, {Tell(kEdebiMesaj, std::string(kImpossible))}};
  }
  generation.listed = ResultCount;
  if (last_end_ == SearchEnd::LimitReached) generation.notices.push_back(Tell(kMesaj, std::string(kLimitReached)));
  if (last_end_ == SearchEnd::Stopped) {
    generation.notices.push_back(
        Tell(kMesaj, std::string(kStoppedBefore) + std::to_string(ResultCount) + std::string(kStoppedAfter)));
  }
  return generation;
}

int Generator::UygunDersleriKaydet(CandidateCollection collection, std::vector<Notice>& notices) {
  if (!collection.failure.empty()) {
    notices.push_back(Tell(kHata, collection.failure));
    return -1;
  }
  Candidates = std::move(collection.candidates);
  return static_cast<int>(Candidates.size());
}

void Generator::FreeTree() {
  Results = Alternatives();
  ResultCount = 0;
}

void Generator::BuildTree() {
  SearchOutcome outcome = SearchCombinations(Candidates, {.limit = kResultLimit, .monitor = monitor_});
  Results = std::move(outcome.alternatives);
  ResultCount = Results.Count();
  last_end_ = outcome.end;
}

void Generator::ComboBox31Change(int item) {
  // The reset empties the candidates (and the list) but keeps the results.
  if (item <= 0 || item > ResultCount || Candidates.empty()) return;
  OtomatikSifirla();
  for (int level = Results.Levels() - 1; level >= 0; --level) {
    const TTreeDers& c = Candidates[Results.Candidate(item - 1, level)];
    planner_.SelectSection(c.Row, c.SectionIndex);
    planner_.BilgiKaydet(c.Row);
    planner_.KaliciBoya(c.Row);
  }
}

void Generator::OtomatikSifirla() {
  for (int row = 1; row <= planner::kRows; ++row) planner_.RemoveRow(row);
}

}  // namespace kiremo::generator
