#pragma once

#include <stdexcept>
#include <string>

// The timetable grid's geometry and the states of its cells.
namespace kiremo::planner {

inline constexpr int kRows = 10;      // course rows 1..10
inline constexpr int kDays = 5;       // grid columns 1..5, Monday to Friday
inline constexpr int kSlots = 14;     // grid rows 1..14
inline constexpr int kFirstHour = 8;  // the hour of grid row 1, 08:30-09:29

// Grid row of the hour that starts at hour:30, and back.
constexpr int SlotOfHour(int hour) { return hour - kFirstHour + 1; }
constexpr int HourOfSlot(int slot) { return slot + kFirstHour - 1; }

// Cell states: 0 empty, 1..10 committed by that course row, a preview adds
// kPreview, so a preview over a committed cell (16..25) is a clash.
inline constexpr int kEmpty = 0;
inline constexpr int kPreview = 15;

constexpr bool IsCommitted(int state) { return state >= 1 && state <= kRows; }
constexpr bool IsClash(int state) { return state > kPreview && state <= kPreview + kRows; }
// The course row that owns a committed or clashing cell; 0 for any other state.
constexpr int OwnerOf(int state) {
  if (IsCommitted(state)) return state;
  if (IsClash(state)) return state - kPreview;
  return 0;
}
// What a saved plan keeps of a cell: the preview marks are dropped.
constexpr int WithoutPreview(int state) {
  if (state == kPreview) return kEmpty;
  return IsClash(state) ? state - kPreview : state;
}

inline bool IsCourseRow(int row) { return row >= 1 && row <= kRows; }

// Row numbers come from the window's own wiring, so a bad one is a programming error.
inline void RequireCourseRow(int row) {
  if (!IsCourseRow(row)) throw std::out_of_range("no course row " + std::to_string(row));
}

inline bool InsideGridBody(int column, int row) { return column >= 1 && column <= kDays && row >= 1 && row <= kSlots; }

// The header texts: "Gün/Saat" in the corner, the weekdays over columns
// 1..5, "08:30-09:29" .. "21:30-22:29" beside rows 1..14; empty elsewhere.
std::string GridHeaderText(int column, int row);

}  // namespace kiremo::planner
