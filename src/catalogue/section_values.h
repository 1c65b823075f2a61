#pragma once

#include <string>

namespace kiremo::catalogue {

// One section as it is stored: the nine texts of the INSERT and the meeting
// count. The four per-meeting texts hold one entry per meeting joined by "|".
struct SectionValues {
  std::string crn;
  std::string ders_kodu;
  std::string ders_adi;
  std::string ogretmen;
  std::string bina;
  std::string gun;
  std::string saat;
  std::string derslik;
  std::string alabilenler;
  int blok = 0;

  friend bool operator==(const SectionValues&, const SectionValues&) = default;
};

}  // namespace kiremo::catalogue
