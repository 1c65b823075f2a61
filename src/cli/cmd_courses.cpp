// kiremo-cli courses DEPT: the distinct course codes of a department, in the
// order the catalogue first holds them.
#include <algorithm>

#include "catalogue/catalogue_files.h"
#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "courses BÖLÜM [--json]";

int Courses(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(1, kUsage);
  const std::string department = Utf8ToCp1254(args.Positional()[0]);

  const auto db = OpenCatalogue(context.program_folder);
  const std::vector<std::string> tables = db->TableNames();
  if (std::find(tables.begin(), tables.end(), catalogue::TableName(department)) == tables.end()) {
    if (tables.empty()) throw NoDepartmentsYet();
    throw Error("\"" + department + std::string("\" bölümü katalogda yok."_w));
  }
  const std::vector<std::string> codes = db->CourseCodes(department);
  if (args.Has("--json")) {
    PrintJson(context.out, JsonTexts(codes));
  } else {
    for (const std::string& code : codes) PrintLine(context.out, code);
  }
  return 0;
}

const CommandRegistration registration{{"courses", kUsage, Courses}};

}  // namespace
}  // namespace kiremo::cli
