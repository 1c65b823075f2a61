#pragma once

#include <vector>

#include "catalogue/database.h"
#include "generator/alternatives.h"
#include "generator/candidate_collection.h"
#include "generator/combination_search.h"
#include "generator/panel.h"
#include "generator/search_observers.h"
#include "generator/tree_ders.h"
#include "planner/planner.h"
#include "text/notice.h"

namespace kiremo::generator {

// What a generation tells the window: how many alternatives its result list
// lists (0 leaves it empty) and the boxes to show after that, in order.
struct Generation {
  int listed = 0;
  std::vector<Notice> notices;
};

// The automatic generator: "Oluştur" collects the admissible sections of the
// chosen courses and enumerates the clash-free timetables; choosing one of
// them applies it to the planner as if its sections had been committed by
// hand. The result list itself belongs to the window, which lists
// ResultCount alternatives after a generation.
class Generator {
 public:
  Generator(planner::Planner& planner, catalogue::CatalogueQuery& query1);

  // State of the last generation. Results refer to Candidates by position
  // and stay until the next generation that gets past the collection.
  std::vector<TTreeDers> Candidates;
  int CandidateCount = 0;  // -1 after a collection that found a row without sections
  Alternatives Results;
  int ResultCount = 0;

  // Watches and may stop long searches; none by default.
  void SetSearchMonitor(SearchMonitor* monitor) { monitor_ = monitor; }
  // How the last search ended.
  SearchEnd LastSearchEnd() const { return last_end_; }

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
  planner::Planner& planner_;
  catalogue::CatalogueQuery& query1_;
  SearchMonitor* monitor_ = nullptr;
  SearchEnd last_end_ = SearchEnd::Complete;
};

}  // namespace kiremo::generator
