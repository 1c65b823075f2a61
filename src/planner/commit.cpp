#include "text/errors.h"
#include "text/text_helpers.h"
#include "planner/bounds.h"
#include "planner/markers.h"
#include "planner/meetings.h"
#include "planner/planner.h"

namespace kiremo::planner {

namespace {

// The CRN is everything before the first ":" of a section item.
std::string CrnOf(const std::string& item) { return item.substr(0, item.find(':')); }

}  // namespace

void Planner::GeciciBilgiKaydet(ui::ChoiceList& department, ui::ChoiceList& section) {
  const std::string text = section.Text();
  if (text == kSecin || text == kYok) return;
  const auto found = query1_.Db().SectionByCrn(department.Text(), CrnOf(text));
  // The section may have left the catalogue since its list was filled:
  // then there is nothing to preview.
  if (!found) return;
  MeetingLists meetings = SplitMeetings({}, found->gun, found->saat, {}, found->blok);
  GeciciDers.Gunler = std::move(meetings.Gunler);
  GeciciDers.Saatler = std::move(meetings.Saatler);
  GeciciDers.BlokSayisi = meetings.BlokSayisi;
}

void Planner::BilgiKaydet(int row) {
  RequireCourseRow(row);
  ui::ChoiceList& sections = view_.SectionCombo(row);
  const std::string department = view_.DepartmentCombo(row).Text();
  const int chosen = sections.ItemIndex();
  const std::string text = sections.Text();
  if (department.empty() || text.empty() || text == kSecin || EndsWith(text, kBosSuffix)) return;
  const std::string crn = CrnOf(text);

  // Read and convert the whole record before anything changes, so that a
  // section that has left the catalogue (or a failing read) leaves the row
  // as it was instead of half filled.
  const auto record = query1_.Db().SectionByCrn(department, crn);
  if (!record) return;
  MeetingLists meetings = SplitMeetings(record->bina, record->gun, record->saat, record->derslik, record->blok);

  if (!Dersler[row].CRN.empty()) DersCikar(400, 400, row);

  KaydedildiSil(sections);
  sections.SetItem(chosen, sections.Item(chosen) + std::string(kKaydedildi));
  sections.SetItemIndex(chosen);

  TDers& ders = Dersler[row];
  ders.CRN = crn;
  ders.Ogretmen = record->ogretmen;
  ders.DersKodu = record->ders_kodu;
  ders.DersAdi = record->ders_adi;
  ders.Binalar = std::move(meetings.Binalar);
  ders.Gunler = std::move(meetings.Gunler);
  ders.Derslikler = std::move(meetings.Derslikler);
  ders.Saatler = std::move(meetings.Saatler);
  ders.BlokSayisi = meetings.BlokSayisi;

  ShapeGuncelle(row);
  view_.Kaydet(row).SetEnabled(false);
}

void Planner::KaydedildiSil(ui::ChoiceList& section) {
  const int selected = section.ItemIndex();
  for (int k = 0; k < section.Count(); ++k) {
    const std::string item = section.Item(k);
    if (EndsWith(item, kKaydedildi)) section.SetItem(k, item.substr(0, item.size() - kKaydedildi.size()));
  }
  section.SetItemIndex(selected);
}

}  // namespace kiremo::planner
