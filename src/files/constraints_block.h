#pragma once

#include <string_view>

#include "files/dkf_stream.h"
#include "planner/constraints.h"

// The student's locks, exclusions and busy hours, kept in a block of their
// own after the four blocks of a schedule file: the marker string, the
// version 1, the ten locked CRNs, the count and the excluded CRNs in
// ascending order, then one bit mask of busy hour rows per weekday (bit k-1
// for hour row k). Readers that know only the four blocks skip it.
namespace kiremo::files {

inline constexpr std::string_view kConstraintsMarker = "KIREMO-KISITLAR";
inline constexpr int kConstraintsVersion = 1;

// Writes the block, or nothing at all for a plan without constraints, whose
// file then holds exactly the four blocks.
void WriteConstraints(DkfWriter& out, const planner::Constraints& constraints);

// Reads the bytes that follow the four blocks. Bytes that do not begin with
// the marker are not a block of ours and give no constraints. A block is
// read strictly: a cut, an unknown version, a malformed entry or any byte
// after it is a PlanFormatError.
planner::Constraints ReadConstraints(std::string_view rest);

}  // namespace kiremo::files
