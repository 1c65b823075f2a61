#include "planner/plan_check.h"

#include <algorithm>
#include <cstdio>
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

void Compare(std::vector<FieldChange>& changes, const char* field, int meeting, const std::string& old_text,
             const std::string& new_text) {
  if (old_text != new_text) changes.push_back({field, meeting, old_text, new_text});
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
    Compare(changes, "gun", meeting, DayText(At(before.Gunler, n)), DayText(At(after.Gunler, n)));
    Compare(changes, "saat", meeting, HoursText(At(before.Saatler, n)), HoursText(At(after.Saatler, n)));
    Compare(changes, "bina", meeting, At(before.Binalar, n), At(after.Binalar, n));
    Compare(changes, "derslik", meeting, At(before.Derslikler, n), At(after.Derslikler, n));
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

bool Overlap(const TDers& a, const TDers& b) {
  for (int i = 0; i < PaintedMeetings(a); ++i) {
    const auto x = SpanOfOrNone(a, i);
    for (int j = 0; x && j < PaintedMeetings(b); ++j) {
      const auto y = SpanOfOrNone(b, j);
      if (y && x->day == y->day && x->start_hour < y->end_hour && y->start_hour < x->end_hour) return true;
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
  std::vector<std::pair<int, TDers>> kept;  // each row's meetings once the new data is taken
  for (int row = 1; row <= kRows; ++row) {
    const std::optional<StoredRow>& stored = plan.rows[row - 1];
    if (!stored) continue;
    CourseCheck course{row, stored->DersKodu, stored->CRN, CheckStatus::Unchanged, {}, {}};
    const auto now = FindSection(db, tables, DepartmentsOfRow(plan, row), stored->CRN);
    if (!now || now->ders_kodu != stored->DersKodu) {
      course.status = CheckStatus::Vanished;
      if (now) course.now_course = now->ders_kodu;
    } else {
      course.changes = Changes(*stored, *now);
      if (!course.changes.empty()) course.status = CheckStatus::Changed;
      kept.emplace_back(row, course.changes.empty() ? RecordOf(*stored) : RecordOf(*now));
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
