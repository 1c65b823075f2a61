#pragma once

#include <string>
#include <vector>

namespace kiremo::planner {

// The section committed in one course row. Index n of the four lists
// describes meeting n; the meetings 0..BlokSayisi-1 are the painted ones.
// An empty CRN means the row holds no committed section.
struct TDers {
  std::string DersKodu;
  std::string DersAdi;
  std::string CRN;
  std::string Ogretmen;
  std::vector<std::string> Binalar;
  std::vector<std::string> Gunler;   // "1".."5", one per meeting that has a weekday
  std::vector<std::string> Saatler;  // "SS:EE", start hour and end hour (excluded)
  std::vector<std::string> Derslikler;
  int BlokSayisi = 0;
};

}  // namespace kiremo::planner
