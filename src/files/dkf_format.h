#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/dkf_stream.h"

// A schedule file (".dkf") as plain data, and its bytes. The file is four
// blocks without header: the 30 combo texts, the 70 cell states, the
// committed rows' records and the CRNs of the marked section items.
namespace kiremo::files {

struct StoredMeeting {
  std::string Bina;
  std::string Gun;
  std::string Saat;
  std::string Derslik;
  friend bool operator==(const StoredMeeting&, const StoredMeeting&) = default;
};

// The record of a committed course row.
struct StoredRow {
  std::string DersKodu;
  std::string DersAdi;
  std::string CRN;
  std::string Ogretmen;
  int BlokSayisi = 0;
  std::vector<StoredMeeting> meetings;  // one per entry of the row's Gunler
  friend bool operator==(const StoredRow&, const StoredRow&) = default;
};

struct PlanFile {
  // ComboBox1..ComboBox30: department, course code and section of rows 1..10.
  std::array<std::string, 30> combos;
  // [day 0..4 = Monday..Friday][hour row 0..13 = 08:30..21:30]; 15 and
  // 16..25 are preview marks, which a saved file does not hold.
  std::array<std::array<int, 14>, 5> cells{};
  // Rows 1..10 at index 0..9; nothing for a row without a committed section.
  std::array<std::optional<StoredRow>, 10> rows;
  // Rows 1..10: the CRN of the section item carrying the saved marker.
  std::array<std::string, 10> committed;
  friend bool operator==(const PlanFile&, const PlanFile&) = default;
};

std::string EncodePlan(const PlanFile& plan);

// Reads the four blocks. A file cut short anywhere, or holding what no saved
// plan holds (a cell state the grid does not know, a committed flag other
// than 0 and 1), is a PlanFormatError; bytes after the four blocks are
// ignored.
PlanFile DecodePlan(std::string_view bytes);

}  // namespace kiremo::files
