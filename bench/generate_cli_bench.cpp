// "kiremo-cli generate" as a student's script runs it, on catalogues written
// here: a choice of about six million timetables listed in the order found
// and by fewest days (the sorted run may take at most three times as long),
// and two hopeless choices of ten large courses that must be answered in
// under a second: one course chosen twice among them, and ten courses that
// cannot be combined although any nine of them can.
//
//   generate_cli_bench                            run the benchmarks
//   generate_cli_bench --write-catalogue FOLDER   write FOLDER/DataBase with
//       the departments ALT (the six million), TEN and PIG (the hopeless ones)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo {
namespace {

using testing_support::Section;

const std::string kBin = KIREMO_BIN_DIR;
const std::string_view kDays[] = {"Pazartesi"_w, "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"_w};

std::string Hours(int hour, int length) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d30/%02d29", hour % 100, (hour + length) % 100);
  return text;
}

std::string Code(const std::string& department, int course) { return department + " " + std::to_string(100 + course); }

// Six courses of ten sections and one of six, each course at an hour of its
// own and its sections spread over the week two a day: 6,000,000
// timetables, taking one to five days.
std::vector<catalogue::SectionValues> SixMillion() {
  std::vector<catalogue::SectionValues> sections;
  for (int course = 1; course <= 7; ++course) {
    for (int s = 0; s < (course == 7 ? 6 : 10); ++s) {
      sections.push_back(Section(std::to_string(10000 + course * 100 + s), Code("ALT", course), "Hoca",
                                 std::string(kDays[s % 5]), Hours(8 + course, 1), "EEB", "D1", "ELK"));
    }
  }
  return sections;
}

// Eight large courses of 36 sections meeting twice a week at seeded hours,
// and a course of a single section.
std::vector<catalogue::SectionValues> LargeCourses() {
  std::mt19937 random(1307);
  std::vector<catalogue::SectionValues> sections;
  for (int course = 1; course <= 8; ++course) {
    for (int s = 0; s < 36; ++s) {
      const int first = static_cast<int>(random() % 5);
      const int second = (first + 1 + static_cast<int>(random() % 4)) % 5;
      const int h1 = 8 + static_cast<int>(random() % 12), h2 = 8 + static_cast<int>(random() % 12);
      sections.push_back(Section(std::to_string(20000 + course * 100 + s), Code("TEN", course), "Hoca",
                                 std::string(kDays[first]) + "|" + std::string(kDays[second]),
                                 Hours(h1, 1) + "|" + Hours(h2, 2), "EEB|FEB", "D1|D2", "ELK"));
    }
  }
  sections.push_back(Section("20999", Code("TEN", 9), "Hoca", "Cuma", Hours(20, 1), "EEB", "D1", "ELK"));
  return sections;
}

// Ten courses whose every section takes one of nine two-hour blocks (four
// sections a block): any nine of them fit in the nine blocks, all ten never.
std::vector<catalogue::SectionValues> TenIntoNine() {
  std::vector<catalogue::SectionValues> sections;
  for (int course = 1; course <= 10; ++course) {
    for (int block = 0; block < 9; ++block) {
      for (int copy = 0; copy < 4; ++copy) {
        sections.push_back(Section(std::to_string(30000 + course * 100 + block * 4 + copy), Code("PIG", course),
                                   "Hoca " + std::to_string(copy), std::string(kDays[block % 5]),
                                   Hours(block < 5 ? 9 : 13, 2), "EEB", "D1", "ELK"));
      }
    }
  }
  return sections;
}

void WriteCatalogue(const std::string& folder) {
  testing_support::CatalogueFixture store(folder.back() == '/' ? folder : folder + "/");
  store.Department("ALT", SixMillion());
  store.Department("TEN", LargeCourses());
  store.Department("PIG", TenIntoNine());
}

class Catalogue {
 public:
  Catalogue() { WriteCatalogue(folder_.Path()); }
  const std::string& Folder() const { return folder_.Path(); }

 private:
  testing_support::TempFolder folder_;
};

const Catalogue& TheCatalogue() {
  static const Catalogue catalogue;
  return catalogue;
}

// Runs kiremo-cli with its output into /dev/null; its exit status.
int RunCli(const std::vector<std::string>& words) {
  std::vector<std::string> all = {kBin + "/kiremo-cli", "--folder", TheCatalogue().Folder(), "generate"};
  all.insert(all.end(), words.begin(), words.end());
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    std::vector<char*> argv;
    for (std::string& word : all) argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Courses(const std::string& department, const std::vector<int>& courses) {
  std::vector<std::string> words = {"--all", "--avoid", "", "--hours", "8-23", "--json"};
  for (const int course : courses) words.insert(words.end(), {"--course", Code(department, course)});
  return words;
}

// A hopeless choice lists nothing, which kiremo-cli ends with status 1.
void RunTimed(benchmark::State& state, const std::vector<std::string>& words, int status = 0) {
  TheCatalogue();
  for (auto _ : state) {
    if (RunCli(words) != status) state.SkipWithError("kiremo-cli ended with another status");
  }
}

void BM_Generate_SixMillion(benchmark::State& state) { RunTimed(state, Courses("ALT", {1, 2, 3, 4, 5, 6, 7})); }
void BM_Generate_SixMillion_SortDays(benchmark::State& state) {
  std::vector<std::string> words = Courses("ALT", {1, 2, 3, 4, 5, 6, 7});
  words.insert(words.end(), {"--sort", "days"});
  RunTimed(state, words);
}
void BM_Generate_TenCourses_OneTwice(benchmark::State& state) {
  RunTimed(state, Courses("TEN", {1, 2, 3, 4, 5, 6, 7, 8, 9, 9}), 1);
}
void BM_Generate_TenCourses_NoneFits(benchmark::State& state) {
  RunTimed(state, Courses("PIG", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 1);
}
BENCHMARK(BM_Generate_SixMillion)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Generate_SixMillion_SortDays)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Generate_TenCourses_OneTwice)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Generate_TenCourses_NoneFits)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace kiremo

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-catalogue") {
    kiremo::WriteCatalogue(argv[2]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
