#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalogue/database.h"
#include "planner/cell_runs.h"
#include "planner/plan_snapshot.h"

// Whether a saved plan still matches the catalogue: every committed course's
// recorded section compared with the catalogue's row for its CRN now.
namespace kiremo::planner {

enum class CheckStatus { Unchanged, Changed, Vanished };

// One field that differs: `field` is the catalogue's column name (ders_adi,
// ogretmen, gun, saat, bina, derslik); `meeting` counts from 1, 0 for a field
// of the whole section. Texts as a student reads them (day names, hours).
struct FieldChange {
  std::string field;
  int meeting = 0;
  std::string old_text;
  std::string new_text;
  // The meeting's day as it is now (as it was, when the meeting is gone);
  // empty for a field of the whole section.
  std::string day{};
  friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

struct CourseCheck {
  int row = 0;  // 1..10
  std::string course;
  std::string crn;
  CheckStatus status = CheckStatus::Unchanged;
  std::vector<FieldChange> changes;
  std::string now_course;  // a vanished CRN's course today, empty when the CRN is gone
  bool locked = false;     // the row's lock names this section
  // The hours kept free that the section's new hours meet and its old ones did not.
  std::set<GridCell> now_busy{};
};

struct PlanCheck {
  std::vector<CourseCheck> courses;  // the committed rows in row order
  // Pairs of rows (first < second) whose meetings overlap once the changed
  // sections take their new hours, at least one of the two being changed.
  std::vector<std::pair<int, int>> clashes;

  bool AnythingChanged() const;
  bool IsChanged(int row) const;
};

// Where a row's section may be found: the department of its course code
// (the letters before the space), then the row's department as the plan
// shows it, which the student may have changed since committing.
std::vector<std::string> DepartmentsOfRow(const PlanSnapshot& plan, int row);

// Compares every committed row; a catalogue that cannot be read is a DatabaseError.
PlanCheck CheckPlan(const PlanSnapshot& plan, catalogue::Database& db);

// The check in plain Turkish, one line per changed or vanished course (a
// locked one says so), one per clash and one per course whose new hours
// meet hours kept free; empty when nothing changed.
std::string CheckText(const PlanCheck& check);

}  // namespace kiremo::planner
