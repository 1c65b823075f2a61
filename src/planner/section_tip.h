#pragma once

#include <string>

#include "catalogue/section_values.h"

namespace kiremo::planner {

// What a section item's tooltip tells beyond its text: one line per meeting
// with its day, hours and place, "Pazartesi 08:30-10:29, EEB D101". A time
// that is not HHMM/HHMM is shown as the catalogue holds it.
std::string MeetingsTip(const catalogue::SectionValues& section);

}  // namespace kiremo::planner
