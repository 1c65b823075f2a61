#include "generator/candidate_collection.h"

#include <array>

#include "generator/candidate_filters.h"
#include "generator/generator_messages.h"
#include "planner/markers.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

using planner::kRows;

// Phase 1: the admissible CRNs of each row; the failure message instead
// when an active row has none.
std::array<CrnList, kRows + 1> FilterRows(const planner::Planner& planner, const GeneratorPanel& panel,
                                          catalogue::CatalogueQuery& query1, std::string& failure) {
  std::vector<std::string> free_days;
  for (int day = 1; day <= 5; ++day) {
    if (panel.free_days[day - 1]) free_days.push_back(std::to_string(day));
  }
  const std::string department = panel.own_department_only ? UpperAscii(panel.own_department) : std::string();

  std::array<CrnList, kRows + 1> lists;
  for (int row = 1; row <= kRows; ++row) {
    const planner::CourseRow& lists_of_row = planner.Row(row);
    const std::string code = lists_of_row.course.Text();
    if (code.empty() || code == planner::kBos) continue;
    CrnList passed = SaatiUygunVeAlinabilecekDersBul(query1, panel.unwanted_buildings, code, StrToInt(panel.first_hour),
                                                     StrToInt(panel.end_hour), department);
    if (!free_days.empty()) passed = CombineShared(passed, GunuUygunDersBul(query1, code, free_days));
    const std::string teacher = lists_of_row.teacher.Text();
    const bool section_shown = !lists_of_row.section.Text().empty();
    if (teacher != planner::kSecin && teacher != planner::kYok && section_shown) {
      passed = CombineShared(passed, HocasiUygunDersBul(query1, code, teacher));
    }
    if (passed.empty()) {
      failure = section_shown ? code + std::string(kNoVersion) : std::string(kNoCodeChosen);
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
// start hour up to the end hour, end excluded.
void AddCells(TTreeDers& candidate, const std::string& gun, const std::string& saat) {
  const auto days = ExplodeViews(gun, "|");
  const auto times = ExplodeViews(saat, "|");
  for (std::size_t k = 0; k < days.size(); ++k) {
    const int day = DayOfEntry(days[k]);
    if (day == 0) continue;
    if (k >= times.size()) throw Error(candidate.CRN + std::string(kMeetingWithoutHours));
    const HourSpan hours = HoursOfEntry(times[k]);
    for (int slot = planner::SlotOfHour(hours.start); slot < planner::SlotOfHour(hours.end); ++slot) {
      candidate.Days.push_back(std::to_string(day));
      candidate.Slots.push_back(std::to_string(slot));
    }
  }
}

}  // namespace

CandidateCollection CollectCandidates(const planner::Planner& planner, const GeneratorPanel& panel,
                                      catalogue::CatalogueQuery& query1) {
  CandidateCollection collection;
  const auto lists = FilterRows(planner, panel, query1, collection.failure);
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
      AddCells(candidate, found->gun, found->saat);
      collection.candidates.push_back(std::move(candidate));
    }
  }
  return collection;
}

}  // namespace kiremo::generator
