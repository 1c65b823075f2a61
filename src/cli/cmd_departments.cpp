// kiremo-cli departments: the department list, one code per line.
#include <ostream>

#include "cli/args.h"
#include "cli/catalogue_access.h"
#include "cli/command.h"
#include "cli/output.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "departments [--json]";

int Departments(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(0, kUsage);
  const std::vector<std::string> codes = ReadDepartments(context.program_folder);
  // An empty answer is right after "init", but says nothing of what to do.
  if (codes.empty()) {
    context.err << "Bölüm listesi boş: ders bilgileri henüz sunucudan alınmamış. \"" << CommandLine(context, "update")
                << "\" ile al.\n";
  }
  if (args.Has("--json")) {
    PrintJson(context.out, JsonTexts(codes));
  } else {
    for (const std::string& code : codes) PrintLine(context.out, code);
  }
  return 0;
}

const CommandRegistration registration{{"departments", kUsage, Departments}};

}  // namespace
}  // namespace kiremo::cli
