// Any bytes as a schedule file, and as the constraints block alone: reading
// either gives constraints or a PlanFormatError and never reads past the
// data; what it gives is written and read back the same, and a plan without
// constraints is written as the four blocks alone.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/constraints_block.h"
#include "files/dkf_format.h"
#include "fuzz_support.h"
#include "plan_texts.h"

namespace {

using namespace kiremo;

// What reading lets through is what the generator and the window can hold.
// A CRN shown on a line of its own holds no line break.
bool OneLine(const std::string& crn) {
  return std::none_of(crn.begin(), crn.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

void ExpectSound(const planner::Constraints& constraints) {
  for (const std::string& crn : constraints.excluded) {
    KIREMO_EXPECT(!crn.empty() && crn.size() <= files::kMaxStringBytes && OneLine(crn));
    for (const std::string& locked : constraints.locked) KIREMO_EXPECT(locked != crn);
  }
  for (const std::string& locked : constraints.locked) {
    KIREMO_EXPECT(locked.size() <= files::kMaxStringBytes && OneLine(locked));
  }
}

void WholeFile(std::string_view bytes) {
  planner::PlanSnapshot plan;
  try {
    plan = files::DecodePlan(bytes);
  } catch (const files::PlanFormatError&) {
    return;
  }
  ExpectSound(plan.constraints);
  const std::string written = files::EncodePlan(plan);
  const planner::PlanSnapshot again = files::DecodePlan(written);
  KIREMO_EXPECT(again.constraints == plan.constraints);
  if (fuzz::FitsTheFormat(plan)) KIREMO_EXPECT(again == plan);
  // Nothing is added for a plan without constraints, and what is written
  // is written the same way again.
  if (plan.constraints.Empty()) {
    planner::PlanSnapshot bare = plan;
    bare.constraints = {};
    KIREMO_EXPECT(written == files::EncodePlan(bare));
  }
  KIREMO_EXPECT(files::EncodePlan(again) == written);
}

void BlockAlone(std::string_view bytes) {
  planner::Constraints constraints;
  try {
    constraints = files::ReadConstraints(bytes);
  } catch (const files::PlanFormatError&) {
    return;
  }
  ExpectSound(constraints);
  files::DkfWriter out;
  files::WriteConstraints(out, constraints);
  KIREMO_EXPECT(files::ReadConstraints(out.Bytes()) == constraints);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  WholeFile(bytes);
  BlockAlone(bytes);
  return 0;
}
