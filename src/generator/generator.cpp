#include "generator/generator.h"

#include "generator/clash_explanation.h"
#include "generator/constraint_note.h"
#include "generator/generator_messages.h"
#include "generator/hour_window.h"
#include "generator/result_order.h"
#include "generator/result_texts.h"
#include "planner/markers.h"

namespace kiremo::generator {

namespace {

Notice Tell(std::string_view caption, std::string text) {
  return {std::string(caption), std::move(text), Icon::Warning};
}

// "1. ve 2. satır", "1., 4. ve 9. satır".
std::string RowsText(const std::vector<int>& rows) {
  std::string text;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    text += (k == 0 ? "" : k + 1 == rows.size() ? " ve " : ", ") + std::to_string(rows[k]) + ".";
  }
  return text + std::string(" satır"_w);
}

}  // namespace

std::vector<Notice> BoxesToShow(const Generation& generation) {
  std::vector<Notice> boxes = generation.notices;
  // Saying why nothing fits is information: nothing went wrong.
  if (generation.explanation && !boxes.empty()) {
    boxes.back() = {std::string(kBilgi), generation.explanation->text, Icon::Information};
  }
  return boxes;
}

Generator::Generator(planner::Planner& planner, catalogue::CatalogueQuery& query1)
    : planner_(planner), query1_(query1) {}

Generation Generator::btnYerlestirClick(const GeneratorPanel& panel) {
  // An hour window that no section can fit would be blamed on a course.
  if (auto fault = HourWindowFault(panel.first_hour, panel.end_hour)) throw HourWindowError(*fault);
  int rows_with_sections = 0;
  for (int row = 1; row <= planner::kRows; ++row) {
    if (planner_.Row(row).section.Count() > 0) ++rows_with_sections;
  }
  // A course chosen twice can only clash with itself or repeat a timetable:
  // said at once, however long the search would take to find that out.
  std::optional<Explanation> repeated;
  if (rows_with_sections >= 2) repeated = RepeatedCourse();
  // Everything that can fail on the student's input runs first, so that a
  // failure leaves the preview, the list and the old results in place.
  CandidateCollection collection;
  if (rows_with_sections >= 2 && !repeated) collection = CollectCandidates(planner_, panel, query1_);

  planner_.GeciciSil();
  if (rows_with_sections == 0) return {0, {Tell(kMesaj, std::string(kNoCourse))}, {}};
  if (rows_with_sections == 1) return {0, {Tell(kMesaj, std::string(kOneCourse))}, {}};
  if (repeated) return {0, {Tell(kMesaj, repeated->text)}, repeated};

  Generation generation;
  generation.explanation = std::move(collection.explanation);
  const std::map<std::string, ConstraintCut> cuts = std::move(collection.cuts);
  CandidateCount = UygunDersleriKaydet(std::move(collection), generation.notices);
  if (CandidateCount == -1) return generation;
  FreeTree();
  BuildTree();

  if (ResultCount == 0) return NothingFound(cuts);
  return Listing();
}

// Why nothing is listed: proven impossible (the box of the window's first
// version, whose text the explanation replaces), or stopped before anything
// was found, with the courses that could not be placed together so far.
Generation Generator::NothingFound(const std::map<std::string, ConstraintCut>& cuts) const {
  const bool stopped = last_end_ == SearchEnd::Stopped;
  std::optional<Explanation> why = ExplainClash(Candidates, !stopped);
  if (why) why->text += ConstraintNote(why->courses, cuts);
  if (!stopped) return {0, {Tell(kEdebiMesaj, std::string(kImpossible))}, std::move(why)};
  std::string text = StoppedEmptyText(OutOfTime());
  if (why) {
    why->text = text + " " + why->text;
    text = why->text;
  }
  return {0, {Tell(kMesaj, text)}, std::move(why)};
}

std::optional<Explanation> Generator::RepeatedCourse() const {
  for (int row = 1; row <= planner::kRows; ++row) {
    const std::string code = planner_.Row(row).course.Text();
    if (code.empty() || code == planner::kBos || code == planner::kSecin) continue;
    std::vector<int> rows;
    for (int other = 1; other <= planner::kRows; ++other) {
      if (planner_.Row(other).course.Text() == code) rows.push_back(other);
    }
    if (rows.size() > 1 && rows.front() == row) {
      return Explanation{{code}, {}, code + std::string(kSameCourse) + RowsText(rows) + std::string(kSameCourseAfter)};
    }
  }
  return std::nullopt;
}

Generation Generator::Listing() const {
  Generation generation;
  generation.listed = ResultCount;
  const Listed which = searched_by_.empty() ? Listed::First : Listed::Best;
  if (last_end_ == SearchEnd::LimitReached) {
    generation.notices.push_back(Tell(kMesaj, LimitReachedText(ResultCount, Total, which)));
  }
  if (last_end_ == SearchEnd::Stopped) {
    generation.notices.push_back(Tell(kMesaj, StoppedText(ResultCount, Total, which, OutOfTime())));
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
  Total = 0;
  order_.clear();
}

void Generator::BuildTree() {
  // The results so far are listed with the search's keys and metrics.
  searched_by_ = keys_;
  const FriendWeeks* friends = friends_ ? &*friends_ : nullptr;
  metrics_ = RankingTable(Candidates, friends);
  searching_ = true;
  SearchOutcome outcome = SearchCombinations(Candidates, {.limit = kResultLimit,
                                                          .keys = keys_,
                                                          .monitor = monitor_,
                                                          .so_far = so_far_listener_ ? &so_far_ : nullptr,
                                                          .friends = friends});
  searching_ = false;
  Results = std::move(outcome.alternatives);
  ResultCount = Results.Count();
  Total = outcome.total;
  last_end_ = outcome.end;
  order_ = keys_.empty() ? std::vector<int>() : OrderByRank(outcome.ranks);
}

void Generator::SoFar::Show(SearchOutcome so_far) {
  Generator& g = generator_;
  g.Results = std::move(so_far.alternatives);
  g.ResultCount = g.Results.Count();
  g.Total = so_far.total;
  g.order_ = g.keys_.empty() ? std::vector<int>() : OrderByRank(so_far.ranks);
  g.so_far_listener_();
}

void Generator::SetSortKeys(const SortKeys& keys) {
  if (keys == keys_) return;
  keys_ = keys;
  order_ = keys_.empty() ? std::vector<int>() : OrderBy(Results, metrics_, keys_);
}

Metrics Generator::MetricsOfItem(int item) const {
  std::vector<int> path;
  PathOf(Results, ResultOfItem(item), path);
  Metrics metrics = metrics_.Of(path.data(), Results.Levels());
  AddAllPreferences(metrics, metrics_, path.data(), Results.Levels(), metrics_.HoursOf(path.data(), Results.Levels()));
  return metrics;
}

Listed Generator::WhichListed() const {
  if (searched_by_.empty()) return keys_.empty() ? Listed::First : Listed::Some;
  return searched_by_ == keys_ ? Listed::Best : Listed::Some;
}

std::string Generator::SummaryText() const {
  if (searching_) return RunningSummaryText(ResultCount, Total, WhichListed());
  return generator::SummaryText(ResultCount, Total, last_end_ == SearchEnd::Stopped, WhichListed());
}

std::string Generator::ItemText(int k) const {
  if (k == 0) return SummaryText();
  return AlternativeText(k, MetricsOfItem(k), NeedsWalks(keys_));
}

void Generator::ComboBox31Change(int item) {
  // The reset empties the candidates (and the list) but keeps the results.
  if (item <= 0 || item > ResultCount || Candidates.empty()) return;
  OtomatikSifirla();
  const int k = ResultOfItem(item);
  for (int level = Results.Levels() - 1; level >= 0; --level) {
    const TTreeDers& c = Candidates[Results.Candidate(k, level)];
    planner_.SelectSection(c.Row, c.SectionIndex);
    planner_.BilgiKaydet(c.Row);
    planner_.KaliciBoya(c.Row);
  }
}

void Generator::OtomatikSifirla() {
  for (int row = 1; row <= planner::kRows; ++row) planner_.RemoveRow(row);
}

}  // namespace kiremo::generator
