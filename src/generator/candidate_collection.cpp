#include "generator/candidate_collection.h"

#include <array>

#include "generator/candidate_filters.h"
#include "generator/generator_messages.h"
#include "generator/row_filters.h"
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

// Phase 1: the admissible CRNs of each row; the failure message (and for a
// course left without sections, what took them) instead when an active row
// has none.
std::array<CrnList, kRows + 1> FilterRows(const planner::Planner& planner, const GeneratorPanel& panel,
                                          catalogue::CatalogueQuery& query1, CandidateCollection& collection) {
  std::array<CrnList, kRows + 1> lists;
  for (int row = 1; row <= kRows; ++row) {
    const std::string code = planner.Row(row).course.Text();
    if (code.empty() || code == planner::kBos) continue;
    const RowFilters filters = FiltersOfRow(planner, panel, row);
    CrnList passed = FilterRow(query1, filters);
    if (passed.empty()) {
      if (planner.Row(row).section.Text().empty()) {
        collection.failure = std::string(kNoCodeChosen);
      } else {
        collection.failure = code + std::string(kNoVersion);
        const Removal removal = CountRemoved(query1, filters);
        collection.explanation = Explanation{{code}, removal.filters, RemovalText(code, removal)};
      }
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

// The (day, slot) cells of every weekday meeting: the slot of every hour from the
// start hour up to the end hour, end excluded; each with the meeting's building.
void AddCells(TTreeDers& candidate, const catalogue::SectionValues& section) {
  const auto days = ExplodeViews(section.gun, "|");
  const auto times = ExplodeViews(section.saat, "|");
  const auto buildings = ExplodeViews(section.bina, "|");
  for (std::size_t k = 0; k < days.size(); ++k) {
    const int day = DayOfEntry(days[k]);
    if (day == 0) continue;
    if (k >= times.size()) throw Error(candidate.CRN + std::string(kMeetingWithoutHours));
    const HourSpan hours = HoursOfEntry(times[k]);
    for (int slot = planner::SlotOfHour(hours.start); slot < planner::SlotOfHour(hours.end); ++slot) {
      candidate.Days.push_back(std::to_string(day));
      candidate.Slots.push_back(std::to_string(slot));
      candidate.Buildings.emplace_back(k < buildings.size() ? buildings[k] : std::string_view());
    }
  }
}

}  // namespace

CandidateCollection CollectCandidates(const planner::Planner& planner, const GeneratorPanel& panel,
                                      catalogue::CatalogueQuery& query1) {
  CandidateCollection collection;
  const auto lists = FilterRows(planner, panel, query1, collection);
  if (!collection.failure.empty()) return collection;

  for (int row = 1; row <= kRows; ++row) {
    const std::string department = planner.Row(row).department.Text();
    const std::string code = planner.Row(row).course.Text();
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
      candidate.Index = static_cast<int>(collection.candidates.size());
      AddCells(candidate, *found);
      collection.candidates.push_back(std::move(candidate));
    }
  }
  return collection;
}

}  // namespace kiremo::generator
