#include <gtest/gtest.h>

#include "generator/combination_search.h"
#include "generator/generated_term.h"
#include "generator/search_fixture.h"
#include "generator/trace_recorder.h"

namespace kiremo::generator {
namespace {

using testing::Numbered;
using testing::Section;
using testing::Timetable;
using testing::Timetables;

struct SearchCase {
  const char* name;
  std::vector<TTreeDers> candidates;
  std::vector<Timetable> expected;
};

class SearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchCases, GivesTheTimetablesInDepthFirstOrder) {
  const SearchCase& c = GetParam();
  const auto candidates = Numbered(c.candidates);
  const SearchOutcome outcome = SearchCombinations(candidates);
  EXPECT_EQ(Timetables(outcome.alternatives, candidates), c.expected);
  EXPECT_EQ(outcome.end, SearchEnd::Complete);
}

INSTANTIATE_TEST_SUITE_P(
    Tree, SearchCases,
    ::testing::Values(
        SearchCase{"TwoRowsWithoutClash",
                   {Section(1, "1a", {{1, 1}}), Section(1, "1b", {{1, 2}}), Section(2, "2a", {{2, 1}}),
                    Section(2, "2b", {{2, 2}})},
                   {{"1a", "2a"}, {"1a", "2b"}, {"1b", "2a"}, {"1b", "2b"}}},
        SearchCase{"RowOneSectionClashingWithEveryRowTwoSection",
                   {Section(1, "1a", {{1, 1}, {1, 2}}), Section(1, "1b", {{3, 3}}), Section(2, "2a", {{1, 1}}),
                    Section(2, "2b", {{1, 2}})},
                   {{"1b", "2a"}, {"1b", "2b"}}},
        SearchCase{"SameCourseInTwoRowsKeepsTheFirstOrderOnly",
                   {Section(1, "A", {{1, 1}}), Section(1, "B", {{2, 1}}), Section(2, "A", {{1, 1}}),
                    Section(2, "B", {{2, 1}})},
                   {{"A", "B"}}},
        SearchCase{"FridayLastSlotClashesLikeAnyOther",
                   {Section(1, "x", {{5, 14}}), Section(2, "y", {{5, 14}}), Section(2, "z", {{5, 13}})},
                   {{"x", "z"}}},
        SearchCase{"SectionRepeatingItsOwnCellBlocksEveryRowBelow",
                   {Section(1, "twice", {{2, 3}, {2, 3}}), Section(1, "once", {{2, 4}}), Section(2, "free", {{4, 4}})},
                   {{"once", "free"}}},
        SearchCase{"SectionRepeatingItsOwnCellIsFineInTheLastRow",
                   {Section(1, "free", {{4, 4}}), Section(2, "twice", {{2, 3}, {2, 3}})},
                   {{"free", "twice"}}},
        SearchCase{"NoCandidates", {}, {}},
        SearchCase{"RowsTakenInOrderOfTheirFirstCandidate",
                   {Section(5, "5a", {}), Section(2, "2a", {}), Section(5, "5b", {})},
                   {{"5a", "2a"}, {"5b", "2a"}}},
        SearchCase{"SlotsOutsideTheGridAreCellsOfTheirOwn",
                   {Section(1, "early", {{2, 0}}), Section(2, "late", {{1, 14}}), Section(2, "same", {{2, 0}})},
                   {{"early", "late"}}},
        // A timeless section chosen in two rows: (T, T) holds T twice and
        // is kept; (T, U) holds more; (U, T) equals it; (U, U) lies inside it.
        SearchCase{"TimetableHoldingACrnTwiceIsDroppedOnlyInsideAKeptOne",
                   {Section(1, "T", {}), Section(1, "U", {}), Section(2, "T", {}), Section(2, "U", {})},
                   {{"T", "T"}, {"T", "U"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Search, TraceRecordsValidNodesAndOneClashMarkPerDeadEnd) {
  const auto candidates = Numbered(
      {Section(1, "10", {{1, 1}}), Section(1, "11", {{2, 2}}), Section(2, "20", {{1, 1}}), Section(2, "21", {{1, 1}})});
  oracle::TraceView view;
  testing::TraceRecorder recorder(candidates, view);
  SearchCombinations(candidates, {.trace = &recorder});
  EXPECT_EQ(testing::Print(view),
            "Root\n"
            " 10\n"
            "  CRAP!\n"
            "  CRAP!\n"
            " 11\n"
            "  20\n"
            "  21\n");
}

TEST(Search, EveryGenerationAddsAnotherRoot) {
  const auto candidates = Numbered({Section(1, "1", {}), Section(2, "2", {})});
  oracle::TraceView view;
  testing::TraceRecorder recorder(candidates, view);
  SearchCombinations(candidates, {.trace = &recorder});
  SearchCombinations(candidates, {.trace = &recorder});
  EXPECT_EQ(testing::Print(view), "Root\n 1\n  2\nRoot\n 1\n  2\n");
}

// Four rows of ten sections in separate hours: 10^4 timetables.
std::vector<TTreeDers> Wide(int rows, int sections) {
  std::vector<TTreeDers> all;
  for (int row = 1; row <= rows; ++row) {
    for (int s = 0; s < sections; ++s) all.push_back(Section(row, std::to_string(row * 100 + s), {{row, s + 1}}));
  }
  return Numbered(all);
}

TEST(Search, LimitKeepsTheFirstTimetablesAndSaysMoreExist) {
  const auto candidates = Wide(4, 10);
  const SearchOutcome all = SearchCombinations(candidates);
  ASSERT_EQ(all.alternatives.Count(), 10000);

  struct Case {
    int limit;
    SearchEnd end;
    int kept;
  };
  for (const Case& c : {Case{10000, SearchEnd::Complete, 10000}, Case{9999, SearchEnd::LimitReached, 9999},
                        Case{1, SearchEnd::LimitReached, 1}}) {
    const SearchOutcome limited = SearchCombinations(candidates, {.limit = c.limit});
    EXPECT_EQ(limited.end, c.end) << c.limit;
    ASSERT_EQ(limited.alternatives.Count(), c.kept);
    const auto expected = Timetables(all.alternatives, candidates);
    const auto got = Timetables(limited.alternatives, candidates);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), expected.begin())) << c.limit;
  }
}

class StopAfter : public SearchMonitor {
 public:
  explicit StopAfter(int polls) : polls_left_(polls) {}
  bool Poll(const SearchProgress& progress) override {
    seen.push_back(progress);
    return --polls_left_ <= 0;
  }
  void Finished() override { ++finished; }
  std::vector<SearchProgress> seen;
  int finished = 0;

 private:
  int polls_left_;
};

// Six large courses: millions of timetables, listed whole under a high
// limit, which takes a while.
std::vector<TTreeDers> LongList() { return testing::GeneratedTerm(3, 6, 24, testing::TermShape::FreeHours); }

TEST(Search, MonitorIsPolledAndCanStopKeepingTheFirstTimetablesFound) {
  const auto candidates = LongList();
  const SearchOutcome all = SearchCombinations(candidates, {.limit = 50'000'000});
  ASSERT_EQ(all.end, SearchEnd::Complete);
  StopAfter monitor(2);
  const SearchOutcome outcome = SearchCombinations(candidates, {.limit = 50'000'000, .monitor = &monitor});
  ASSERT_EQ(outcome.end, SearchEnd::Stopped);
  ASSERT_EQ(monitor.seen.size(), 2u);
  EXPECT_EQ(monitor.finished, 1);
  EXPECT_GT(monitor.seen[1].elapsed_seconds, monitor.seen[0].elapsed_seconds);
  EXPECT_GE(monitor.seen[1].nodes, monitor.seen[0].nodes);
  EXPECT_LT(outcome.alternatives.Count(), all.alternatives.Count());
  EXPECT_GE(outcome.total, outcome.alternatives.Count());
  EXPECT_LT(outcome.total, all.total);
  // What is kept is where a single walk would have been when stopped.
  for (int k = 0; k < outcome.alternatives.Count(); ++k) {
    for (int level = 0; level < all.alternatives.Levels(); ++level) {
      ASSERT_EQ(outcome.alternatives.Position(k, level), all.alternatives.Position(k, level)) << k;
    }
  }
}

TEST(Search, MonitorThatNeverStopsSeesTheWholeSearch) {
  const auto candidates = LongList();
  StopAfter monitor(1'000'000);
  const SearchOutcome outcome = SearchCombinations(candidates, {.limit = 50'000'000, .monitor = &monitor});
  EXPECT_EQ(outcome.end, SearchEnd::Complete);
  EXPECT_EQ(outcome.alternatives.Count(), outcome.total);
  EXPECT_FALSE(monitor.seen.empty());
  EXPECT_EQ(monitor.finished, 1);
}

TEST(Alternatives, PacksPositionsOfAnyWidth) {
  for (const int size : {3, 256, 257, 70000}) {
    std::vector<int> level(size);
    for (int k = 0; k < size; ++k) level[k] = 1000 + k;
    Alternatives store({level, {7}});
    const int first[] = {size - 1, 0};
    const int second[] = {size / 2, 0};
    store.Add(first);
    store.Add(second);
    EXPECT_EQ(store.Candidate(0, 0), 1000 + size - 1) << size;
    EXPECT_EQ(store.Candidate(1, 0), 1000 + size / 2) << size;
    EXPECT_EQ(store.Candidate(1, 1), 7) << size;
  }
}

}  // namespace
}  // namespace kiremo::generator
