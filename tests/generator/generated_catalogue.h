#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "generator/generated_term.h"
#include "support/catalogue_fixture.h"
#include "text/cp1254.h"

namespace kiremo::generator::testing {

// The catalogue form of a generated term: course C<row> is "<department>
// <100 + row>", its sections' hours of one day one meeting each, in the
// department's table, open to every department.
inline std::vector<catalogue::SectionValues> GeneratedSections(const std::string& department,
                                                               const std::vector<TTreeDers>& term) {
  static const std::string_view kDays[] = {"Pazartesi"_w, "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"_w};
  std::vector<catalogue::SectionValues> sections;
  for (const TTreeDers& c : term) {
    std::string gun, saat, bina, derslik;
    for (std::size_t k = 0; k < c.Days.size();) {
      const int day = std::stoi(c.Days[k]), first = std::stoi(c.Slots[k]);
      std::size_t end = k + 1;
      while (end < c.Days.size() && c.Days[end] == c.Days[k] && std::stoi(c.Slots[end]) == first + int(end - k)) ++end;
      char hours[32];
      std::snprintf(hours, sizeof hours, "%02d30/%02d29", first + 7, first + 7 + static_cast<int>(end - k));
      const std::string separator = gun.empty() ? "" : "|";
      gun += separator + std::string(kDays[day - 1]);
      saat += separator + hours;
      bina += separator + (k < c.Buildings.size() ? c.Buildings[k] : "EEB");
      derslik += separator + "D1";
      k = end;
    }
    sections.push_back(testing_support::Section(c.CRN, department + " " + std::to_string(100 + c.Row), "Hoca", gun,
                                                saat, bina, derslik, std::string("TÜM"_w)));
  }
  return sections;
}

}  // namespace kiremo::generator::testing
