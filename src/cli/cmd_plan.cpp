// kiremo-cli plan show|crns|check|export|compare|free: a schedule file loaded
// into the planner as the window loads it, then shown (with the classes in
// common with friends' plans), its CRNs given as the clipboard would get
// them, checked against the catalogue, or its week exported as a workbook or
// a calendar; two plans compared, or several plans' common free hours.
#include <cstdio>
#include <ostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/output.h"
#include "cli/plan_check.h"
#include "cli/plan_compare.h"
#include "cli/plan_export.h"
#include "cli/plan_free.h"
#include "cli/plan_friends.h"
#include "cli/plan_session.h"
#include "files/constraints_text.h"
#include "files/plan_io.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] =
    "plan show DOSYA.dkf [--friend ARKADAŞ.dkf ...] [--json] | plan crns DOSYA.dkf [--script] | plan check DOSYA.dkf "
    "[--json] | "
    "plan export DOSYA.dkf ÇIKTI.xlsx | "
    "plan export DOSYA.dkf ÇIKTI.ics --term-start YYYY-AA-GG [--weeks N]"
    " | plan compare A.dkf B.dkf [--json] | plan free DOSYA.dkf [DOSYA.dkf ...] [--json]";

nlohmann::json RowJson(int row, const planner::TDers& ders) {
  return {{"row", row},
          {"DersKodu", JsonText(ders.DersKodu)},
          {"DersAdi", JsonText(ders.DersAdi)},
          {"CRN", JsonText(ders.CRN)},
          {"Ogretmen", JsonText(ders.Ogretmen)},
          {"BlokSayisi", ders.BlokSayisi},
          {"Binalar", JsonTexts(ders.Binalar)},
          {"Gunler", JsonTexts(ders.Gunler)},
          {"Saatler", JsonTexts(ders.Saatler)},
          {"Derslikler", JsonTexts(ders.Derslikler)}};
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : "|") + text;
  return joined;
}

void ShowText(std::ostream& out, const PlanSession& session, const planner::PlanSnapshot& plan) {
  PrintLine(out, session.planner.Caption());
  for (int row = 1; row <= 10; ++row) {
    PrintLine(out, std::to_string(row) + ". " + plan.combos[3 * row - 3] + " / " + plan.combos[3 * row - 2] + " / " +
                       plan.combos[3 * row - 1]);
  }
  PrintLine(out, "Hücreler (Pazartesi..Cuma):"_w);
  for (int slot = 1; slot <= 14; ++slot) {
    char hour[8];
    std::snprintf(hour, sizeof hour, "%02d:30", planner::HourOfSlot(slot));
    std::string line = hour;
    for (int day = 1; day <= 5; ++day) {
      char value[8];
      std::snprintf(value, sizeof value, " %3d", session.planner.Cell(day, slot));
      line += value;
    }
    PrintLine(out, line);
  }
  for (int row = 1; row <= 10; ++row) {
    const planner::TDers& ders = session.planner.Ders(row);
    if (ders.CRN.empty()) continue;
    PrintLine(out, std::string("Kaydedilen "_w) + std::to_string(row) + ". " + ders.CRN + " " + ders.DersKodu + " (" +
                       ders.DersAdi + ") " + ders.Ogretmen + std::string(" gün "_w) + Joined(ders.Gunler) + " saat " +
                       Joined(ders.Saatler) + " bina " + Joined(ders.Binalar) + " derslik " + Joined(ders.Derslikler));
  }
  for (const std::string& line : files::ConstraintLines(plan)) PrintLine(out, line);
}

// {"locked": [{"row", "course", "crn"}...], "excluded": [CRN...], "busy":
// [{"day", "hours": [start hour...]}...]}, days and rows without any left out.
nlohmann::json ConstraintsJson(const planner::PlanSnapshot& plan) {
  const planner::Constraints& constraints = plan.constraints;
  nlohmann::json locked = nlohmann::json::array();
  for (int row = 1; row <= planner::kRows; ++row) {
    const std::string& crn = constraints.locked[row - 1];
    if (crn.empty()) continue;
    locked.push_back({{"row", row}, {"course", JsonText(plan.combos[3 * row - 2])}, {"crn", JsonText(crn)}});
  }
  nlohmann::json busy = nlohmann::json::array();
  for (int day = 1; day <= planner::kDays; ++day) {
    nlohmann::json hours = nlohmann::json::array();
    for (int slot = 1; slot <= planner::kSlots; ++slot) {
      if (constraints.busy[day - 1][slot - 1]) hours.push_back(planner::HourOfSlot(slot));
    }
    if (!hours.empty()) busy.push_back({{"day", day}, {"hours", hours}});
  }
  return {{"locked", locked},
          {"excluded", JsonTexts({constraints.excluded.begin(), constraints.excluded.end()})},
          {"busy", busy}};
}

nlohmann::json ShowJson(const PlanSession& session, const planner::PlanSnapshot& plan) {
  nlohmann::json cells = nlohmann::json::array();
  for (int day = 1; day <= 5; ++day) {
    for (int slot = 1; slot <= 14; ++slot) cells.push_back(session.planner.Cell(day, slot));
  }
  nlohmann::json rows = nlohmann::json::array();
  for (int row = 1; row <= 10; ++row) {
    if (!session.planner.Ders(row).CRN.empty()) rows.push_back(RowJson(row, session.planner.Ders(row)));
  }
  nlohmann::json shown = {{"combos", JsonTexts({plan.combos.begin(), plan.combos.end()})},
                          {"cells", cells},
                          {"rows", rows},
                          {"committed", JsonTexts({plan.committed.begin(), plan.committed.end()})}};
  if (!plan.constraints.Empty()) shown["constraints"] = ConstraintsJson(plan);
  return shown;
}

int Plan(Context& context, const std::vector<std::string>& words) {
  if (words.empty()) throw UsageError(std::string("kullanım: kiremo-cli ") + kUsage);
  const std::string& action = words[0];
  const std::vector<std::string> rest(words.begin() + 1, words.end());

  if (action == "show") {
    const Args args = Args::Parse(rest, {"--json"}, {"--friend"});
    args.ExpectPositional(1, kUsage);
    PlanSession session(context.program_folder);
    session.Load(args.Positional()[0]);
    const std::vector<planner::Friend> friends = ReadFriends(args);
    const bool failed = ReportNotices(session.shown.notices, 0, context.err);
    // What a save would write now: the combo texts and the marked CRNs.
    const planner::PlanSnapshot plan = session.planner.Snapshot();
    const auto in_common = planner::ClassesInCommon(plan, friends);
    if (args.Has("--json")) {
      nlohmann::json shown = ShowJson(session, plan);
      if (args.Has("--friend")) shown["in_common"] = ClassesInCommonJson(in_common);
      PrintJson(context.out, shown);
    } else {
      ShowText(context.out, session, plan);
      if (args.Has("--friend")) PrintClassesInCommon(context.out, in_common);
    }
    return failed ? 1 : 0;
  }
  if (action == "crns") {
    const Args args = Args::Parse(rest, {"--script"}, {});
    args.ExpectPositional(1, kUsage);
    PlanSession session(context.program_folder);
    session.Load(args.Positional()[0]);
    const bool failed = ReportNotices(session.shown.notices, 0, context.err);
    const files::RowCrns crns = files::CommittedCrns(session.planner);
    context.out << Cp1254ToUtf8(args.Has("--script") ? files::CrnScriptText(crns) : files::CrnListText(crns))
                << std::flush;
    return failed ? 1 : 0;
  }
  if (action == "check") return CheckPlanCommand(context, rest);
  if (action == "export") return ExportPlan(context, rest);
  if (action == "compare") return ComparePlansCommand(context, rest);
  if (action == "free") return FreeHoursCommand(context, rest);
  throw UsageError(std::string("kullanım: kiremo-cli ") + kUsage);
}

const CommandRegistration registration{{"plan", kUsage, Plan}};

}  // namespace
}  // namespace kiremo::cli
