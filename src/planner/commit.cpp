#include <algorithm>
#include <set>

#include "planner/cell_runs.h"
#include "planner/markers.h"
#include "planner/meetings.h"
#include "planner/planner.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

std::string CrnOf(const std::string& item) { return item.substr(0, item.find(':')); }

void Planner::GeciciBilgiKaydet(int row) {
  const CourseRow& lists = Row(row);
  const std::string text = lists.section.Text();
  if (text == kSecin || text == kYok) return;
  const auto found = query1_.Db().SectionByCrn(lists.department.Text(), lists.section.items[lists.section.index].crn);
  // The section may have left the catalogue since its list was filled:
  // then there is nothing to preview.
  if (!found) return;
  MeetingLists meetings = SplitMeetings({}, found->gun, found->saat, {}, found->blok);
  gecici_.Gunler = std::move(meetings.Gunler);
  gecici_.Saatler = std::move(meetings.Saatler);
  gecici_.BlokSayisi = meetings.BlokSayisi;
}

void Planner::BilgiKaydet(int row) {
  CourseRow& lists = MutableRow(row);
  const std::string department = lists.department.Text();
  const std::string text = lists.section.Text();
  if (department.empty() || text.empty() || text == kSecin || EndsWith(text, kBosSuffix)) return;
  const int chosen = lists.section.index;
  const std::string crn = lists.section.items[chosen].crn;

  // Read and convert the whole record before anything changes, so that a
  // section that has left the catalogue (or a failing read) leaves the row
  // as it was instead of half filled.
  const auto record = query1_.Db().SectionByCrn(department, crn);
  if (!record) return;
  MeetingLists meetings = SplitMeetings(record->bina, record->gun, record->saat, record->derslik, record->blok);

  if (!Ders(row).CRN.empty()) RemoveRow(row);

  lists.section.marked = chosen;
  lists.section.Select(chosen);
  ListsChanged(row);

  TDers& ders = MutableDers(row);
  ders.CRN = crn;
  ders.Ogretmen = record->ogretmen;
  ders.DersKodu = record->ders_kodu;
  ders.DersAdi = record->ders_adi;
  ders.Binalar = std::move(meetings.Binalar);
  ders.Gunler = std::move(meetings.Gunler);
  ders.Derslikler = std::move(meetings.Derslikler);
  ders.Saatler = std::move(meetings.Saatler);
  ders.BlokSayisi = meetings.BlokSayisi;
  over_busy_[row].clear();

  ShapeGuncelle(row);
  SetEkle(row, false);
  // A lock of the section this one replaces would bring it back with the
  // next alternative applied.
  const std::string locked = constraints_.locked[row - 1];
  if (!locked.empty() && locked != crn) {
    Unlock(row);
    SetStatus(LockReleasedText(record->ders_kodu, locked, crn));
  }
}

Planner::Recommitted Planner::Recommit(int row) {
  const std::string crn = Ders(row).CRN;
  const CourseRow& lists = Row(row);
  if (crn.empty() || lists.course.index < 0) return Recommitted::NotOffered;
  // A section the filled list would not offer stays as it is, marker and all.
  const auto offered =
      ListsOfCourse(query1_.Db().SectionsOfCourse(lists.department.Text(), lists.course.Text()), filter_());
  const auto& items = offered.sections.items;
  if (std::none_of(items.begin(), items.end(), [&](const SectionItem& item) { return item.crn == crn; })) {
    return Recommitted::NotOffered;
  }
  AcilanDersEkle(row);
  SectionChoices& sections = MutableRow(row).section;
  for (int k = 0; k < sections.Count(); ++k) {
    if (sections.items[k].crn != crn) continue;
    // The row holds this section until the commit replaces it, also when a
    // clash stops the commit.
    sections.marked = k;
    SelectSection(row, k);
    if (CommitClashes(row)) {
      SectionChosen(row);
      return Recommitted::Clashes;
    }
    // Hours kept free are the student's wish, not another course: the
    // catalogue's hours are taken all the same, and the ones they newly
    // meet show as a clash until the student decides.
    std::set<GridCell> met;
    const std::set<GridCell> before = CellsOf(Ders(row));
    for (const auto& [day, slot] : BusyCellsOfChoice(row)) {
      if (!before.contains({day, slot})) met.emplace(day, slot);
    }
    BilgiKaydet(row);
    over_busy_[row] = met;
    KaliciBoya(row);
    return met.empty() ? Recommitted::Committed : Recommitted::OverBusy;
  }
  return Recommitted::NotOffered;
}

void Planner::RecommitRows(const std::vector<int>& rows) {
  int clashing = 0;
  int over_busy = 0;
  for (int row : rows) {
    const Recommitted done = Recommit(row);
    if (done == Recommitted::Clashes) clashing = row;
    if (done == Recommitted::OverBusy) over_busy = row;
  }
  if (clashing != 0) {
    SectionChosen(clashing);
    SetStatus(std::string(kCommitClash));
  } else if (over_busy != 0) {
    const TDers& ders = Ders(over_busy);
    SetStatus(OverBusyText(ders.DersKodu, ders.CRN, over_busy_[over_busy]) + ".");
  }
}

void Planner::KaydedildiSil(int row) {
  MutableRow(row).section.marked = -1;
  ListsChanged(row);
}

}  // namespace kiremo::planner
