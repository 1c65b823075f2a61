#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/database.h"
#include "generator/alternatives.h"
#include "generator/candidate_collection.h"
#include "generator/combination_search.h"
#include "generator/explanation.h"
#include "generator/panel.h"
#include "generator/preference_metrics.h"
#include "generator/result_texts.h"
#include "generator/search_observers.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"
#include "generator/tree_ders.h"
#include "planner/planner.h"
#include "text/notice.h"

namespace kiremo::generator {

// What a generation tells the window: how many alternatives its result list
// lists (0 leaves it empty) and the boxes to show after that, in order, in
// the words of the window's first version. When nothing fits, the
// explanation says why.
struct Generation {
  int listed = 0;
  std::vector<Notice> notices;
  std::optional<Explanation> explanation;
};

// The boxes the window shows: the notices, the last one telling the
// explanation instead when there is one, as information ("Bilgi").
std::vector<Notice> BoxesToShow(const Generation& generation);

// The automatic generator: "Oluştur" collects the admissible sections of the
// chosen courses and enumerates the clash-free timetables; choosing one of
// them applies it to the planner as if its sections had been committed by
// hand. The result list itself belongs to the window, which lists
// ResultCount alternatives after a generation, in the chosen order.
class Generator {
 public:
  Generator(planner::Planner& planner, catalogue::CatalogueQuery& query1);

  // State of the last generation. Results refer to Candidates by position
  // and stay until the next generation that gets past the collection.
  std::vector<TTreeDers> Candidates;
  int CandidateCount = 0;  // -1 after a collection that found a row without sections
  Alternatives Results;    // in the order found
  int ResultCount = 0;
  std::int64_t Total = 0;  // every distinct timetable found, listed or not

  // Watches and may stop long searches; none by default.
  void SetSearchMonitor(SearchMonitor* monitor) { monitor_ = monitor; }
  // Called while a long search goes on, whenever Results, ResultCount and
  // Total hold the best found so far (the window lists them); none by
  // default.
  void SetSoFarListener(std::function<void()> listener) { so_far_listener_ = std::move(listener); }
  // A search is going on: the results are those found so far.
  bool Searching() const { return searching_; }
  // How the last search ended.
  SearchEnd LastSearchEnd() const { return last_end_; }

  // The order of the list: the next search keeps the best timetables by
  // these keys when it finds too many, and the current results are put in
  // this order at once, without searching again.
  void SetSortKeys(const SortKeys& keys);
  const SortKeys& SortKeysInUse() const { return keys_; }
  // The friends' plans that the next search weighs against (the friends
  // key, and the shared sections and common free hours of the metrics).
  void SetFriends(FriendWeeks friends) { friends_ = std::move(friends); }
  bool HasFriends() const { return friends_.has_value(); }
  // The Results entry that list item k (1..ResultCount) shows.
  int ResultOfItem(int item) const { return order_.empty() ? item - 1 : order_[item - 1]; }
  Metrics MetricsOfItem(int item) const;
  // The window's text of list item k: the summary for 0, otherwise the
  // alternative with its metrics.
  std::string ItemText(int k) const;
  // The summary item.
  std::string SummaryText() const;

  // The "Oluştur" button; the window empties its result list when it returns.
  // An hour window that HourWindowFault refuses raises HourWindowError first;
  // an error of the collection (an hour entry that is not a whole number, a
  // failing query) is raised before anything has changed too: the previous
  // results, the list and the grid stay as they were.
  Generation btnYerlestirClick(const GeneratorPanel& panel);
  // The result list's choice of item k: applies alternative k to the rows;
  // the summary (0) and no choice (-1) do nothing.
  void ComboBox31Change(int item);
  // Removes the committed section of every course row.
  void OtomatikSifirla();
  // The planner's reset empties the candidates through this.
  void ClearCandidates() { Candidates.clear(); }

  // Stores a successful collection and returns its size; returns -1 and
  // adds the failure message otherwise, keeping the previous candidates.
  int UygunDersleriKaydet(CandidateCollection collection, std::vector<Notice>& notices);
  // Releases the previous results.
  void FreeTree();
  // Searches the candidates into Results (duplicates left out on the way).
  void BuildTree();

 private:
  // The course chosen in more than one active row, with its rows; nothing
  // when every course is chosen once.
  std::optional<Explanation> RepeatedCourse() const;
  Generation Listing() const;
  Generation NothingFound(const std::map<std::string, ConstraintCut>& cuts) const;
  Listed WhichListed() const;
  bool OutOfTime() const { return monitor_ && monitor_->OutOfTime(); }

  // Takes the results so far into the generator's state for the window.
  class SoFar : public SearchSoFar {
   public:
    explicit SoFar(Generator& generator) : generator_(generator) {}
    void Show(SearchOutcome so_far) override;

   private:
    Generator& generator_;
  };

  planner::Planner& planner_;
  catalogue::CatalogueQuery& query1_;
  SearchMonitor* monitor_ = nullptr;
  std::function<void()> so_far_listener_;
  SoFar so_far_{*this};
  bool searching_ = false;
  SearchEnd last_end_ = SearchEnd::Complete;
  SortKeys keys_;  // the order of the list
  std::optional<FriendWeeks> friends_;
  SortKeys searched_by_;    // the keys of the last search
  MetricsTable metrics_;    // of the last search's candidates
  std::vector<int> order_;  // the list's order; empty: the order found
};

}  // namespace kiremo::generator
