// kiremo-cli sections DEPT COURSE [--mine CODE | --all] [--json]: the section
// and teacher lists that course row 1 shows once the student has chosen the
// department and the course, made by the planner itself on a window in memory.
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"
#include "planner/planner.h"
#include "acquisition/hosts.h"
#include "view/memory_view.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "sections BÖLÜM DERS_KODU [--mine BÖLÜM_KODUM | --all] [--json]";

// The first item after "Seçin" that equals the text, letter case ignored; -1 if none.
int FindItem(const ui::ChoiceList& list, const std::string& text) {
  for (int k = 1; k < list.Count(); ++k) {
    if (SameTextIgnoringCase(list.Item(k), text)) return k;
  }
  return -1;
}

void PrintList(std::ostream& out, std::string_view heading, const std::vector<std::string>& items) {
  PrintLine(out, heading);
  for (const std::string& item : items) PrintLine(out, "  " + item);
}

int Sections(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--all", "--json"}, {"--mine"});
  args.ExpectPositional(2, kUsage);
  if (args.Has("--all") && args.Has("--mine")) throw UsageError("--mine ile --all birlikte verilemez");
  const std::string department = Utf8ToCp1254(args.Positional()[0]);
  const std::string course = Utf8ToCp1254(args.Positional()[1]);

  ui::MemoryView view;
  catalogue::CatalogueQuery query1(
      catalogue::MakeConnectionString(context.program_folder, catalogue::kMainCatalogue));
  planner::Planner planner(view, query1, context.program_folder, ForumUrl());
  if (args.Has("--mine")) view.Edit1().SetText(Utf8ToCp1254(args.Value("--mine")));
  view.CheckBox1().SetChecked(!args.Has("--all"));

  ReadDepartments(context.program_folder);  // the window's message when the list is missing
  ui::MemoryChoiceList& departments = view.ComboBox(1);
  planner.BirinciComboBoxDoldur(departments);
  const int department_index = FindItem(departments, department);
  if (department_index < 0) throw Error("\"" + department + std::string("\" bölümü bölüm listesinde yok."_w));
  departments.SetItemIndex(department_index);
  planner.DersKoduEkle(1);
  if (!view.Dialog().messages.empty()) throw DatabaseError(view.Dialog().messages.front().text);

  ui::MemoryChoiceList& courses = view.ComboBox(2);
  const int course_index = FindItem(courses, course);
  if (course_index < 0) {
    throw Error("\"" + course + std::string("\" dersi \""_w) + departments.Text() +
                std::string("\" bölümünde yok."_w));
  }
  courses.SetItemIndex(course_index);
  planner.AcilanDersEkle(1);

  const std::vector<std::string>& sections = view.ComboBox(3).Items();
  const std::vector<std::string>& teachers = view.HocaCombo(1).Items();
  if (args.Has("--json")) {
    PrintJson(context.out, nlohmann::json{{"sections", JsonTexts(sections)}, {"teachers", JsonTexts(teachers)}});
  } else {
    PrintList(context.out, "Şubeler:"_w, sections);
    PrintList(context.out, "Hocalar:"_w, teachers);
  }
  return 0;
}

const CommandRegistration registration{{"sections", kUsage, Sections}};

}  // namespace
}  // namespace kiremo::cli
