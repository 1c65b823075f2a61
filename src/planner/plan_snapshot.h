#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "planner/constraints.h"
#include "planner/grid.h"

// A plan as a schedule file holds it, as plain values: what the planner
// captures when it is saved and rebuilds from when it is loaded.
namespace kiremo::planner {

// A schedule file keeps at most this many bytes of each text.
inline constexpr std::size_t kStoredTextBytes = 255;

// What a schedule file keeps of a text: up to its first zero byte, which the
// file cannot carry, and at most kStoredTextBytes bytes.
inline std::string_view StoredText(std::string_view text) {
  return text.substr(0, text.find('\0')).substr(0, kStoredTextBytes);
}

// A section meets at most once in each cell of the grid, so a committed row
// holds at most this many meetings.
inline constexpr int kMostMeetings = kDays * kSlots;

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

struct PlanSnapshot {
  // ComboBox1..ComboBox30: department, course code and section of rows 1..10,
  // as the lists show them (a committed section with its saved marker).
  std::array<std::string, 30> combos;
  // [day 0..4 = Monday..Friday][hour row 0..13 = 08:30..21:30]; 15 and
  // 16..25 are preview marks, which a saved plan does not hold.
  std::array<std::array<int, 14>, 5> cells{};
  // Rows 1..10 at index 0..9; nothing for a row without a committed section.
  std::array<std::optional<StoredRow>, 10> rows;
  // Rows 1..10: the first five characters of the section item carrying the
  // saved marker (its CRN), or empty.
  std::array<std::string, 10> committed;
  // Locks, exclusions and busy hours: kept after the four blocks, and only
  // when there are any.
  Constraints constraints;
  friend bool operator==(const PlanSnapshot&, const PlanSnapshot&) = default;
};

}  // namespace kiremo::planner
