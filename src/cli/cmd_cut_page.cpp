// kiremo-cli cut-page FILE: the sections a schedule page holds, as the
// catalogue would store them.
#include "acquisition/page_cutter.h"
#include "catalogue/file_system.h"
#include "cli/args.h"
#include "cli/command.h"
#include "cli/output.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::cli {
namespace {

constexpr char kUsage[] = "cut-page DOSYA [--json]";

nlohmann::json SectionJson(const catalogue::SectionValues& s) {
  return {{"CRN", JsonText(s.crn)},
          {"ders_kodu", JsonText(s.ders_kodu)},
          {"ders_adi", JsonText(s.ders_adi)},
          {"ogretmen", JsonText(s.ogretmen)},
          {"bina", JsonText(s.bina)},
          {"gun", JsonText(s.gun)},
          {"saat", JsonText(s.saat)},
          {"derslik", JsonText(s.derslik)},
          {"alabilenler", JsonText(s.alabilenler)},
          {"blok", s.blok}};
}

// One line per section, the values in table order separated by tabs.
std::string SectionLine(const catalogue::SectionValues& s) {
  std::string line;
  for (const std::string* value :
       {&s.crn, &s.ders_kodu, &s.ders_adi, &s.ogretmen, &s.bina, &s.gun, &s.saat, &s.derslik}) {
    line += *value;
    line += '\t';
  }
  line += std::to_string(s.blok);
  line += '\t';
  line += s.alabilenler;
  return line;
}

int CutPage(Context& context, const std::vector<std::string>& words) {
  const Args args = Args::Parse(words, {"--json"}, {});
  args.ExpectPositional(1, kUsage);
  const std::string& file = args.Positional()[0];

  std::string page;
  try {
    page = ReadWholeFile(file);
  } catch (const IoError& e) {
    // The reader says "<path>: <reason>"; the path is told in quotes here.
    std::string reason = e.what();
    if (StartsWith(reason, file + ": ")) reason.erase(0, file.size() + 2);
    throw IoError("\"" + Utf8ToCp1254(file) + std::string("\" dosyası okunamadı: "_w) + reason);
  }
  const auto sections = acquisition::CutSchedulePage(page);

  if (args.Has("--json")) {
    nlohmann::json list = nullptr;
    if (sections) {
      list = nlohmann::json::array();
      for (const auto& section : *sections) list.push_back(SectionJson(section));
    }
    PrintJson(context.out, nlohmann::json{{"sections", list}});
  } else if (!sections) {
    PrintLine(context.out, "Sayfada ders tablosu yok."_w);
  } else {
    for (const auto& section : *sections) PrintLine(context.out, SectionLine(section));
  }
  return 0;
}

const CommandRegistration registration{{"cut-page", kUsage, CutPage}};

}  // namespace
}  // namespace kiremo::cli
