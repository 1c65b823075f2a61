#include "planner/plan_check.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

#include "catalogue/catalogue_files.h"
#include "planner/grid.h"
#include "planner/markers.h"
#include "planner/meetings.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

namespace {

// The meeting lists as a row record holds them: stored ones, or a catalogue row split.
TDers RecordOf(const StoredRow& stored) {
  TDers ders;
  ders.DersKodu = stored.DersKodu;
  for (const StoredMeeting& meeting : stored.meetings) {
    ders.Binalar.push_back(meeting.Bina);
    ders.Gunler.push_back(meeting.Gun);
    ders.Saatler.push_back(meeting.Saat);
    ders.Derslikler.push_back(meeting.Derslik);
  }
  ders.BlokSayisi = static_cast<int>(stored.meetings.size());
  return ders;
}

TDers RecordOf(const catalogue::SectionValues& section) {
  MeetingLists meetings = SplitMeetings(section.bina, section.gun, section.saat, section.derslik, section.blok);
  TDers ders;
  ders.DersKodu = section.ders_kodu;
  ders.Binalar = std::move(meetings.Binalar);
  ders.Gunler = std::move(meetings.Gunler);
  ders.Saatler = std::move(meetings.Saatler);
  ders.Derslikler = std::move(meetings.Derslikler);
  ders.BlokSayisi = static_cast<int>(ders.Gunler.size());
  return ders;
}

// "1".."5" as the weekday's name; any other entry as it is.
std::string DayText(const std::string& gun) {
  const int day = StrToIntDef(gun, 0);
  return gun.size() == 1 && day >= 1 && day <= kDays ? GridHeaderText(day, 0) : gun;
}

// "SS:EE" (start hour, end hour excluded) as the hours of the grid, "14:30-16:29".
std::string HoursText(const std::string& saat) {
  const int start = StrToIntDef(Chars(saat, 0, 2), -1);
  const int end = StrToIntDef(Chars(saat, 3, 2), -1);
  if (saat.size() != 5 || start < 0 || end <= start) return saat;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:30-%02d:29", start, end);
  return text;
}

std::string At(const std::vector<std::string>& list, std::size_t n) {
  return n < list.size() ? list[n] : std::string();
}

// A plan holds its texts as a schedule file keeps them: what the file cuts
// off is no change.
void Compare(std::vector<FieldChange>& changes, const char* field, int meeting, const std::string& old_text,
             const std::string& new_text, const std::string& day = {}) {
  if (StoredText(old_text) != StoredText(new_text)) changes.push_back({field, meeting, old_text, new_text, day});
}

std::vector<FieldChange> Changes(const StoredRow& stored, const catalogue::SectionValues& now) {
  std::vector<FieldChange> changes;
  Compare(changes, "ders_adi", 0, stored.DersAdi, now.ders_adi);
  Compare(changes, "ogretmen", 0, stored.Ogretmen, now.ogretmen);
  const TDers before = RecordOf(stored);
  const TDers after = RecordOf(now);
  const std::size_t count = std::max(before.Gunler.size(), after.Gunler.size());
  for (std::size_t n = 0; n < count; ++n) {
    const int meeting = static_cast<int>(n) + 1;
    const std::string old_day = DayText(At(before.Gunler, n));
    const std::string new_day = DayText(At(after.Gunler, n));
    const std::string& day = new_day.empty() ? old_day : new_day;
    Compare(changes, "gun", meeting, old_day, new_day, day);
    Compare(changes, "saat", meeting, HoursText(At(before.Saatler, n)), HoursText(At(after.Saatler, n)), day);
    Compare(changes, "bina", meeting, At(before.Binalar, n), At(after.Binalar, n), day);
    Compare(changes, "derslik", meeting, At(before.Derslikler, n), At(after.Derslikler, n), day);
  }
  return changes;
}

// The catalogue's row for the CRN in the first of the departments that has
// one. A department without a table holds none: a full update drops the
// tables of departments the server no longer lists, and their sections are
// gone with them.
std::optional<catalogue::SectionValues> FindSection(catalogue::Database& db, const std::vector<std::string>& tables,
                                                    const std::vector<std::string>& departments,
                                                    const std::string& crn) {
  for (const std::string& department : departments) {
    const std::string table = catalogue::TableName(department);
    const bool exists =
        std::any_of(tables.begin(), tables.end(), [&](const std::string& name) { return LowerAscii(name) == table; });
    if (!exists) continue;
    if (std::optional<catalogue::SectionValues> found = db.SectionByCrn(department, crn)) return found;
  }
  return std::nullopt;
}

std::set<GridCell> NewlyBusy(const TDers& before, const TDers& after, const Constraints& constraints) {
  const std::set<GridCell> old_cells = CellsOf(before);
  const std::set<GridCell> busy = BusyCells(constraints);
  std::set<GridCell> met;
  for (const GridCell& cell : CellsOf(after)) {
    if (busy.contains(cell) && !old_cells.contains(cell)) met.insert(cell);
  }
  return met;
}

// The hours a record's painted meetings take, per day: ranges [start, end)
// in ascending order, overlapping ones joined.
using Week = std::map<int, std::vector<std::pair<int, int>>>;

Week WeekOf(const TDers& ders) {
  Week week;
  for (int i = 0, count = PaintedMeetings(ders); i < count; ++i) {
    const auto span = SpanOfOrNone(ders, i);
    if (span && span->start_hour < span->end_hour) week[span->day].emplace_back(span->start_hour, span->end_hour);
  }
  for (auto& [day, ranges] : week) {
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<int, int>> joined;
    for (const auto& range : ranges) {
      if (!joined.empty() && range.first <= joined.back().second) {
        joined.back().second = std::max(joined.back().second, range.second);
      } else {
        joined.push_back(range);
      }
    }
    ranges = std::move(joined);
  }
  return week;
}

// One walk along both weeks' sorted ranges, so that rows with many meetings
// cost no more than their count.
bool Overlap(const Week& a, const Week& b) {
  for (const auto& [day, x] : a) {
    const auto found = b.find(day);
    if (found == b.end()) continue;
    const auto& y = found->second;
    for (std::size_t i = 0, j = 0; i < x.size() && j < y.size();) {
      if (x[i].first < y[j].second && y[j].first < x[i].second) return true;
      x[i].second < y[j].second ? ++i : ++j;
    }
  }
  return false;
}

}  // namespace

bool PlanCheck::AnythingChanged() const {
  return std::any_of(courses.begin(), courses.end(),
                     [](const CourseCheck& course) { return course.status != CheckStatus::Unchanged; });
}

bool PlanCheck::IsChanged(int row) const {
  return std::any_of(courses.begin(), courses.end(), [row](const CourseCheck& course) {
    return course.row == row && course.status != CheckStatus::Unchanged;
  });
}

std::vector<std::string> DepartmentsOfRow(const PlanSnapshot& plan, int row) {
  std::vector<std::string> departments;
  if (plan.rows[row - 1]) {
    const std::string& course = plan.rows[row - 1]->DersKodu;
    departments.push_back(course.substr(0, course.find(' ')));
  }
  const std::string& shown = plan.combos[3 * row - 3];
  if (!shown.empty() && shown != kSecin && (departments.empty() || departments[0] != shown)) {
    departments.push_back(shown);
  }
  return departments;
}

PlanCheck CheckPlan(const PlanSnapshot& plan, catalogue::Database& db) {
  PlanCheck check;
  const std::vector<std::string> tables = db.TableNames();
  std::vector<std::pair<int, Week>> kept;  // each row's hours once the new data is taken
  for (int row = 1; row <= kRows; ++row) {
    const std::optional<StoredRow>& stored = plan.rows[row - 1];
    if (!stored) continue;
    CourseCheck course{row, stored->DersKodu, stored->CRN, CheckStatus::Unchanged, {}, {}};
    course.locked = plan.constraints.locked[row - 1] == stored->CRN;
    const auto now = FindSection(db, tables, DepartmentsOfRow(plan, row), stored->CRN);
    if (!now || StoredText(now->ders_kodu) != StoredText(stored->DersKodu)) {
      course.status = CheckStatus::Vanished;
      if (now) course.now_course = now->ders_kodu;
    } else {
      course.changes = Changes(*stored, *now);
      if (!course.changes.empty()) course.status = CheckStatus::Changed;
      const TDers record = course.changes.empty() ? RecordOf(*stored) : RecordOf(*now);
      kept.emplace_back(row, WeekOf(record));
      if (!course.changes.empty()) course.now_busy = NewlyBusy(RecordOf(*stored), record, plan.constraints);
    }
    check.courses.push_back(std::move(course));
  }
  for (std::size_t i = 0; i < kept.size(); ++i) {
    for (std::size_t j = i + 1; j < kept.size(); ++j) {
      const int a = kept[i].first;
      const int b = kept[j].first;
      if ((check.IsChanged(a) || check.IsChanged(b)) && Overlap(kept[i].second, kept[j].second)) {
        check.clashes.emplace_back(a, b);
      }
    }
  }
  return check;
}

}  // namespace kiremo::planner
