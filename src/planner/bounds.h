#pragma once

#include <stdexcept>
#include <string>

// The ranges that row numbers and grid coordinates may take.
namespace kiremo::planner {

inline constexpr int kRows = 10;     // course rows 1..10
inline constexpr int kDays = 5;      // grid columns 1..5, Monday to Friday
inline constexpr int kSlots = 14;    // grid rows 1..14, hours 8..21
inline constexpr int kFirstHour = 8; // grid row = hour - 7

inline bool IsCourseRow(int row) { return row >= 1 && row <= kRows; }

// Row numbers come from the window's own wiring, so a bad one is a programming error.
inline void RequireCourseRow(int row) {
  if (!IsCourseRow(row)) throw std::out_of_range("no course row " + std::to_string(row));
}

inline bool InsideGridBody(int column, int row) { return column >= 1 && column <= kDays && row >= 1 && row <= kSlots; }

}  // namespace kiremo::planner
