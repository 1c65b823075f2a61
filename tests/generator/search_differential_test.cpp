// The fast search against the oracle tree on seeded random candidate lists:
// clashes, one course in two rows, timeless sections, a section listed twice
// in its row, one CRN in several rows, cells repeated within a section,
// cells outside the grid, and rows whose candidates interleave.
#include <gtest/gtest.h>

#include <random>

#include "generator/combination_search.h"
#include "generator/search_fixture.h"
#include "generator/trace_recorder.h"

namespace kiremo::generator {
namespace {

using testing::Numbered;
using testing::OracleRun;
using testing::RunOracle;

struct Course {
  std::vector<TTreeDers> sections;  // Row and SectionCombo filled per row
};

TTreeDers RandomSection(std::mt19937& random, const std::string& crn) {
  TTreeDers s;
  s.CRN = crn;
  const int meetings = std::uniform_int_distribution<int>(0, 3)(random);
  for (int m = 0; m < meetings; ++m) {
    if (random() % 6 == 0) continue;  // a "BO" day or a meeting without a time: no cells
    const int day = 1 + random() % 5;
    const int first = random() % 20 == 0 ? static_cast<int>(random() % 3) * 15 : 1 + static_cast<int>(random() % 14);
    const int length = 1 + random() % 3;
    for (int slot = first; slot < first + length; ++slot) {
      s.Days.push_back(std::to_string(day));
      s.Slots.push_back(std::to_string(slot));
    }
  }
  if (!s.Days.empty() && random() % 15 == 0) {  // one cell listed twice
    s.Days.push_back(s.Days.front());
    s.Slots.push_back(s.Slots.front());
  }
  return s;
}

std::vector<TTreeDers> RandomCandidates(std::mt19937& random) {
  std::vector<Course> courses(1 + random() % 5);
  int next_crn = 10000;
  std::vector<std::string> used;
  for (Course& course : courses) {
    const int sections = 1 + random() % 5;
    for (int k = 0; k < sections; ++k) {
      // Now and then a CRN that another course already has.
      const std::string crn =
          !used.empty() && random() % 12 == 0 ? used[random() % used.size()] : std::to_string(next_crn++);
      used.push_back(crn);
      course.sections.push_back(RandomSection(random, crn));
    }
  }
  std::vector<int> rows;
  for (int row = 1; row <= 10; ++row) {
    if (random() % 2 == 0) rows.push_back(row);
  }
  rows.resize(std::min<std::size_t>(rows.size(), 1 + random() % 6));

  std::vector<TTreeDers> candidates;
  for (const int row : rows) {
    const Course& course = courses[random() % courses.size()];  // often the same course in two rows
    for (const TTreeDers& section : course.sections) {
      const int copies = random() % 4 == 0 ? 0 : random() % 10 == 0 ? 2 : 1;  // filtered out, or listed twice
      for (int k = 0; k < copies; ++k) {
        TTreeDers c = section;
        c.Row = row;
        c.SectionCombo = 3 * row;
        candidates.push_back(c);
      }
    }
  }
  if (random() % 10 == 0) std::shuffle(candidates.begin(), candidates.end(), random);
  return Numbered(candidates);
}

std::vector<std::vector<int>> Paths(const Alternatives& found) {
  std::vector<std::vector<int>> paths;
  for (int k = 0; k < found.Count(); ++k) {
    std::vector<int> path;
    for (int level = 0; level < found.Levels(); ++level) path.push_back(found.Candidate(k, level));
    paths.push_back(path);
  }
  return paths;
}

TEST(SearchDifferential, FastSearchEqualsTheOracleTree) {
  int with_results = 0, with_duplicates = 0, with_clashes = 0, with_limit = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    std::mt19937 random(seed);
    const std::vector<TTreeDers> candidates = RandomCandidates(random);

    oracle::TraceView oracle_view;
    const OracleRun expected = RunOracle(candidates, &oracle_view);
    oracle::TraceView fast_view;
    testing::TraceRecorder recorder(candidates, fast_view);
    const SearchOutcome outcome = SearchCombinations(candidates, {.trace = &recorder});

    ASSERT_EQ(Paths(outcome.alternatives), expected.paths) << "seed " << seed;
    ASSERT_EQ(testing::Print(fast_view), testing::Print(oracle_view)) << "seed " << seed;
    ASSERT_EQ(outcome.end, SearchEnd::Complete);
    // Without a trace hopeless branches are cut: the same timetables, fewer
    // sections tried.
    const SearchOutcome pruned = SearchCombinations(candidates);
    ASSERT_EQ(Paths(pruned.alternatives), expected.paths) << "seed " << seed;
    ASSERT_EQ(pruned.total, static_cast<std::int64_t>(expected.paths.size())) << "seed " << seed;
    ASSERT_LE(pruned.nodes, outcome.nodes) << "seed " << seed;

    const int n = static_cast<int>(expected.paths.size());
    if (n > 0) ++with_results;
    if (expected.found_before_duplicates > n) ++with_duplicates;
    if (testing::Print(oracle_view).find("CRAP!") != std::string::npos) ++with_clashes;

    // A limit keeps a prefix and says whether anything was cut.
    if (n > 1) {
      const int limit = 1 + random() % n;
      const SearchOutcome limited = SearchCombinations(candidates, {.limit = limit});
      const auto expected_prefix =
          std::vector<std::vector<int>>(expected.paths.begin(), expected.paths.begin() + limit);
      ASSERT_EQ(Paths(limited.alternatives), expected_prefix) << "seed " << seed << " limit " << limit;
      ASSERT_EQ(limited.end, limit < n ? SearchEnd::LimitReached : SearchEnd::Complete) << "seed " << seed;
      ASSERT_EQ(limited.total, n) << "seed " << seed << ": counted past the limit";
      if (limit < n) ++with_limit;
    }
  }
  // The random cases must really exercise what they are meant to.
  EXPECT_GT(with_results, 1000);
  EXPECT_GT(with_duplicates, 200);
  EXPECT_GT(with_clashes, 1000);
  EXPECT_GT(with_limit, 300);
}

}  // namespace
}  // namespace kiremo::generator
