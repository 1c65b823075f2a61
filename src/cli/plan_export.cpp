#include "cli/plan_export.h"

#include <ctime>
#include <ostream>

#include "cli/args.h"
#include "cli/output.h"
#include "cli/plan_session.h"
#include "files/calendar_meetings.h"
#include "files/export_file.h"
#include "files/plan_io.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::cli {

namespace {

constexpr char kExportUsage[] =
    "plan export DOSYA.dkf ÇIKTI.xlsx | plan export DOSYA.dkf ÇIKTI.ics --term-start YYYY-AA-GG [--weeks N]";

files::CalendarTerm TermOf(const Args& args) {
  if (!args.Has("--term-start")) throw UsageError("takvim için dönemin ilk günü gerekli: --term-start YYYY-AA-GG");
  const std::string date = args.Value("--term-start");
  const auto first_day = files::ParseTermDate(date);
  if (!first_day)
    throw UsageError("geçersiz tarih: \"" + date + "\" (YYYY-AA-GG biçiminde, takvimde var olan bir gün)");
  files::CalendarTerm term{*first_day, files::kDefaultWeeks};
  if (args.Has("--weeks")) {
    const std::string weeks = args.Value("--weeks");
    const auto count = files::ParseWeeks(weeks);
    if (!count) {
      throw UsageError("geçersiz hafta sayısı: \"" + weeks + "\" (1 ile " + std::to_string(files::kMostWeeks) +
                       " arasında bir tam sayı)");
    }
    term.weeks = *count;
  }
  return term;
}

}  // namespace

int ExportPlan(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {}, {"--term-start", "--weeks"});
  args.ExpectPositional(2, kExportUsage);
  const std::string& out = args.Positional()[1];
  const bool calendar = EndsWith(LowerAscii(out), ".ics");
  if (!calendar && (args.Has("--term-start") || args.Has("--weeks"))) {
    throw UsageError("--term-start ve --weeks yalnızca .ics çıktısı içindir");
  }
  const files::CalendarTerm term = calendar ? TermOf(args) : files::CalendarTerm{};
  PlanSession session(context.program_folder);
  session.Load(args.Positional()[0]);
  const bool failed = ReportNotices(session.shown.notices, 0, context.err);
  if (!calendar) {
    files::WriteWorkbookFile(out, session.planner);
    return failed ? 1 : 0;
  }
  const files::CalendarWritten written =
      files::WriteCalendarFile(out, files::MeetingsOf(session.planner), term, std::time(nullptr));
  if (written.left_out > 0) {
    PrintLine(context.err, std::string("Günü ya da saati belli olmayan "_w) + std::to_string(written.left_out) +
                               std::string(" ders saati takvime aktarılmadı."_w));
  }
  return failed ? 1 : 0;
}

}  // namespace kiremo::cli
