// The fast search against the oracle tree on candidates collected from
// seeded random catalogues and random choices of the student: clashes, one
// course in two rows, timeless and "BO" meetings, one CRN in two
// departments, free days, hour windows, buildings, department filter and
// teachers.
#include <gtest/gtest.h>

#include <random>

#include "generator/candidate_collection.h"
#include "generator/combination_search.h"
#include "generator/random_catalogue.h"
#include "generator/search_fixture.h"
#include "generator/trace_recorder.h"
#include "planner/planner.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::generator {
namespace {

using testing::FillCatalogue;
using testing::kDepartments;
using testing::Pick;

class Student {
 public:
  Student(GeneratorPanel& panel, planner::Planner& planner) : panel_(panel), planner_(planner) {}

  // Empties the rows and chooses new courses and constraints.
  void Choose(std::mt19937& random) {
    planner_.Sifirla();
    const int rows = 2 + random() % 4;
    std::string first_department, first_course;
    for (int k = 0; k < rows; ++k) {
      const int row = 1 + k * 2 + random() % 2;
      const planner::Choices& departments = planner_.Row(row).department;
      const bool same = k > 0 && random() % 4 == 0;  // the first course again
      planner_.SelectDepartment(
          row, same ? departments.IndexOf(first_department) : 1 + random() % (departments.Count() - 1));
      planner_.DersKoduEkle(row);
      const planner::Choices& courses = planner_.Row(row).course;
      planner_.SelectCourse(row, same ? courses.IndexOf(first_course) : 1 + random() % (courses.Count() - 1));
      planner_.AcilanDersEkle(row);
      if (k == 0) {
        first_department = departments.Text();
        first_course = courses.Text();
      }
      const planner::Choices& teachers = planner_.Row(row).teacher;
      if (teachers.Count() > 1 && random() % 8 == 0) planner_.SelectTeacher(row, 1 + random() % (teachers.Count() - 1));
    }
    panel_.first_hour = std::to_string(8 + random() % 3);
    panel_.end_hour = std::to_string(18 + random() % 6);
    for (int day = 1; day <= 5; ++day) panel_.free_days[day - 1] = random() % 10 == 0;
    panel_.own_department_only = random() % 3 == 0;
    panel_.own_department = Pick(random, kDepartments);
    panel_.unwanted_buildings = random() % 4 == 0 ? "MMB" : "";
  }

 private:
  GeneratorPanel& panel_;
  planner::Planner& planner_;
};

TEST(CatalogueDifferential, CollectedCandidatesSearchLikeTheOracleTree) {
  int cases = 0, searched = 0, with_results = 0, with_duplicates = 0, crn_in_two_rows = 0;
  for (unsigned catalogue_seed = 1; catalogue_seed <= 10; ++catalogue_seed) {
    std::mt19937 random(catalogue_seed);
    testing_support::TempFolder folder;
    testing_support::CatalogueFixture catalogue(folder.Path());
    FillCatalogue(random, catalogue);
    catalogue::CatalogueQuery query1(catalogue.ConnectionString());
    planner::Planner planner(query1, folder.Path(), "http://forum.example/", "Plan");
    GeneratorPanel panel;
    planner.SetDepartmentFilter([&] {
      return planner::DepartmentFilter{panel.own_department_only, panel.own_department};
    });
    Student student(panel, planner);

    for (int choice = 0; choice < 100; ++choice, ++cases) {
      student.Choose(random);
      const CandidateCollection collection = CollectCandidates(planner, panel, query1);
      if (!collection.failure.empty()) continue;
      const std::vector<TTreeDers>& candidates = collection.candidates;
      ++searched;

      oracle::TraceView oracle_view;
      const testing::OracleRun expected = testing::RunOracle(candidates, &oracle_view);
      oracle::TraceView fast_view;
      testing::TraceRecorder recorder(candidates, fast_view);
      const SearchOutcome outcome = SearchCombinations(candidates, {.trace = &recorder});

      std::vector<std::vector<int>> paths;
      for (int k = 0; k < outcome.alternatives.Count(); ++k) {
        std::vector<int> path;
        for (int level = 0; level < outcome.alternatives.Levels(); ++level) {
          path.push_back(outcome.alternatives.Candidate(k, level));
        }
        paths.push_back(path);
      }
      ASSERT_EQ(paths, expected.paths) << "catalogue " << catalogue_seed << " choice " << choice;
      ASSERT_EQ(testing::Print(fast_view), testing::Print(oracle_view))
          << "catalogue " << catalogue_seed << " choice " << choice;

      if (!paths.empty()) ++with_results;
      if (expected.found_before_duplicates > static_cast<int>(paths.size())) ++with_duplicates;
      for (const TTreeDers& a : candidates) {
        bool shared = false;
        for (const TTreeDers& b : candidates) shared = shared || (a.CRN == b.CRN && a.Row != b.Row);
        if (shared) {
          ++crn_in_two_rows;
          break;
        }
      }
    }
  }
  EXPECT_EQ(cases, 1000);
  EXPECT_GT(searched, 300);
  EXPECT_GT(with_results, 150);
  EXPECT_GT(with_duplicates, 20);
  EXPECT_GT(crn_in_two_rows, 50);
}

}  // namespace
}  // namespace kiremo::generator
