// Any bytes as a schedule file: decoding either gives a plan or a
// PlanFormatError and never reads past the data; a plan it gives holds only
// five-digit committed CRNs and at most 70 meetings a row, and is written and
// read back unchanged.
#include <cstddef>
#include <cstdint>

#include "files/crn_texts.h"
#include "files/dkf_format.h"
#include "fuzz_support.h"
#include "plan_texts.h"

using kiremo::planner::PlanSnapshot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  const std::string_view bytes = fuzz::Bytes(data, size);

  planner::PlanSnapshot plan;
  try {
    plan = files::DecodePlan(bytes);
  } catch (const files::PlanFormatError&) {
    return 0;
  }
  for (const auto& day : plan.cells) {
    for (const int value : day) KIREMO_EXPECT((value >= 0 && value <= 10) || (value >= 15 && value <= 25));
  }
  // A committed CRN can go into the add/drop script; a row meets at most
  // once per grid cell.
  for (const auto& row : plan.rows) {
    if (!row) continue;
    KIREMO_EXPECT(files::IsCrn(row->CRN));
    KIREMO_EXPECT(row->meetings.size() <= static_cast<std::size_t>(planner::kMostMeetings));
  }

  // Whatever was read can be written, and what is written can be read.
  const std::string written = files::EncodePlan(plan);
  const planner::PlanSnapshot again = files::DecodePlan(written);
  // Item for item the same length (a negative meeting count is written as
  // the 0 it means), so never longer than what was read.
  if (fuzz::FitsTheFormat(plan)) {
    KIREMO_EXPECT(again == plan);
    KIREMO_EXPECT(written.size() <= bytes.size());
  }
  return 0;
}
