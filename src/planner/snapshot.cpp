#include "planner/planner.h"

namespace kiremo::planner {

namespace {

TDers RecordOf(const StoredRow& row) {
  TDers ders;
  ders.DersKodu = row.DersKodu;
  ders.DersAdi = row.DersAdi;
  ders.CRN = row.CRN;
  ders.Ogretmen = row.Ogretmen;
  ders.BlokSayisi = row.BlokSayisi;
  for (const StoredMeeting& meeting : row.meetings) {
    ders.Binalar.push_back(meeting.Bina);
    ders.Gunler.push_back(meeting.Gun);
    ders.Saatler.push_back(meeting.Saat);
    ders.Derslikler.push_back(meeting.Derslik);
  }
  return ders;
}

StoredRow StoredRowOf(const TDers& ders) {
  StoredRow stored{ders.DersKodu, ders.DersAdi, ders.CRN, ders.Ogretmen, ders.BlokSayisi, {}};
  auto at = [](const std::vector<std::string>& list, std::size_t j) {
    return j < list.size() ? list[j] : std::string();
  };
  for (std::size_t j = 0; j < ders.Gunler.size(); ++j) {
    stored.meetings.push_back({at(ders.Binalar, j), ders.Gunler[j], at(ders.Saatler, j), at(ders.Derslikler, j)});
  }
  return stored;
}

// The first five characters of the item carrying the saved marker.
std::string MarkedCrn(const SectionChoices& sections) {
  return sections.marked >= 0 ? sections.ItemText(sections.marked).substr(0, 5) : std::string();
}

}  // namespace

PlanSnapshot Planner::Snapshot() const {
  PlanSnapshot plan;
  for (int row = 1; row <= kRows; ++row) {
    const CourseRow& lists = rows_[row];
    plan.combos[3 * row - 3] = lists.department.Text();
    plan.combos[3 * row - 2] = lists.course.Text();
    plan.combos[3 * row - 1] = lists.section.Text();
    plan.committed[row - 1] = MarkedCrn(lists.section);
    if (!dersler_[row].CRN.empty()) plan.rows[row - 1] = StoredRowOf(dersler_[row]);
  }
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) plan.cells[day - 1][slot - 1] = WithoutPreview(hucreler_[day][slot]);
  }
  plan.constraints = constraints_;
  return plan;
}

// The lists, chosen by code: no preview, no quick update.
void Planner::RestoreLists(const PlanSnapshot& plan) {
  for (int row = 1; row <= kRows; ++row) {
    CourseRow& lists = rows_[row];
    SelectDepartment(row, lists.department.IndexOfIgnoringCase(plan.combos[3 * row - 3]));
    if (lists.department.index < 0) continue;
    DersKoduEkle(row);
    SelectCourse(row, lists.course.IndexOf(plan.combos[3 * row - 2]));
    if (lists.course.index < 0) continue;
    AcilanDersEkle(row);
    SelectSection(row, lists.section.IndexOf(plan.combos[3 * row - 1]));
  }
}

void Planner::RestoreRecords(const PlanSnapshot& plan) {
  for (int row = 1; row <= kRows; ++row) {
    if (!plan.rows[row - 1]) continue;
    // The lists are replaced, not appended to: a record stored with an empty
    // CRN is not cleared by the reset and would grow with every load.
    dersler_[row] = RecordOf(*plan.rows[row - 1]);
    for (std::size_t n = 0; n < plan.rows[row - 1]->meetings.size(); ++n) ShapeGuncelle(row);
  }
}

void Planner::Restore(const PlanSnapshot& plan, const std::string& file_name) {
  Sifirla();
  RestoreLists(plan);
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) hucreler_[day][slot] = plan.cells[day - 1][slot - 1];
  }
  RestoreRecords(plan);
  // The marker goes back on the first section item that starts with the stored CRN.
  for (int row = 1; row <= kRows; ++row) {
    const std::string& crn = plan.committed[row - 1];
    if (crn.empty()) continue;
    SectionChoices& sections = rows_[row].section;
    for (int k = 0; k < sections.Count(); ++k) {
      if (sections.ItemText(k).substr(0, 5) != crn) continue;
      sections.marked = k;
      sections.Select(k);
      ListsChanged(row);
      break;
    }
  }
  for (int row = 1; row <= kRows; ++row) KaliciBoya(row);
  SetConstraints(plan.constraints);
  SetCaption(caption_ + " - " + file_name);
  Refresh();
}

}  // namespace kiremo::planner
