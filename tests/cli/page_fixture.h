#pragma once

#include <fstream>
#include <string>
#include <vector>

// Small schedule and index pages of the server's shape, in Windows-1254.
namespace kiremo::testing_support {

struct PageRow {
  std::string crn, code, title, teacher, bina, gun, saat, derslik, alabilenler;
};

// A header row of 14 cells starting with "CRN", then a row of 14 cells per
// section; empty rows give a page without a section table.
inline std::string SchedulePageBytes(const std::vector<PageRow>& rows) {
  std::string page = "<html><head><title>Ders Programi</title></head><body>\r\n<table>\r\n<tr>";
  for (const char* h : {"CRN", "Kod", "Ad", "Hoca", "Bina", "Gun", "Saat", "Derslik", "Kont", "Yaz", "Rez", "Alabilen",
                        "Sart", "Sinif"}) {
    page += std::string("<td>") + h + "</td>";
  }
  page += "</tr>\r\n";
  for (const PageRow& r : rows) {
    page += "<tr>";
    for (const std::string* cell : {&r.crn, &r.code, &r.title, &r.teacher, &r.bina, &r.gun, &r.saat, &r.derslik}) {
      page += "<td>" + *cell + "</td>";
    }
    page += "<td>40</td><td>12</td><td>0</td><td>" + r.alabilenler + "</td><td>Yok</td><td>-</td></tr>\r\n";
  }
  return page + "</table></body></html>\r\n";
}

// The department index page: a placeholder option, then one option per code.
inline std::string IndexPageBytes(const std::vector<std::string>& codes) {
  std::string page = "<html><body><select name=\"fb\"><option value=\"\">Bolum</option>\r\n";
  for (const std::string& code : codes) {
    page += "<option value=\"" + code + "\">" + code + " - Bolum</option>\r\n";
  }
  return page + "</select></body></html>\r\n";
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace kiremo::testing_support
