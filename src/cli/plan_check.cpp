#include "cli/plan_check.h"

#include <ostream>

#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"
#include "cli/plan_session.h"
#include "planner/plan_check.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "plan check DOSYA.dkf [--json]";

const char* StatusName(planner::CheckStatus status) {
  switch (status) {
    case planner::CheckStatus::Unchanged: return "unchanged";
    case planner::CheckStatus::Changed: return "changed";
    case planner::CheckStatus::Vanished: return "vanished";
  }
  return "";
}

nlohmann::json CheckJson(const planner::PlanCheck& check) {
  nlohmann::json courses = nlohmann::json::array();
  for (const planner::CourseCheck& course : check.courses) {
    nlohmann::json changes = nlohmann::json::array();
    for (const planner::FieldChange& change : course.changes) {
      changes.push_back({{"field", change.field},
                         {"meeting", change.meeting},
                         {"old", JsonText(change.old_text)},
                         {"new", JsonText(change.new_text)}});
    }
    courses.push_back({{"row", course.row},
                       {"course", JsonText(course.course)},
                       {"crn", JsonText(course.crn)},
                       {"status", StatusName(course.status)},
                       {"changes", changes}});
  }
  nlohmann::json clashes = nlohmann::json::array();
  for (const auto& [a, b] : check.clashes) clashes.push_back({a, b});
  return {{"courses", courses}, {"clashes", clashes}};
}

}  // namespace

int CheckPlanCommand(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(1, kUsage);
  planner::PlanCheck check;
  try {
    const planner::PlanSnapshot plan = ReadPlan(args.Positional()[0]);
    check = planner::CheckPlan(plan, *OpenCatalogue(context.program_folder));
  } catch (const NotFetchedError& e) {
    ReportNotFetched(context, e);
    return 2;
  } catch (const Error& e) {
    context.err << Cp1254ToUtf8(e.what()) << '\n';
    return 2;
  }
  if (args.Has("--json")) {
    PrintJson(context.out, CheckJson(check));
  } else {
    const std::string text = planner::CheckText(check);
    PrintLine(context.out, text.empty() ? std::string("Programdaki dersler değişmemiş."_w) : text);
  }
  return check.AnythingChanged() ? 1 : 0;
}

}  // namespace kiremo::cli
