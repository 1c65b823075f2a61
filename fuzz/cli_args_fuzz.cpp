// Any words as the command line of kiremo-cli: the words are parsed as
// every command parses them, and the command they name runs on a small
// program folder. A command ends with status 0, or with 1 or 2 and a
// message; nothing else may happen.
//
// The input is the words, one per line, the command's name first. Inputs
// that could reach outside the scratch folder (a word with "/") and the
// commands that rebuild the catalogue or go to the network ("init",
// "import-pages", "update") are skipped: their own tests cover them.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>

#include "catalogue/file_system.h"
#include "cli/args.h"
#include "cli/command.h"
#include "files/dkf_format.h"
#include "fuzz_support.h"
#include "support/catalogue_fixture.h"
#include "text/cp1254.h"

namespace {

using namespace kiremo;
using testing_support::Section;

constexpr std::string_view kPlanName = "plan.dkf";

// A saved plan: row 1 holds ELK 101 with 21001 committed.
std::string SavedPlan() {
  planner::PlanSnapshot plan;
  plan.combos[0] = "ELK";
  plan.combos[1] = "ELK 101";
  plan.combos[2] = "21001 :: Ali Veli :: Pazartesi :: EEB----------Kaydedildi";
  for (std::size_t k = 3; k < plan.combos.size(); k += 3) plan.combos[k] = std::string("Seçin"_w);
  plan.cells[0][0] = 1;
  plan.cells[0][1] = 1;
  plan.rows[0] = planner::StoredRow{"ELK 101", "Devre", "21001", "Ali Veli", 1, {{"EEB", "1", "08:10", "D101"}}};
  plan.committed[0] = "21001";
  return files::EncodePlan(plan);
}

// The program folder, made once and entered: relative paths of the words
// name files in it.
const std::string& ProgramFolder() {
  static const std::string folder = [] {
    const std::string path = fuzz::ScratchFolder();
    testing_support::CatalogueFixture store(path);
    store.Department("ELK",
                     {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D101"),
                      Section("21002", "ELK 101", "Can Er", "Sali|Cuma", "1330/1529|0830/0929", "EEB|MED", "D1|D2"),
                      Section("21003", "ELK 102", "Deniz Su", std::string("Çarşamba"_w), "0930/1129")});
    store.Department(
        "MAT", {Section("30001", "MAT 101", "Ece Ay", "Pazartesi", "0930/1029", "FEB", "F1", std::string("TÜM"_w))});
    if (::chdir(path.c_str()) != 0) std::abort();
    return path;
  }();
  return folder;
}

// Back to the folder as made: whatever a command wrote beside the catalogue
// goes, and the saved plan is whole again.
void Tidy() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder(), ignored)) {
    if (entry.path().filename() != "DataBase") std::filesystem::remove_all(entry.path(), ignored);
  }
  WriteFileAtomically(ProgramFolder() + std::string(kPlanName), SavedPlan());
}

std::vector<std::string> Words(std::string_view input) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start <= input.size()) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    words.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// The parser keeps every word: positional words in order, option values
// after their option.
void CheckParse(const std::vector<std::string>& words) {
  const std::vector<std::string> flags = {"--all", "--json"};
  const std::vector<std::string> valued = {"--course", "--teacher", "--hours", "--mine", "--save"};
  cli::Args args;
  try {
    args = cli::Args::Parse(words, flags, valued);
  } catch (const cli::UsageError&) {
    return;
  }
  std::size_t kept = args.Positional().size();
  for (const std::string& flag : flags) kept += args.Values(flag).size();
  for (const std::string& option : valued) kept += 2 * args.Values(option).size();
  KIREMO_EXPECT(kept == words.size());
  for (const std::string& word : args.Positional()) KIREMO_EXPECT(word.size() < 2 || word.compare(0, 2, "--") != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  const std::vector<std::string> words = Words(fuzz::Bytes(data, size));
  CheckParse(words);

  for (const std::string& word : words) {
    if (word.find('/') != std::string::npos) return 0;
  }
  const cli::Command* command = cli::FindCommand(words[0]);
  if (!command || command->name == "init" || command->name == "import-pages" || command->name == "update") return 0;

  Tidy();
  std::ostringstream out;
  std::ostringstream err;
  cli::Context context{ProgramFolder(), out, err, false, ""};
  const int status = cli::RunCommand(*command, context, std::vector<std::string>(words.begin() + 1, words.end()));
  KIREMO_EXPECT(status == 0 || status == 1 || status == 2);
  KIREMO_EXPECT(status == 0 || !err.str().empty());
  return 0;
}
