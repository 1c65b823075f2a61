#pragma once

#include "files/dkf_format.h"

namespace kiremo::fuzz {

// Whether every text of the plan fits in a string item of the file, so that
// writing the plan again loses nothing.
inline bool FitsTheFormat(const planner::PlanSnapshot& plan) {
  auto fits = [](const std::string& text) { return text.size() <= files::kMaxStringBytes; };
  for (const std::string& text : plan.combos) {
    if (!fits(text)) return false;
  }
  for (const std::string& text : plan.committed) {
    if (!fits(text)) return false;
  }
  for (const auto& row : plan.rows) {
    if (!row) continue;
    for (const std::string* text : {&row->DersKodu, &row->DersAdi, &row->CRN, &row->Ogretmen}) {
      if (!fits(*text)) return false;
    }
    for (const auto& meeting : row->meetings) {
      for (const std::string* text : {&meeting.Bina, &meeting.Gun, &meeting.Saat, &meeting.Derslik}) {
        if (!fits(*text)) return false;
      }
    }
  }
  return true;
}

}  // namespace kiremo::fuzz
