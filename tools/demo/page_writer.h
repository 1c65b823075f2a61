#pragma once

#include <string>

#include "demo_term.h"

// The demo term as the schedule server shows it: one schedule page per
// department and the department index page, Windows-1254 bytes.
namespace kiremo::demo {

// A header row of 14 cells whose first cell is "CRN", then one row of 14
// cells per section; each per-meeting value is followed by "<br>".
std::string SchedulePage(const DemoDepartment& department);

// One option per department, `<option value="ELK">ELK - ...</option>`,
// after a placeholder option.
std::string IndexPage(const DemoTerm& term);

}  // namespace kiremo::demo
