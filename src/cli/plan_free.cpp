#include "cli/plan_free.h"

#include <ostream>

#include "cli/args.h"
#include "cli/output.h"
#include "files/plan_io.h"
#include "planner/common_free.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {

namespace {
constexpr char kUsage[] = "plan free DOSYA.dkf [DOSYA.dkf ...] [--json]";
}  // namespace

int FreeHoursCommand(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  if (args.Positional().empty()) throw UsageError(std::string("kullanım: kiremo-cli ") + kUsage);
  std::vector<planner::PlanSnapshot> plans;
  for (const std::string& path : args.Positional()) plans.push_back(files::ReadPlanFile(path));
  const std::vector<planner::SlotRange> ranges = planner::RangesOf(planner::CommonFreeCells(plans));
  if (args.Has("--json")) {
    nlohmann::json free = nlohmann::json::array();
    for (const planner::SlotRange& range : ranges) {
      free.push_back({{"day", range.day}, {"from", range.from}, {"to", range.to}});
    }
    PrintJson(context.out, {{"free", free}});
  } else if (ranges.empty()) {
    PrintLine(context.out, "Ortak boş saat yok."_w);
  } else {
    for (const planner::SlotRange& range : ranges) PrintLine(context.out, planner::RangeText(range));
  }
  return 0;
}

}  // namespace kiremo::cli
