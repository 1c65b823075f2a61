#pragma once

#include <string>
#include <vector>

#include "generator/plan_comparison.h"

// A comparison in words, the same for the window and the command line. The
// two sides are called A and B.
namespace kiremo::generator {

enum class Better {
  Same,  // equal by the measure
  A,
  B,
  Unranked,  // a measure the ranking does not judge
};

// One row of the table of measures: its name, both values, the better side.
struct MeasureLine {
  std::string name;
  std::string a;
  std::string b;
  Better better = Better::Same;
  friend bool operator==(const MeasureLine&, const MeasureLine&) = default;
};

// "Gün", "Boşluk", "İlk ders", "Son ders", "Bina değişikliği", judged as the
// ranking's keys days, gaps, late, early and walks judge them, then
// "Haftalık ders saati", which no key judges. A side without classes has
// "-" for its first and last class.
std::vector<MeasureLine> MeasureLines(const Comparison& comparison);

// "A", "B", "eşit", or empty for an unranked measure.
std::string BetterText(Better better);

// The differences, a line each: "Yalnız A'da: MAT 103, FIZ 101", "Yalnız
// B'de: ...", "ELK 102E başka şubede: 21554 -> 21563" (or "ELK 102E A'da bir
// şube daha: 21555" when one side takes the course in more sections), and
// the cells where only one has a class, as runs of hours of a day with the
// same courses: "Pazartesi 08:30-10:29: A'da MAT 103, B boş". One line
// saying there is no difference when there is none.
std::vector<std::string> DifferenceLines(const Comparison& comparison);

}  // namespace kiremo::generator
