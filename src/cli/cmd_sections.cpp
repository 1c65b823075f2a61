// kiremo-cli sections DEPT COURSE [--mine CODE | --all] [--json]: the section
// and teacher lists that a course row shows once the student has chosen the
// department and the course.
#include "catalogue/catalogue_files.h"
#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"
#include "planner/markers.h"
#include "planner/planner.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "sections BÖLÜM DERS_KODU [--mine BÖLÜM_KODUM | --all] [--json]";

void PrintList(std::ostream& out, std::string_view heading, const std::vector<std::string>& items) {
  PrintLine(out, heading);
  for (const std::string& item : items) PrintLine(out, "  " + item);
}

int Sections(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--all", "--json"}, {"--mine"});
  args.ExpectPositional(2, kUsage);
  if (args.Has("--all") && args.Has("--mine")) throw UsageError("--mine ile --all birlikte verilemez");
  const std::string department_text = Utf8ToCp1254(args.Positional()[0]);
  const std::string course_text = Utf8ToCp1254(args.Positional()[1]);
  const planner::DepartmentFilter filter{!args.Has("--all"),
                                         args.Has("--mine") ? Utf8ToCp1254(args.Value("--mine")) : std::string("ELK")};

  const planner::Choices departments{ReadDepartments(context.program_folder)};
  if (departments.items.empty()) throw NoDepartmentsYet();
  const int department_index = departments.IndexOfIgnoringCase(department_text);
  if (department_index < 0) throw Error("\"" + department_text + std::string("\" bölümü bölüm listesinde yok."_w));
  const std::string& department = departments.items[department_index];

  catalogue::CatalogueQuery query1(catalogue::MakeConnectionString(context.program_folder, catalogue::kMainCatalogue));
  planner::Choices courses;
  try {
    courses.items = query1.Db().CourseCodes(department);
  } catch (const DamagedCatalogueError&) {
    throw DatabaseError(std::string(kDamagedCatalogue));
  }
  const int course_index = courses.IndexOfIgnoringCase(course_text);
  if (course_index < 0) {
    throw Error("\"" + course_text + std::string("\" dersi \""_w) + department + std::string("\" bölümünde yok."_w));
  }
  const planner::CourseLists lists =
      planner::ListsOfCourse(query1.Db().SectionsOfCourse(department, courses.items[course_index]), filter);

  const std::vector<std::string> sections = lists.sections.Texts();
  if (args.Has("--json")) {
    PrintJson(context.out,
              nlohmann::json{{"sections", JsonTexts(sections)}, {"teachers", JsonTexts(lists.teachers.items)}});
  } else {
    PrintList(context.out, "Şubeler:"_w, sections);
    PrintList(context.out, "Hocalar:"_w, lists.teachers.items);
  }
  return 0;
}

const CommandRegistration registration{{"sections", kUsage, Sections}};

}  // namespace
}  // namespace kiremo::cli
