#pragma once

#include <vector>

#include "catalogue/database.h"
#include "generator/alternatives.h"
#include "generator/candidate_collection.h"
#include "generator/combination_search.h"
#include "generator/search_observers.h"
#include "generator/tree_ders.h"
#include "planner/planner.h"
#include "view/main_view.h"

namespace kiremo::generator {

// The automatic generator of the window: "Oluştur" collects the admissible
// sections of the chosen courses, enumerates the clash-free timetables and
// lists them in ComboBox31; choosing one applies it to the planner as if
// its sections had been committed by hand.
class Generator {
 public:
  Generator(planner::Planner& planner, ui::MainView& view, catalogue::CatalogueQuery& query1);

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

  // The "Oluştur" button. An error of the collection (an hour field or an
  // hour entry that is not a whole number, a failing query) is raised
  // before anything visible has changed: the previous results, the list
  // and the grid stay as they were.
  void btnYerlestirClick();
  // The result list's choice: applies alternative k (item k) to the rows.
  void ComboBox31Change();
  // Removes the committed section of every course row.
  void OtomatikSifirla();
  // The planner's reset empties the candidates through this.
  void ClearCandidates() { Candidates.clear(); }

  // Stores a successful collection and returns its size; shows the failure
  // message and returns -1 otherwise, keeping the previous candidates.
  int UygunDersleriKaydet(CandidateCollection collection);
  // Releases the previous results.
  void FreeTree();
  // Searches the candidates into Results (duplicates left out on the way).
  void BuildTree();

 private:
  void Tell(std::string_view caption, const std::string& text);

  planner::Planner& planner_;
  ui::MainView& view_;
  catalogue::CatalogueQuery& query1_;
  SearchMonitor* monitor_ = nullptr;
  SearchEnd last_end_ = SearchEnd::Complete;
};

}  // namespace kiremo::generator
