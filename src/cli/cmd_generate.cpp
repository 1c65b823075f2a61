// kiremo-cli generate: the generator panel from the command line. The
// courses go into rows 1..n as the student would choose them, the panel
// gets the constraints, and "Oluştur" runs.
#include <map>
#include <optional>
#include <ostream>

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/output.h"
#include "cli/plan_session.h"
#include "generator/generator.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] =
    "generate --course KOD [--course KOD ...] [--teacher N=HOCA] [--hours 9-19] [--free-days 1,5] "
    "[--avoid MKB,ISB] [--mine BÖLÜM | --all] [--json] [--apply K] [--save ÇIKTI.dkf]";

// The command line, its texts already in Windows-1254.
struct GenerateOptions {
  std::vector<std::string> courses;
  std::map<int, std::string> teachers;  // row -> teacher
  std::optional<std::pair<std::string, std::string>> hours;
  std::optional<std::vector<int>> free_days;
  std::optional<std::string> avoid;
  std::optional<std::string> mine;
  bool all = false;
  bool json = false;
  std::optional<int> apply;         // the alternative chosen in the result list
  std::optional<std::string> save;  // a local path, taken as it is
};

[[noreturn]] void Usage(const std::string& why) { throw UsageError(why + "\nkullanım: kiremo-cli " + kUsage); }

GenerateOptions ParseOptions(const std::vector<std::string>& words) {
  const Args args = Args::Parse(
      words, {"--all", "--json"},
      {"--course", "--teacher", "--hours", "--free-days", "--avoid", "--mine", "--apply", "--save"});
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
    const std::string hours = args.Value("--hours");
    const auto dash = hours.find('-');
    if (dash == std::string::npos) Usage("--hours İLK-SON biçiminde olmalı");
    options.hours = {{hours.substr(0, dash), hours.substr(dash + 1)}};
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
  options.json = args.Has("--json");
  if (args.Has("--apply")) {
    options.apply = StrToIntDef(args.Value("--apply"), 0);
    if (*options.apply < 1) Usage("--apply 1 ya da daha büyük bir alternatif numarası alır");
  }
  if (args.Has("--save")) options.save = args.Value("--save");
  return options;
}

// Selects the item equal to the text, or failing that the one equal to it
// but for the case of ASCII letters; false when there is none.
bool SelectText(ui::ChoiceList& list, const std::string& text) {
  for (const bool exact : {true, false}) {
    for (int k = 0; k < list.Count(); ++k) {
      if (exact ? list.Item(k) == text : SameTextIgnoringCase(list.Item(k), text)) {
        list.SetItemIndex(k);
        return true;
      }
    }
  }
  return false;
}

// The planner and the generator on the window in memory, after start-up.
class GenerateSession {
 public:
  explicit GenerateSession(const std::string& program_folder)
      : session_(program_folder), generator_(session_.planner, session_.view, session_.query1) {}

  // The department filter first, so that the section lists are filled
  // under it as the student would see them; then the rows; then the rest
  // of the panel.
  void Prepare(const GenerateOptions& options) {
    ui::MemoryView& view = session_.view;
    if (options.mine) {
      view.Edit1().SetText(*options.mine);
      view.CheckBox1().SetChecked(true);
    }
    if (options.all) view.CheckBox1().SetChecked(false);
    for (int row = 1; row <= static_cast<int>(options.courses.size()); ++row)
      ChooseCourse(row, options.courses[row - 1]);
    for (const auto& [row, teacher] : options.teachers) {
      if (!SelectText(view.HocaCombo(row), teacher)) {
        throw Error(teacher + std::string(" bu dersin hocaları arasında yok: "_w) + options.courses[row - 1]);
      }
    }
    if (options.hours) {
      view.EditSt().SetText(options.hours->first);
      view.EditEnd().SetText(options.hours->second);
    }
    if (options.free_days) {
      for (int day = 1; day <= 5; ++day) view.Chk(day).SetChecked(false);
      for (const int day : *options.free_days) view.Chk(day).SetChecked(true);
    }
    if (options.avoid) view.Edit2().SetText(*options.avoid);
  }

  // "Oluştur"; the text of the box it showed, if any.
  std::optional<std::string> Generate() {
    const std::size_t first = session_.view.Dialog().messages.size();
    generator_.btnYerlestirClick();
    const auto& shown = session_.view.Dialog().messages;
    if (shown.size() == first) return std::nullopt;
    return shown.back().text;
  }

  PlanSession& Session() { return session_; }
  generator::Generator& Generator() { return generator_; }

 private:
  void ChooseCourse(int row, const std::string& course) {
    ui::MemoryView& view = session_.view;
    const std::string department = course.substr(0, 3);
    if (!SelectText(view.DepartmentCombo(row), department)) {
      throw Error(department + std::string(" bölümü bölüm listesinde yok."_w));
    }
    session_.planner.DersKoduEkle(row);
    if (!SelectText(view.CourseCombo(row), course)) {
      throw Error(course + std::string(" dersi "_w) + view.DepartmentCombo(row).Text() +
                  std::string(" bölümünde yok."_w));
    }
    session_.planner.AcilanDersEkle(row);
  }

  PlanSession session_;
  generator::Generator generator_;
};

// Writes the alternatives in large pieces: a million of them are tens of
// megabytes of text.
class ChunkedWriter {
 public:
  explicit ChunkedWriter(std::ostream& out) : out_(out) {}
  ~ChunkedWriter() { Flush(); }
  std::string& Buffer() { return buffer_; }
  void Spill() {
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

 private:
  std::ostream& out_;
  std::string buffer_;
};

// Each candidate's CRN as it is written: UTF-8, quoted for JSON if asked.
std::vector<std::string> CrnTexts(const generator::Generator& generator, bool json) {
  std::vector<std::string> texts;
  for (const generator::TTreeDers& c : generator.Candidates) {
    texts.push_back(json ? JsonText(c.CRN).dump() : Cp1254ToUtf8(c.CRN));
  }
  return texts;
}

void PrintJsonResult(std::ostream& out, const generator::Generator& generator,
                     const std::optional<std::string>& message) {
  const std::vector<std::string> crns = CrnTexts(generator, true);
  const generator::Alternatives& results = generator.Results;
  ChunkedWriter writer(out);
  writer.Buffer() += "{\"count\": " + std::to_string(generator.ResultCount) + ", \"alternatives\": [";
  for (int k = 0; k < generator.ResultCount; ++k) {
    std::string& line = writer.Buffer();
    line += k == 0 ? "\n  [" : ",\n  [";
    for (int level = 0; level < results.Levels(); ++level) {
      if (level > 0) line += ", ";
      line += crns[results.Candidate(k, level)];
    }
    line += ']';
    writer.Spill();
  }
  writer.Buffer() += generator.ResultCount > 0 ? "\n], \"message\": " : "], \"message\": ";
  writer.Buffer() += message ? JsonText(*message).dump() : "null";
  writer.Buffer() += "}\n";
}

void PrintTextResult(std::ostream& out, GenerateSession& run, const std::optional<std::string>& message) {
  generator::Generator& generator = run.Generator();
  if (message) PrintLine(out, run.Session().view.Dialog().messages.back().caption + ": " + *message);
  if (generator.ResultCount == 0) return;
  PrintLine(out, ui::ResultItemText(0, generator.ResultCount));
  const std::vector<std::string> crns = CrnTexts(generator, false);
  ChunkedWriter writer(out);
  for (int k = 0; k < generator.ResultCount; ++k) {
    std::string& line = writer.Buffer();
    line += ui::ResultItemText(k + 1, generator.ResultCount);
    line += ':';
    for (int level = 0; level < generator.Results.Levels(); ++level) {
      line += ' ';
      line += crns[generator.Results.Candidate(k, level)];
    }
    line += '\n';
    writer.Spill();
  }
}

// Chooses alternative K in the result list, as the student does, then
// saves the plan as "Kaydet" does.
void ApplyAndSave(const GenerateOptions& options, GenerateSession& run, std::ostream& err) {
  ui::MemoryView& view = run.Session().view;
  const std::size_t first = view.Dialog().messages.size();
  if (options.apply) {
    const int count = run.Generator().ResultCount;
    if (*options.apply > count) {
      throw Error(std::to_string(*options.apply) + std::string(". alternatif yok: "_w) + std::to_string(count) +
                  std::string(" farklı program var."_w));
    }
    view.ComboBox31().SetItemIndex(*options.apply);
    run.Generator().ComboBox31Change();
  }
  if (options.save && !run.Session().files.SaveFile(*options.save)) throw Error(view.Dialog().messages.back().text);
  ReportMessages(view.Dialog(), first, err);
}

int Generate(Context& context, const std::vector<std::string>& words) {
  const GenerateOptions options = ParseOptions(words);
  GenerateSession run(context.program_folder);
  const std::size_t first = run.Session().view.Dialog().messages.size();
  run.Prepare(options);
  ReportMessages(run.Session().view.Dialog(), first, context.err);
  const std::optional<std::string> message = run.Generate();
  ApplyAndSave(options, run, context.err);
  if (options.json) {
    PrintJsonResult(context.out, run.Generator(), message);
  } else {
    PrintTextResult(context.out, run, message);
  }
  return 0;
}

const CommandRegistration registration{{"generate", kUsage, Generate}};

}  // namespace
}  // namespace kiremo::cli
