// kiremo-cli generate: the generator panel from the command line. The
// courses go into rows 1..n as the student would choose them, the panel
// gets the constraints, and "Oluştur" runs.
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <ostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/constraint_options.h"
#include "cli/generate_output.h"
#include "cli/output.h"
#include "cli/plan_session.h"
#include "cli/search_stop.h"
#include "files/friend_file.h"
#include "files/plan_io.h"
#include "generator/generator.h"
#include "generator/hour_window.h"
#include "generator/preference_metrics.h"
#include "generator/sort_keys.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] =
    "generate --course KOD [--course KOD ...] [--teacher N=HOCA] [--hours 9-19] [--free-days 1,5] "
    "[--avoid MKB,ISB] [--mine BÖLÜM | --all] [--lock \"KOD=CRN\"] [--exclude CRN[,CRN...]] "
    "[--busy GÜN:SAAT[-SAAT][,...]] [--sort ANAHTAR[,ANAHTAR...]] [--friend PLAN.dkf ...] [--time-limit SANİYE] "
    "[--metrics] [--json] [--apply K] [--save ÇIKTI.dkf]";

// The command line, its texts already in Windows-1254.
struct GenerateOptions {
  std::vector<std::string> courses;
  std::map<int, std::string> teachers;  // row -> teacher
  std::optional<std::pair<std::string, std::string>> hours;
  std::optional<std::vector<int>> free_days;
  std::optional<std::string> avoid;
  std::optional<std::string> mine;
  bool all = false;
  generator::SortKeys sort;          // none: the order found
  std::vector<std::string> friends;  // friends' plans, local paths
  std::optional<double> time_limit;  // seconds the search may take
  bool metrics = false;
  bool json = false;
  std::optional<int> apply;         // the alternative chosen in the result list
  std::optional<std::string> save;  // a local path, taken as it is
  ConstraintOptions constraints;
};

constexpr generator::HourFieldNames kHourOption{"--hours: ilk saat", "--hours: son saat"};

[[noreturn]] void Usage(const std::string& why) { throw UsageError(why + "\nkullanım: kiremo-cli " + kUsage); }

generator::SortKeys ParseSortOption(const std::string& words) {
  const std::optional<generator::SortKeys> keys = generator::ParseSortKeys(words);
  if (!keys) Usage("--sort için bilinmeyen sıralama: " + words + " (kullanılabilenler: " + generator::KeyWords() + ")");
  return *keys;
}

double ParseTimeLimit(const std::string& text) {
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0)
    Usage("--time-limit saniye olarak sıfırdan büyük bir sayı alır, örneğin 10 ya da 2.5: " + text);
  return seconds;
}

GenerateOptions ParseOptions(const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--all", "--json", "--metrics"},
                                {"--course", "--teacher", "--hours", "--free-days", "--avoid", "--mine", "--sort",
                                 "--time-limit", "--apply", "--save", "--lock", "--exclude", "--busy", "--friend"});
  if (!args.Positional().empty()) Usage("fazladan sözcük: " + args.Positional()[0]);
  GenerateOptions options;
  for (const std::string& course : args.Values("--course")) options.courses.push_back(Utf8ToCp1254(course));
  if (options.courses.empty()) Usage("en az bir --course gerekli");
  if (options.courses.size() > 10) Usage("en çok 10 ders seçilebilir");
  for (const std::string& teacher : args.Values("--teacher")) {
    const auto equals = teacher.find('=');
    const int row = equals == std::string::npos ? 0 : StrToIntDef(teacher.substr(0, equals), 0);
    if (row < 1 || row > static_cast<int>(options.courses.size()))
      Usage("--teacher N=HOCA: N bir dersin sırası olmalı");
    options.teachers[row] = Utf8ToCp1254(teacher.substr(equals + 1));
  }
  if (args.Has("--hours")) {
    const std::string hours = Utf8ToCp1254(args.Value("--hours"));
    const auto dash = hours.find('-');
    if (dash == std::string::npos) Usage("--hours: ilk saat ile son saat İLK-SON biçiminde verilmeli, örneğin 9-19");
    options.hours = {{hours.substr(0, dash), hours.substr(dash + 1)}};
    if (auto fault = generator::HourWindowFault(options.hours->first, options.hours->second, kHourOption))
      Usage(Cp1254ToUtf8(*fault));
  }
  if (args.Has("--free-days")) {
    options.free_days.emplace();
    for (const std::string& day : Explode(args.Value("--free-days"), ",")) {
      const int number = StrToIntDef(day, 0);
      if (number < 1 || number > 5) Usage("--free-days 1 (Pazartesi) ile 5 (Cuma) arası günler alır");
      options.free_days->push_back(number);
    }
  }
  if (args.Has("--avoid")) options.avoid = Utf8ToCp1254(args.Value("--avoid"));
  if (args.Has("--mine")) options.mine = Utf8ToCp1254(args.Value("--mine"));
  options.all = args.Has("--all");
  if (options.mine && options.all) Usage("--mine ile --all birlikte verilemez");
  if (args.Has("--sort")) options.sort = ParseSortOption(args.Value("--sort"));
  options.friends = args.Values("--friend");
  if (generator::NeedsFriends(options.sort) && options.friends.empty())
    Usage("--sort friends en az bir --friend PLAN.dkf ister");
  if (args.Has("--time-limit")) options.time_limit = ParseTimeLimit(args.Value("--time-limit"));
  options.metrics = args.Has("--metrics");
  options.json = args.Has("--json");
  if (args.Has("--apply")) {
    options.apply = StrToIntDef(args.Value("--apply"), 0);
    if (*options.apply < 1) Usage("--apply 1 ya da daha büyük bir alternatif numarası alır");
  }
  if (args.Has("--save")) options.save = args.Value("--save");
  try {
    options.constraints = ParseConstraintOptions(args, options.courses);
  } catch (const UsageError& e) {
    Usage(e.what());
  }
  return options;
}

// The planner and the generator without a window, after start-up.
class GenerateSession {
 public:
  explicit GenerateSession(const std::string& program_folder)
      : session_(program_folder), generator_(session_.planner, session_.query1) {}

  // The department filter first, so that the section lists are filled
  // under it as the student would see them; then the rows; then the rest
  // of the panel.
  void Prepare(const GenerateOptions& options) {
    generator::GeneratorPanel& panel = session_.panel;
    if (options.mine) {
      panel.own_department = *options.mine;
      panel.own_department_only = true;
    }
    if (options.all) panel.own_department_only = false;
    for (int row = 1; row <= static_cast<int>(options.courses.size()); ++row)
      session_.ChooseCourse(row, options.courses[row - 1]);
    for (const auto& [row, teacher] : options.teachers) {
      const int index = FindChoice(session_.planner.Row(row).teacher, teacher);
      if (index < 0) {
        throw Error(teacher + std::string(" bu dersin hocaları arasında yok: "_w) + options.courses[row - 1]);
      }
      session_.planner.SelectTeacher(row, index);
    }
    if (options.hours) {
      panel.first_hour = options.hours->first;
      panel.end_hour = options.hours->second;
    }
    if (options.free_days) {
      panel.free_days = {};
      for (const int day : *options.free_days) panel.free_days[day - 1] = true;
    }
    if (options.avoid) panel.unwanted_buildings = *options.avoid;
    if (!options.friends.empty()) {
      std::vector<planner::PlanSnapshot> plans;
      for (const std::string& path : options.friends) plans.push_back(files::ReadFriendFile(path).plan);
      generator_.SetFriends(generator::FriendWeeksOf(plans));
    }
    try {
      session_.planner.SetConstraints(
          ConstraintsOfRows(options.constraints, options.courses, session_.planner.Query1()));
    } catch (const UsageError& e) {
      Usage(e.what());
    }
  }

  // "Oluştur", listing in the order of the keys.
  generator::Generation Generate(const generator::SortKeys& keys) {
    generator_.SetSortKeys(keys);
    return generator_.btnYerlestirClick(session_.panel);
  }

  PlanSession& Session() { return session_; }
  generator::Generator& Generator() { return generator_; }

 private:
  PlanSession session_;
  generator::Generator generator_;
};

// Chooses alternative K in the result list, as the student does, then
// saves the plan as "Kaydet" does.
void ApplyAndSave(const GenerateOptions& options, GenerateSession& run, std::ostream& err) {
  const std::size_t first = run.Session().shown.notices.size();
  if (options.apply) {
    const int count = run.Generator().ResultCount;
    if (*options.apply > count) {
      throw Error(std::to_string(*options.apply) + std::string(". alternatif yok: "_w) + std::to_string(count) +
                  std::string(" farklı program var."_w));
    }
    run.Generator().ComboBox31Change(*options.apply);
  }
  if (options.save) files::WritePlanFile(*options.save, run.Session().planner.Snapshot());
  ReportNotices(run.Session().shown.notices, first, err);
}

int Generate(Context& context, const std::vector<std::string>& words) {
  const GenerateOptions options = ParseOptions(words);
  // Ctrl-C and SIGTERM stop the search; what it found is still printed.
  const StopSignals signals;
  SearchStop stop(options.time_limit);
  GenerateSession run(context.program_folder);
  run.Generator().SetSearchMonitor(&stop);
  const std::size_t first = run.Session().shown.notices.size();
  run.Prepare(options);
  ReportNotices(run.Session().shown.notices, first, context.err);
  const generator::Generation generation = run.Generate(options.sort);
  ApplyAndSave(options, run, context.err);
  const bool complete = run.Generator().LastSearchEnd() != generator::SearchEnd::Stopped;
  const GenerateReport report{run.Generator(), generation, options.metrics, complete};
  if (options.json) {
    PrintJsonResult(context.out, report);
  } else {
    PrintTextResult(context.out, report);
  }
  if (StopSignals::Noted() != 0) {
    context.out.flush();
    return 128 + StopSignals::Noted();
  }
  // No timetable listed is a failure, whichever box says why; like every
  // failure it is said on standard error too.
  if (generation.listed > 0) return 0;
  PrintLine(context.err, "Hiçbir program listelenmedi."_w);
  return 1;
}

const CommandRegistration registration{{"generate", kUsage, Generate}};

}  // namespace
}  // namespace kiremo::cli
