#include "page_writer.h"

#include <string_view>

#include "text/cp1254.h"

namespace kiremo::demo {

namespace {

constexpr std::string_view kHead =
    "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1254\">\r\n";

constexpr std::string_view kHeaderCells[] = {"CRN",         "Ders Kodu"_w,  "Ders Adı"_w,    "Öğretim Üyesi"_w,
                                             "Bina"_w,      "Gün"_w,        "Saat"_w,        "Derslik"_w,
                                             "Kontenjan"_w, "Yazılan"_w,    "Rezervasyon"_w, "Alabilen Programlar"_w,
                                             "Ön Şart"_w,   "Sınıf Şartı"_w};

void Cell(std::string& page, std::string_view text) {
  page += "<td>";
  page += text;
  page += "</td>";
}

// Every meeting's value followed by a line break, as the server writes
// cells that may hold several meetings.
template <typename Field>
void MeetingCell(std::string& page, const DemoSection& section, Field field) {
  page += "<td>";
  for (const DemoMeeting& meeting : section.meetings) {
    page += meeting.*field;
    page += "<br>";
  }
  page += "</td>";
}

}  // namespace

std::string SchedulePage(const DemoDepartment& department) {
  std::string page(kHead);
  page += "<title>";
  page += "ZEMÜ Ders Programı"_w;
  page += "</title>\r\n</head>\r\n<body>\r\n<h2>";
  page += "2026-2027 Güz Dönemi Ders Programı"_w;
  page += "</h2>\r\n<h3>" + department.code + " - " + department.name + "</h3>\r\n";
  page += "<table class=\"dersprogram\" border=\"1\">\r\n<tr class=\"baslik\">";
  for (const std::string_view header : kHeaderCells) Cell(page, header);
  page += "</tr>\r\n";
  for (const DemoSection& s : department.sections) {
    page += "<tr>";
    Cell(page, s.crn);
    Cell(page, s.ders_kodu);
    Cell(page, s.ders_adi);
    Cell(page, s.ogretmen);
    MeetingCell(page, s, &DemoMeeting::bina);
    MeetingCell(page, s, &DemoMeeting::gun);
    MeetingCell(page, s, &DemoMeeting::saat);
    MeetingCell(page, s, &DemoMeeting::derslik);
    Cell(page, std::to_string(s.kontenjan));
    Cell(page, std::to_string(s.yazilan));
    Cell(page, std::to_string(s.rezervasyon));
    Cell(page, s.alabilenler);
    Cell(page, s.on_sart);
    Cell(page, s.sinif_sarti);
    page += "</tr>\r\n";
  }
  page += "</table>\r\n</body>\r\n</html>\r\n";
  return page;
}

std::string IndexPage(const DemoTerm& term) {
  std::string page(kHead);
  page += "<title>";
  page += "ZEMÜ Ders Programı"_w;
  page += "</title>\r\n</head>\r\n<body>\r\n<form method=\"get\" action=\"prg.php\">\r\n<select name=\"fb\">\r\n";
  page += "<option value=\"\">";
  page += "Bölüm Seçin"_w;
  page += "</option>\r\n";
  for (const DemoDepartment& department : term.departments) {
    page += "<option value=\"" + department.code + "\">" + department.code + " - " + department.name + "</option>\r\n";
  }
  // Nothing after the last option may hold a quote followed by ">": the
  // department list update would take it for one more code.
  page += "</select>\r\n</form>\r\n</body>\r\n</html>\r\n";
  return page;
}

}  // namespace kiremo::demo
