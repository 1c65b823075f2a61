#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/dkf_stream.h"
#include "planner/plan_snapshot.h"

// The bytes of a schedule file (".dkf"): four blocks without header, the 30
// combo texts, the 70 cell states, the committed rows' records and the CRNs
// of the marked section items.
namespace kiremo::files {

std::string EncodePlan(const planner::PlanSnapshot& plan);

// Reads the four blocks. A file cut short anywhere, or holding what no saved
// plan holds (a cell state the grid does not know, a committed flag other
// than 0 and 1), is a PlanFormatError; bytes after the four blocks are
// ignored.
planner::PlanSnapshot DecodePlan(std::string_view bytes);

}  // namespace kiremo::files
