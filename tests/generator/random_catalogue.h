#pragma once

// Seeded random catalogues for the generator's differential tests: three
// departments of a few courses, clashes, timeless and "BO" meetings, now
// and then one CRN in two departments.
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/section_values.h"
#include "support/catalogue_fixture.h"
#include "text/cp1254.h"

namespace kiremo::generator::testing {

inline const std::string_view kDays[] = {"Pazartesi"_w, "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"_w};
inline const char* kDepartments[] = {"MAT", "FIZ", "KIM"};
inline const char* kTeachers[] = {"Ali", "Veli", "Nur", "---"};
inline const char* kBuildings[] = {"EEB", "MMB", "FEB"};

inline std::string Pick(std::mt19937& random, const auto& choices) {
  return std::string(choices[random() % std::size(choices)]);
}

inline catalogue::SectionValues RandomSection(std::mt19937& random, const std::string& crn, const std::string& course) {
  std::string gun, saat, bina;
  const int meetings = 1 + random() % 2;
  for (int m = 0; m < meetings; ++m) {
    const int start = 8 + random() % 12;
    char hours[16];
    std::snprintf(hours, sizeof hours, "%02d30/%02d29", start, start + 1 + static_cast<int>(random() % 2));
    gun += (m ? "|" : "") + Pick(random, kDays);
    saat += (m ? "|" : "") + std::string(hours);
    bina += (m ? "|" : "") + Pick(random, kBuildings);
  }
  if (random() % 6 == 0) {  // a last meeting without a weekday or a time
    gun += std::string("|Boş"_w);
    saat += "|/";
    bina += "|";
  }
  const std::string alabilenler = random() % 3 == 0 ? std::string("TÜM"_w) : Pick(random, kDepartments);
  return testing_support::Section(crn, course, Pick(random, kTeachers), gun, saat, bina, "D1", alabilenler);
}

// Three departments of two or three courses; now and then a CRN of one
// department reappears in another, and a timeless section ends a table.
inline void FillCatalogue(std::mt19937& random, testing_support::CatalogueFixture& catalogue) {
  std::vector<std::string> crns;
  for (const char* department : kDepartments) {
    std::vector<catalogue::SectionValues> sections;
    const int courses = 2 + random() % 2;
    for (int course = 1; course <= courses; ++course) {
      const std::string code = std::string(department) + " 10" + std::to_string(course);
      const int count = 1 + random() % 4;
      for (int s = 0; s < count; ++s) {
        std::string crn =
            !crns.empty() && random() % 8 == 0 ? crns[random() % crns.size()] : std::to_string(10000 + crns.size());
        crns.push_back(crn);
        sections.push_back(RandomSection(random, crn, code));
      }
    }
    if (random() % 3 == 0) {
      sections.push_back(testing_support::Section(std::to_string(90000 + crns.size()), std::string(department) + " 101",
                                                  "Ali", std::string("Boş"_w), "/"));
    }
    catalogue.Department(department, sections);
  }
}

}  // namespace kiremo::generator::testing
