#include "generator/generator.h"

#include "generator/generator_messages.h"

namespace kiremo::generator {

namespace {
constexpr int kRows = 10;
}

Generator::Generator(planner::Planner& planner, ui::MainView& view, catalogue::CatalogueQuery& query1)
    : planner_(planner), view_(view), query1_(query1) {}

void Generator::Tell(std::string_view caption, const std::string& text) {
  view_.Dialog().Message(std::string(caption), text, ui::Icon::Warning);
}

void Generator::btnYerlestirClick() {
  int rows_with_sections = 0;
  for (int row = 1; row <= kRows; ++row) {
    if (view_.SectionCombo(row).Count() > 0) ++rows_with_sections;
  }
  // Everything that can fail on the student's input runs first, so that a
  // failure leaves the preview, the list and the old results in place.
  CandidateCollection collection;
  if (rows_with_sections >= 2) collection = CollectCandidates(view_, query1_);

  planner_.GeciciSil();
  view_.ComboBox31().Clear();
  if (rows_with_sections == 0) return Tell(kMesaj, std::string(kNoCourse));
  if (rows_with_sections == 1) return Tell(kMesaj, std::string(kOneCourse));

  CandidateCount = UygunDersleriKaydet(std::move(collection));
  if (CandidateCount == -1) return;
  FreeTree();
  BuildTree();

  if (ResultCount == 0) {
    if (last_end_ == SearchEnd::Stopped) return Tell(kMesaj, std::string(kStoppedEmpty));
    return Tell(kEdebiMesaj, std::string(kImpossible));
  }
  view_.ComboBox31().ShowResults(ResultCount);
  if (last_end_ == SearchEnd::LimitReached) Tell(kMesaj, std::string(kLimitReached));
  if (last_end_ == SearchEnd::Stopped) {
    Tell(kMesaj, std::string(kStoppedBefore) + std::to_string(ResultCount) + std::string(kStoppedAfter));
  }
}

int Generator::UygunDersleriKaydet(CandidateCollection collection) {
  if (!collection.failure.empty()) {
    Tell(kHata, collection.failure);
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

void Generator::ComboBox31Change() {
  const int k = view_.ComboBox31().ItemIndex();
  // The reset empties the candidates (and the list) but keeps the results.
  if (k <= 0 || k > ResultCount || Candidates.empty()) return;
  OtomatikSifirla();
  for (int level = Results.Levels() - 1; level >= 0; --level) {
    const TTreeDers& c = Candidates[Results.Candidate(k - 1, level)];
    view_.ComboBox(c.SectionCombo).SetItemIndex(c.SectionIndex);
    planner_.BilgiKaydet(c.Row);
    planner_.KaliciBoya(c.Row);
  }
}

void Generator::OtomatikSifirla() {
  for (int row = 1; row <= kRows; ++row) planner_.DersCikar(400, 400, row);
}

}  // namespace kiremo::generator
