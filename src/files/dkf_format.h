#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/dkf_stream.h"
#include "planner/plan_snapshot.h"

// The bytes of a schedule file (".dkf"): four blocks without header, the 30
// combo texts, the 70 cell states, the committed rows' records and the CRNs
// of the marked section items; then, only when the plan has any, the block
// of its constraints.
namespace kiremo::files {

std::string EncodePlan(const planner::PlanSnapshot& plan);

// Reads the four blocks. A file cut short anywhere, or holding what no saved
// plan holds (a cell state the grid does not know, a committed flag other
// than 0 and 1, a committed CRN that is not five digits, more than
// planner::kMostMeetings meetings in a row), is a PlanFormatError. After the four blocks comes the
// constraints block or nothing; other bytes there are ignored, as they
// always were.
planner::PlanSnapshot DecodePlan(std::string_view bytes);

}  // namespace kiremo::files
