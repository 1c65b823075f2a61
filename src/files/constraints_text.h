#pragma once

#include <string>
#include <vector>

#include "planner/plan_snapshot.h"

namespace kiremo::files {

// The plan's constraints as lines of text, each kind on a line of its own
// and only when there is one: a line per locked row ("Sabit şube: 3. satır
// MAT 103 -> 12345"), the excluded CRNs ("Hariç tutulan şubeler: 23456,
// 34567") and the busy hours, consecutive hour rows of a day as one range
// ("Boş tutulan saatler: Pazartesi 12:30-14:29, Salı 09:30-10:29"). The
// course of a locked row is its course list's text.
std::vector<std::string> ConstraintLines(const planner::PlanSnapshot& plan);

}  // namespace kiremo::files
