#include "generator/candidate_collection.h"

#include <array>

#include "generator/candidate_filters.h"
#include "generator/generator_messages.h"
#include "generator/row_filters.h"
#include "generator/section_cells.h"
#include "generator/section_removal.h"
#include "planner/markers.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

using planner::kRows;

// What the panel and row `row` ask of the row's sections.
RowFilters FiltersOfRow(const planner::Planner& planner, const GeneratorPanel& panel, int row) {
  RowFilters filters;
  const planner::CourseRow& lists_of_row = planner.Row(row);
  filters.course_code = lists_of_row.course.Text();
  filters.unwanted_buildings = panel.unwanted_buildings;
  filters.first_hour = StrToInt(panel.first_hour);
  filters.end_hour = StrToInt(panel.end_hour);
  if (panel.own_department_only) filters.department = UpperAscii(panel.own_department);
  for (int day = 1; day <= 5; ++day) {
    if (panel.free_days[day - 1]) filters.free_days.push_back(std::to_string(day));
  }
  const std::string teacher = lists_of_row.teacher.Text();
  if (teacher != planner::kSecin && teacher != planner::kYok && !lists_of_row.section.Text().empty()) {
    filters.teacher = teacher;
  }
  return filters;
}

// The row's admissible CRNs: a locked row takes its section whatever the
// panel says, as long as the course has it; no row takes an excluded one.
CrnList AdmissibleCrns(catalogue::CatalogueQuery& query1, const RowFilters& filters,
                       const planner::Constraints& student, int row, ConstraintCut& cut) {
  const std::string& locked = student.locked[row - 1];
  CrnList passed;
  if (locked.empty()) {
    passed = FilterRow(query1, filters);
  } else if (IsSectionOf(query1, filters.course_code, locked)) {
    passed.push_back(locked);
  }
  cut.locked = locked;
  cut.excluded =
      static_cast<int>(std::erase_if(passed, [&](const std::string& crn) { return student.excluded.contains(crn); }));
  return passed;
}

// The failure of a row left without sections, with what took them.
void FailRow(const planner::Planner& planner, const GeneratorPanel& panel, catalogue::CatalogueQuery& query1, int row,
             CandidateCollection& collection) {
  const std::string code = planner.Row(row).course.Text();
  // A locked row's section list shows nothing chosen when the locked
  // section has left it: the lock is to blame, not a missing code.
  const bool locked = !planner.StudentConstraints().locked[row - 1].empty();
  if (!locked && planner.Row(row).section.Text().empty()) {
    collection.failure = std::string(kNoCodeChosen);
    return;
  }
  collection.failure = code + std::string(kNoVersion);
  collection.explanation = ExplainRemoval(query1, FiltersOfRow(planner, panel, row), planner.StudentConstraints(), row);
}

// Phase 1: the admissible CRNs of each row; the failure message (and for a
// course left without sections, what took them) instead when an active row
// has none.
std::array<CrnList, kRows + 1> FilterRows(const planner::Planner& planner, const GeneratorPanel& panel,
                                          catalogue::CatalogueQuery& query1, CandidateCollection& collection) {
  std::array<CrnList, kRows + 1> lists;
  for (int row = 1; row <= kRows; ++row) {
    const std::string code = planner.Row(row).course.Text();
    if (code.empty() || code == planner::kBos) continue;
    ConstraintCut cut;
    CrnList passed = AdmissibleCrns(query1, FiltersOfRow(planner, panel, row), planner.StudentConstraints(), row, cut);
    if (cut != ConstraintCut{}) collection.cuts[code] = cut;
    if (passed.empty()) {
      FailRow(planner, panel, query1, row, collection);
      return {};
    }
    lists[row] = std::move(passed);
  }
  return lists;
}

// The last item of the section list that begins with the CRN.
int SectionIndexOf(const planner::SectionChoices& sections, const std::string& crn) {
  int found = -1;
  for (int k = 0; k < sections.Count(); ++k) {
    if (StartsWith(sections.ItemText(k), crn)) found = k;
  }
  return found;
}

// The occupied cells of the section; true when one of them is kept free.
bool AddCells(TTreeDers& candidate, const catalogue::SectionValues& section, const planner::Constraints& student) {
  const std::vector<SectionCell> cells = CellsOfSection(section);
  for (const SectionCell& cell : cells) {
    candidate.Days.push_back(std::to_string(cell.day));
    candidate.Slots.push_back(std::to_string(cell.slot));
    candidate.Buildings.emplace_back(cell.building);
  }
  return MeetsInBusyHours(cells, student);
}

}  // namespace

CandidateCollection CollectCandidates(const planner::Planner& planner, const GeneratorPanel& panel,
                                      catalogue::CatalogueQuery& query1) {
  CandidateCollection collection;
  const auto lists = FilterRows(planner, panel, query1, collection);
  if (!collection.failure.empty()) return collection;

  const planner::Constraints& student = planner.StudentConstraints();
  int emptied = 0;  // the first row whose sections all meet in busy hours
  for (int row = 1; row <= kRows; ++row) {
    const std::string department = planner.Row(row).department.Text();
    const std::string code = planner.Row(row).course.Text();
    int kept = 0;
    for (const std::string& crn : lists[row]) {
      const auto found = query1.Db().SectionByCrn(department, crn);
      // The filters read the table named by the course code, this one the
      // table of the chosen department; a CRN missing here cannot be applied.
      if (!found) throw Error(crn + std::string(kSectionMissing));
      TTreeDers candidate;
      candidate.CRN = found->crn;
      candidate.SectionIndex = SectionIndexOf(planner.Row(row).section, candidate.CRN);
      candidate.CourseCode = code;
      candidate.Row = row;
      candidate.SectionCombo = 3 * row;
      if (AddCells(candidate, *found, student)) {
        ++collection.cuts[code].busy;
        continue;
      }
      candidate.Index = static_cast<int>(collection.candidates.size());
      collection.candidates.push_back(std::move(candidate));
      ++kept;
    }
    if (kept == 0 && !lists[row].empty() && emptied == 0) emptied = row;
  }
  if (emptied != 0) {
    collection.candidates.clear();
    FailRow(planner, panel, query1, emptied, collection);
  }
  return collection;
}

}  // namespace kiremo::generator
