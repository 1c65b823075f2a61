// Locks, exclusions and busy hours against a straightforward
// filter-then-enumerate over seeded random catalogues: each row's sections
// are the panel's (or the locked one), less the excluded and those meeting
// in busy hours, with their cells read here from the catalogue; every
// clash-free pick of one per row is a timetable.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>

#include "generator/candidate_collection.h"
#include "generator/combination_search.h"
#include "generator/random_catalogue.h"
#include "planner/planner.h"
#include "support/temp_folder.h"

namespace kiremo::generator {
namespace {

using Cells = std::set<std::pair<int, int>>;
using Timetable = std::vector<std::string>;  // CRNs, sorted

// The cells of "Pazartesi|Boş" and "0830/1029|/": the test catalogue's own
// words.
struct OwnCells {
  Cells cells;
  bool overlap = false;  // two of its own meetings share a cell
};
OwnCells CellsOf(const catalogue::SectionValues& section) {
  OwnCells own;
  std::vector<std::string> days, times;
  for (std::size_t at = 0, end; at <= section.gun.size(); at = end + 1) {
    end = std::min(section.gun.find('|', at), section.gun.size());
    days.push_back(section.gun.substr(at, end - at));
  }
  for (std::size_t at = 0, end; at <= section.saat.size(); at = end + 1) {
    end = std::min(section.saat.find('|', at), section.saat.size());
    times.push_back(section.saat.substr(at, end - at));
  }
  for (std::size_t k = 0; k < days.size(); ++k) {
    const auto day = std::find(std::begin(testing::kDays), std::end(testing::kDays), days[k]);
    if (day == std::end(testing::kDays)) continue;
    const int start = std::stoi(times[k].substr(0, 2)), end = std::stoi(times[k].substr(5, 2));
    for (int hour = start; hour < end; ++hour) {
      own.overlap |= !own.cells.emplace(1 + (day - std::begin(testing::kDays)), hour - 7).second;
    }
  }
  return own;
}

struct Reference {
  bool some_row_empty = false;
  // One CRN in two rows, or a section whose own meetings overlap: what the
  // search keeps then depends on its order, which the oracle tree test covers.
  bool order_matters = false;
  std::set<Timetable> timetables;
};

// One seeded catalogue with a planner on it, and the student's choices.
class World {
 public:
  explicit World(unsigned seed) : random(seed), catalogue(folder.Path()) {
    testing::FillCatalogue(random, catalogue);
    query1.emplace(catalogue.ConnectionString());
    planner.emplace(*query1, folder.Path(), "http://forum.example/", "Plan");
    planner->SetDepartmentFilter([&] { return planner::DepartmentFilter{panel.own_department_only, "MAT"}; });
  }

  // Distinct courses in random rows, a random panel, random constraints.
  void Choose() {
    planner->Sifirla();
    rows.clear();
    std::set<std::string> chosen;
    for (int k = 0, count = 2 + random() % 3; k < count; ++k) {
      const int row = 1 + k * 2 + random() % 2;
      const planner::Choices& departments = planner->Row(row).department;
      planner->SelectDepartment(row, 1 + random() % (departments.Count() - 1));
      planner->DersKoduEkle(row);
      const planner::Choices& courses = planner->Row(row).course;
      planner->SelectCourse(row, 1 + random() % (courses.Count() - 1));
      if (!chosen.insert(courses.Text()).second) {
        planner->SelectDepartment(row, 0);  // "Seçin": the row stays out
        planner->DersKoduEkle(row);
        continue;
      }
      planner->AcilanDersEkle(row);
      rows.push_back(row);
    }
    panel.first_hour = std::to_string(8 + random() % 3);
    panel.end_hour = std::to_string(18 + random() % 6);
    for (int day = 1; day <= 5; ++day) panel.free_days[day - 1] = random() % 10 == 0;
    panel.own_department_only = random() % 3 == 0;
    panel.unwanted_buildings = random() % 4 == 0 ? "MMB" : "";
    planner->SetConstraints(RandomConstraints());
  }

  planner::Constraints RandomConstraints() {
    planner::Constraints constraints;
    std::vector<std::string> all_crns;
    for (const char* department : testing::kDepartments) {
      for (const auto& code : query1->Db().CourseCodes(department)) {
        for (const auto& section : query1->Db().SectionsOfCourse(department, code)) all_crns.push_back(section.crn);
      }
    }
    for (int row : rows) {
      if (random() % 3 != 0) continue;
      const std::string code = planner->Row(row).course.Text();
      const auto sections = query1->Db().SectionsOfCourse(code.substr(0, 3), code);
      // Now and then a CRN that is not the course's.
      constraints.locked[row - 1] =
          random() % 8 == 0 ? all_crns[random() % all_crns.size()] : sections[random() % sections.size()].crn;
    }
    for (int k = 0, count = random() % 4; k < count; ++k)
      constraints.excluded.insert(all_crns[random() % all_crns.size()]);
    for (int k = 0, count = random() % 6; k < count; ++k) constraints.busy[random() % 5][random() % 14] = true;
    return constraints;
  }

  // The row's sections: the locked one when the course has it, otherwise what
  // the panel lets through; then the constraints' cuts.
  std::vector<std::pair<std::string, OwnCells>> SectionsOfRow(int row, const std::vector<TTreeDers>& unconstrained) {
    const planner::Constraints& student = planner->StudentConstraints();
    const std::string department = planner->Row(row).department.Text();
    const std::string code = planner->Row(row).course.Text();
    std::vector<std::string> crns;
    if (const std::string& locked = student.locked[row - 1]; !locked.empty()) {
      for (const auto& section : query1->Db().SectionsOfCourse(code.substr(0, 3), code)) {
        if (section.crn == locked) crns = {locked};
      }
    } else {
      for (const TTreeDers& c : unconstrained) {
        if (c.Row == row) crns.push_back(c.CRN);
      }
    }
    std::vector<std::pair<std::string, OwnCells>> kept;
    for (const std::string& crn : crns) {
      if (student.excluded.contains(crn)) continue;
      const OwnCells own = CellsOf(*query1->Db().SectionByCrn(department, crn));
      const bool busy = std::any_of(own.cells.begin(), own.cells.end(), [&](const auto& cell) {
        return cell.second >= 1 && cell.second <= 14 && student.busy[cell.first - 1][cell.second - 1];
      });
      if (!busy) kept.emplace_back(crn, own);
    }
    return kept;
  }

  Reference Enumerate() {
    // The other rows' panel sections, read with the locks alone in force: a
    // lock never changes another row's sections, and a locked row whose
    // sections the panel would all remove must not fail the reading.
    planner::Constraints student = planner->StudentConstraints();
    planner::Constraints locks_only;
    locks_only.locked = student.locked;
    planner->SetConstraints(locks_only);
    const CandidateCollection unconstrained = CollectCandidates(*planner, panel, *query1);
    planner->SetConstraints(student);
    std::vector<std::vector<std::pair<std::string, OwnCells>>> levels;
    Reference reference;
    std::set<std::string> seen;
    for (int row : rows) {
      levels.push_back(SectionsOfRow(row, unconstrained.candidates));
      reference.some_row_empty = reference.some_row_empty || levels.back().empty();
      std::set<std::string> of_row;
      for (const auto& [crn, cells] : levels.back()) of_row.insert(crn);
      for (const std::string& crn : of_row) reference.order_matters |= !seen.insert(crn).second;
      for (const auto& [crn, own] : levels.back()) reference.order_matters |= own.overlap;
    }
    if (!reference.some_row_empty && !reference.order_matters) Pick(levels, 0, {}, {}, reference.timetables);
    return reference;
  }

  static void Pick(const auto& levels, std::size_t level, Timetable picked, Cells used, std::set<Timetable>& out) {
    if (level == levels.size()) {
      std::sort(picked.begin(), picked.end());
      out.insert(picked);
      return;
    }
    for (const auto& [crn, own] : levels[level]) {
      const Cells& cells = own.cells;
      if (std::any_of(cells.begin(), cells.end(), [&](const auto& cell) { return used.contains(cell); })) continue;
      Cells now = used;
      now.insert(cells.begin(), cells.end());
      Timetable next = picked;
      next.push_back(crn);
      Pick(levels, level + 1, next, now, out);
    }
  }

  std::mt19937 random;
  testing_support::TempFolder folder;
  testing_support::CatalogueFixture catalogue;
  std::optional<catalogue::CatalogueQuery> query1;
  std::optional<planner::Planner> planner;
  GeneratorPanel panel;
  std::vector<int> rows;
};

TEST(ConstraintsDifferential, ListsExactlyTheTimetablesThatKeepEveryConstraint) {
  int searched = 0, locked_listed = 0, emptied = 0;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("catalogue " + std::to_string(seed));
    World world(seed);
    for (int choice = 0; choice < 60; ++choice) {
      SCOPED_TRACE("choice " + std::to_string(choice));
      world.Choose();
      const Reference expected = world.Enumerate();
      const CandidateCollection collection = CollectCandidates(*world.planner, world.panel, *world.query1);
      ASSERT_EQ(!collection.failure.empty(), expected.some_row_empty);
      if (expected.some_row_empty) {
        ++emptied;
        ASSERT_TRUE(collection.explanation.has_value());
        continue;
      }
      if (expected.order_matters) continue;
      ++searched;
      const SearchOutcome outcome = SearchCombinations(collection.candidates, {});
      std::set<Timetable> found;
      for (int k = 0; k < outcome.alternatives.Count(); ++k) {
        Timetable t;
        for (int level = 0; level < outcome.alternatives.Levels(); ++level) {
          t.push_back(collection.candidates[outcome.alternatives.Candidate(k, level)].CRN);
        }
        std::sort(t.begin(), t.end());
        found.insert(t);
      }
      ASSERT_EQ(found, expected.timetables);
      const planner::Constraints& student = world.planner->StudentConstraints();
      for (int row : world.rows) {
        if (!student.locked[row - 1].empty() && !found.empty()) ++locked_listed;
      }
    }
  }
  // The constraints did shape the cases.
  EXPECT_GT(searched, 100);
  EXPECT_GT(locked_listed, 50);
  EXPECT_GT(emptied, 20);
}

}  // namespace
}  // namespace kiremo::generator
