#pragma once

#include <string>
#include <utility>
#include <vector>

#include "generator/alternatives.h"
#include "generator/oracle_tree.h"
#include "generator/tree_ders.h"

namespace kiremo::generator::testing {

// A candidate of a course row with the (day, slot) cells it occupies.
inline TTreeDers Section(int row, std::string crn, std::vector<std::pair<int, int>> cells) {
  TTreeDers c;
  c.Row = row;
  c.SectionCombo = 3 * row;
  c.CRN = std::move(crn);
  for (const auto& [day, slot] : cells) {
    c.Days.push_back(std::to_string(day));
    c.Slots.push_back(std::to_string(slot));
  }
  return c;
}

// Numbers the candidates as the collection does.
inline std::vector<TTreeDers> Numbered(std::vector<TTreeDers> candidates) {
  for (std::size_t k = 0; k < candidates.size(); ++k) candidates[k].Index = static_cast<int>(k);
  return candidates;
}

using Timetable = std::vector<std::string>;  // CRNs from the first level down

inline std::vector<Timetable> Timetables(const Alternatives& found, const std::vector<TTreeDers>& candidates) {
  std::vector<Timetable> all;
  for (int k = 0; k < found.Count(); ++k) {
    Timetable t;
    for (int level = 0; level < found.Levels(); ++level) t.push_back(candidates[found.Candidate(k, level)].CRN);
    all.push_back(t);
  }
  return all;
}

// The oracle's kept timetables as candidate paths.
struct OracleRun {
  std::vector<std::vector<int>> paths;
  int found_before_duplicates = 0;
};

inline OracleRun RunOracle(const std::vector<TTreeDers>& candidates, oracle::TraceView* view = nullptr) {
  oracle::Module m;
  m.Candidates = candidates;
  m.CandidateCount = static_cast<int>(candidates.size());
  m.TreeView1 = view;
  m.FreeTree();
  m.BuildTree();
  OracleRun run;
  run.found_before_duplicates = m.ResultCount - 1;
  m.RemoveDuplicates();
  for (const oracle::Node* leaf : m.Results) run.paths.push_back(oracle::PathOf(leaf));
  return run;
}

}  // namespace kiremo::generator::testing
