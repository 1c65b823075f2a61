#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An invented term: departments, their courses and sections. Every text is
// Windows-1254, as the schedule server writes it.
namespace kiremo::demo {

struct DemoMeeting {
  std::string bina;
  std::string gun;   // "Pazartesi" ... "Cuma", or "Boş" for a meeting without a day
  std::string saat;  // HHMM/HHMM, or "/" for a meeting without a time
  std::string derslik;
};

struct DemoSection {
  std::string crn;
  std::string ders_kodu;
  std::string ders_adi;
  std::string ogretmen;  // "---" when nobody is named
  std::vector<DemoMeeting> meetings;
  int kontenjan = 0;
  int yazilan = 0;
  int rezervasyon = 0;
  std::string alabilenler;  // "TÜM" or majors joined by ", "
  std::string on_sart;
  std::string sinif_sarti;
};

struct DemoDepartment {
  std::string code;  // upper-case ASCII letters
  std::string name;
  std::vector<DemoSection> sections;  // in page order
};

struct DemoTerm {
  std::vector<DemoDepartment> departments;  // in index order
};

inline constexpr std::uint32_t kDemoSeed = 20261;

// The same seed gives the same term on every machine and library.
DemoTerm MakeDemoTerm(std::uint32_t seed = kDemoSeed);

}  // namespace kiremo::demo
