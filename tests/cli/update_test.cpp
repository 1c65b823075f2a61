#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "cli/cli_runner.h"
#include "cli/page_fixture.h"
#include "demo_server/schedule_server.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::testing_support {
namespace {

using namespace std::chrono_literals;

constexpr char kConnectionFailed[] =
    "Sunucuya bağlanamadım! Internete bağlı olduğundan ve ZEMÜ'nün sitesinin göçmediğinden emin olduktan sonra "
    "tekrar dene!";
constexpr char kAlreadyUpdating[] = "Ders bilgileri şu anda güncelleniyor.";

PageRow Row(const std::string& crn, const std::string& code) {
  return {crn, code, "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D101", "ELK"};
}

// A program folder whose catalogue holds the old term: one row "OLD" in the
// table of every department given.
class UpdateCommandTest : public testing::Test {
 protected:
  void SetUp() override { MakeOldTerm({"ELK", "MAT", "FIZ"}); }

  void MakeOldTerm(const std::vector<std::string>& codes) {
    std::filesystem::remove_all(program);
    std::filesystem::create_directories(program + "DataBase");
    catalogue::Database::CreateEmpty(MainPath(), catalogue::kPassword);
    catalogue::Database main(Connection());
    const std::string days[] = {"Pazartesi", std::string("Salı"_w), std::string("Çarşamba"_w), "Persembe", "Cuma"};
    for (std::size_t k = 0; k < codes.size(); ++k) {
      const std::string& code = codes[k];
      main.CreateTable(code);
      catalogue::SectionValues old;
      old.crn = "OLD";
      old.ders_kodu = code + " 101";
      old.gun = days[k % 5];
      old.saat = "0830/1029";
      old.alabilenler = std::string("TÜM"_w);
      old.blok = 1;
      main.Insert(code, old);
    }
    catalogue::WriteDepartmentList(ListPath(), codes);
  }
  std::string Connection() const { return catalogue::MakeConnectionString(program, catalogue::kMainCatalogue); }
  std::string MainPath() const { return program + std::string(catalogue::kMainCatalogue); }
  std::string ListPath() const { return program + std::string(catalogue::kDepartmentList); }
  std::vector<std::string> Crns(const std::string& code) const {
    catalogue::Database main(Connection());
    std::vector<std::string> crns;
    for (const auto& section : main.Sections(code)) crns.push_back(section.crn);
    return crns;
  }
  std::set<std::string> CatalogueFiles() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(program + "DataBase")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  void Serve(std::map<std::string, std::string> pages, demo::ServerOptions options = {}) {
    server = std::make_unique<demo::ScheduleServer>(demo::MemoryPages(std::move(pages)), std::move(options));
    server->Start();
    ::setenv("KIREMO_SCHEDULE_URL", server->Url().c_str(), 1);
  }
  CliResult Cli(std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", program});
    return RunCli(words);
  }

  const std::set<std::string> kAtRest{"dbase.dbs", "kodlar.dat"};
  TempFolder root;
  const std::string program = root / "program/";
  std::unique_ptr<demo::ScheduleServer> server;
};

std::map<std::string, std::string> ThreeDepartments() {
  return {{"index", IndexPageBytes({"ELK", "MAT", "FIZ"})},
          {"ELK", SchedulePageBytes({Row("21011", "ELK 101"), Row("21012", "ELK 102")})},
          {"MAT", SchedulePageBytes({Row("31021", "MAT 101")})},
          {"FIZ", SchedulePageBytes({})}};
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(UpdateCommandTest, PrintsEveryStoredDepartmentAndTheCompletion) {
  Serve(ThreeDepartments());
  const CliResult result = Cli({"update"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(HasLine(result.out, "elk güncellendi.")) << result.out;
  EXPECT_TRUE(HasLine(result.out, "mat güncellendi.")) << result.out;
  EXPECT_FALSE(HasLine(result.out, "fiz güncellendi.")) << result.out;
  EXPECT_TRUE(
      result.out.ends_with("3 tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!\n"))
      << result.out;
  EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_TRUE(Crns("fiz").empty());
  EXPECT_EQ(CatalogueFiles(), kAtRest);
}

struct Fault {
  const char* name;
  std::function<void(std::map<std::string, std::string>&)> pages;  // changes to the served pages
  demo::Failure failure;
  int status;
  int fail_after;
  const char* message;  // a part of the message that names the fault
};

std::string Maintenance() { return "<html><body><h1>Bak\xFDmday\xFDz</h1></body></html>"; }

// Whatever the server does wrong, the update fails as a whole: a non-zero
// exit, one message that names the fault, the catalogue and its department
// list byte for byte as they were, and nothing left beside them.
TEST_F(UpdateCommandTest, EveryServerFaultFailsTheWholeUpdateAndSaysWhatHappened) {
  const std::vector<std::string> codes = {"ELK", "MAT", "FIZ", "KIM", "BIO", "TAR", "COG"};
  const auto none = [](std::map<std::string, std::string>&) {};
  const std::vector<Fault> faults = {
      {"index not found", [](auto& pages) { pages.erase("index"); }, demo::Failure::None, 0, 0, "HTTP 404"},
      {"pages not found", none, demo::Failure::Status, 404, 0, "HTTP 404"},
      {"redirect", none, demo::Failure::Redirect, 0, 0, "(HTTP 302)"},
      {"server error after two pages", none, demo::Failure::Status, 500, 2, "HTTP 500"},
      {"closed mid-body after three pages", none, demo::Failure::Close, 0, 3, "bağlantıyı kesti"},
      {"stalled after one page", none, demo::Failure::Stall, 0, 1, "zamanında cevap vermedi"},
      {"oversized page", none, demo::Failure::Oversized, 0, 1, "4 MB"},
      {"maintenance page at every address",
       [&](auto& pages) {
         for (const std::string& code : codes) pages[code] = Maintenance();
       },
       demo::Failure::None, 0, 0, "Sunucu ders programı vermedi"},
      {"index without options", [](auto& pages) { pages["index"] = Maintenance(); }, demo::Failure::None, 0, 0,
       "Sunucu bölüm listesini vermedi"},
      {"empty index", [](auto& pages) { pages["index"] = ""; }, demo::Failure::None, 0, 0,
       "Sunucu bölüm listesini vermedi"},
      {"refused", none, demo::Failure::None, 0, 0, kConnectionFailed},
      {"half a page with an honest length after two pages", none, demo::Failure::Truncated, 0, 2, "eksik gönderdi"},
      {"a compressed body that cannot be decoded", none, demo::Failure::Garbled, 0, 1, "açamadığım bir sıkıştırmayla"},
      {"ten thousand departments",
       [](auto& pages) {
         constexpr char kSigns[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
         std::vector<std::string> many;
         for (int k = 0; k < 10000; ++k) many.push_back({kSigns[k / 1296], kSigns[k / 36 % 36], kSigns[k % 36]});
         pages["index"] = IndexPageBytes(many);
       },
       demo::Failure::None, 0, 0, "en çok 1000 bölüm alır"},
  };
  MakeOldTerm({"ELK", "MAT", "ESK"});
  const std::string main_before = ReadWholeFile(MainPath());
  const std::string list_before = ReadWholeFile(ListPath());
  for (const Fault& fault : faults) {
    std::map<std::string, std::string> pages{{"index", IndexPageBytes(codes)}};
    for (const std::string& code : codes) pages[code] = SchedulePageBytes({Row("10001", code + " 101")});
    fault.pages(pages);
    demo::ServerOptions options;
    options.failure = fault.failure;
    options.failure_status = fault.status;
    options.fail_after = fault.fail_after;
    Serve(pages, options);
    if (std::string(fault.name) == "refused") server->Stop();

    const CliResult result = Cli({"update", "--timeout", "2"});
    EXPECT_EQ(result.status, 1) << fault.name;
    EXPECT_TRUE(result.err.starts_with("HATA: ")) << fault.name << ": " << result.err;
    EXPECT_NE(result.err.find(fault.message), std::string::npos) << fault.name << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << fault.name << ": " << result.err;
    EXPECT_EQ(result.err.find("tamamladım"), std::string::npos) << fault.name;
    EXPECT_TRUE(ReadWholeFile(MainPath()) == main_before) << fault.name;
    EXPECT_EQ(ReadWholeFile(ListPath()), list_before) << fault.name;
    EXPECT_EQ(CatalogueFiles(), kAtRest) << fault.name;
  }
}

// What a server may send that is still a whole term: pages compressed
// whether asked for or not, a department listed twice or in two cases, and
// a department it no longer lists (which leaves the catalogue, so that a
// plan holding its sections hears they are gone).
TEST_F(UpdateCommandTest, WhatTheServerMaySendIsTakenAsTheTermItHolds) {
  const auto none = [](std::map<std::string, std::string>&) {};
  const struct {
    const char* name;
    std::function<void(std::map<std::string, std::string>&)> pages;
    demo::Failure failure;
  } cases[] = {
      {"gzip bodies", none, demo::Failure::Gzip},
      {"deflate bodies", none, demo::Failure::Deflate},
      {"codes twice and in two cases",
       [](auto& pages) {
         pages["index"] = IndexPageBytes({"ELK", "MAT", "elk", "FIZ", "ELK", "Mat"});
       },
       demo::Failure::None},
  };
  for (const auto& c : cases) {
    MakeOldTerm({"ELK", "MAT", "ESK"});
    std::map<std::string, std::string> pages = ThreeDepartments();
    c.pages(pages);
    demo::ServerOptions options;
    options.failure = c.failure;
    Serve(pages, options);
    const CliResult result = Cli({"update"});
    ASSERT_EQ(result.status, 0) << c.name << ": " << result.err;
    EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"21011", "21012"})) << c.name;
    EXPECT_EQ(Crns("mat"), (std::vector<std::string>{"31021"})) << c.name;
    EXPECT_EQ(Cli({"departments"}).out, "ELK\nMAT\nFIZ\n") << c.name;
    EXPECT_EQ(catalogue::Database(Connection()).TableNames(), (std::vector<std::string>{"elk_tb", "fiz_tb", "mat_tb"}))
        << c.name << ": the dropped ESK is gone";
    EXPECT_TRUE(
        result.out.ends_with("3 tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!\n"))
        << c.name << ": " << result.out;
    EXPECT_EQ(CatalogueFiles(), kAtRest) << c.name;
  }
}

// A damaged catalogue is said as such, with what rebuilds it; the update
// rebuilds it; a pipe in its place holds nobody up.
TEST_F(UpdateCommandTest, ADamagedCatalogueIsSaidAndTheUpdateRebuildsIt) {
  const std::string damaged =
      "Database dosyası silinmiş veya bozulmuş! Ders bilgilerini \"kiremo-cli update\" ile sunucudan yeniden "
      "kurabilirsin.\n";
  Serve(ThreeDepartments());
  for (const bool pipe : {false, true}) {
    MakeOldTerm({"ELK", "MAT", "FIZ"});
    std::filesystem::remove(MainPath());
    if (pipe) {
      ASSERT_EQ(::mkfifo(MainPath().c_str(), 0644), 0);
    } else {
      WriteBytes(MainPath(), std::string(5000, 'x'));
    }
    const CliResult generated = Cli({"generate", "--course", "ELK 101"});
    EXPECT_EQ(generated.status, 1);
    EXPECT_EQ(generated.err, damaged) << "not that the course is missing";
    EXPECT_EQ(Cli({"courses", "ELK"}).err, damaged);
    const CliResult quick = Cli({"update", "--department", "ELK"});
    EXPECT_EQ(quick.status, 1);
    EXPECT_EQ(quick.err, damaged);

    const CliResult result = Cli({"update"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
    EXPECT_EQ(CatalogueFiles(), kAtRest);
    EXPECT_EQ(Cli({"courses", "ELK"}).out, "ELK 101\nELK 102\n");
  }
}

// Links at the catalogue's and the list's names are written through and
// stay links; a folder where the new list should go refuses the switch
// before anything moves, and says so.
TEST_F(UpdateCommandTest, TheSwitchWritesThroughLinksAndSaysWhatItCouldNotReplace) {
  Serve(ThreeDepartments());
  const std::string shared = root / "shared/";
  std::filesystem::create_directories(shared);
  std::filesystem::rename(ListPath(), shared + "kodlar.dat");
  std::filesystem::rename(MainPath(), shared + "dbase.dbs");
  std::filesystem::create_symlink(shared + "kodlar.dat", ListPath());
  std::filesystem::create_symlink(shared + "dbase.dbs", MainPath());
  CliResult result = Cli({"update"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(std::filesystem::is_symlink(ListPath()));
  EXPECT_TRUE(std::filesystem::is_symlink(MainPath()));
  EXPECT_EQ(ReadWholeFile(shared + "kodlar.dat"), "ELK\r\nMAT\r\nFIZ\r\n");
  EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"21011", "21012"}));

  MakeOldTerm({"ELK", "MAT", "FIZ"});
  const std::string main_before = ReadWholeFile(MainPath());
  std::filesystem::remove(ListPath());
  std::filesystem::create_directory(ListPath());
  result = Cli({"update"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "HATA: Yeni ders bilgileri yerine konamadı: \"" + ListPath() +
                            "\" bir klasör; yerine dosya konamaz. Ders bilgileri ve bölüm listesi olduğu gibi "
                            "duruyor.\n");
  EXPECT_TRUE(ReadWholeFile(MainPath()) == main_before);
  EXPECT_EQ(CatalogueFiles(), (std::set<std::string>{"dbase.dbs", "kodlar.dat"}));
}

// Killed between the switch's two renames in a folder that has since become
// read-only: nothing can complete the switch, and the commands say so
// instead of reading the new catalogue with the old list.
TEST_F(UpdateCommandTest, AHalfSwitchedReadOnlyFolderIsSaidNotRead) {
  WriteBytes(program + std::string(catalogue::kDepartmentListNew), "YEN\r\n");
  WriteBytes(program + std::string(catalogue::kSwitchMarker), "");
  const std::string data = program + "DataBase";
  ::chmod(data.c_str(), 0555);
  const CliResult departments = Cli({"departments"});
  const CliResult courses = Cli({"courses", "ELK"});
  ::chmod(data.c_str(), 0755);
  for (const CliResult& result : {departments, courses}) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("klasöründe ders bilgilerinin değiştirilmesi yarıda kalmış"), std::string::npos)
        << result.err;
  }
  EXPECT_EQ(Cli({"departments"}).out, "YEN\n");  // writable again: the switch is completed
}

TEST_F(UpdateCommandTest, DepartmentUpdatesOneTable) {
  Serve(ThreeDepartments());
  CliResult result = Cli({"update", "--department", "ELK"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "elk güncellendi.\n");
  EXPECT_EQ(Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(Crns("mat"), (std::vector<std::string>{"OLD"}));

  result = Cli({"update", "--department", "FIZ"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Crns("fiz"), (std::vector<std::string>{"OLD"}));

  // A failure names the department and what went wrong, not the window's
  // automatic updates.
  demo::ServerOptions failing;
  failing.failure = demo::Failure::Status;
  Serve(ThreeDepartments(), failing);
  result = Cli({"update", "--department", "MAT"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.rfind("HATA: MAT bölümü güncellenemedi: ", 0), 0u) << result.err;
  EXPECT_NE(result.err.find("HTTP 500"), std::string::npos) << result.err;
  EXPECT_TRUE(result.err.ends_with(" Ders bilgileri olduğu gibi duruyor.\n")) << result.err;
  server->Stop();
  result = Cli({"update", "--department", "MAT"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::string("HATA: MAT bölümü güncellenemedi: ") + kConnectionFailed + "\n");
  EXPECT_EQ(Crns("mat"), (std::vector<std::string>{"OLD"}));
  EXPECT_EQ(CatalogueFiles(), kAtRest);
}

// A catalogue folder that cannot be written is read as it stands: planning
// and generating work, only the updates are refused, and nothing in the
// folder changes.
TEST_F(UpdateCommandTest, AReadOnlyFolderIsReadAndNeverWritten) {
  Serve(ThreeDepartments());
  const std::string data = program + "DataBase";
  const std::string main_before = ReadWholeFile(MainPath());
  ::chmod(data.c_str(), 0555);
  ::chmod(program.c_str(), 0555);
  const auto touched = std::filesystem::last_write_time(data);

  const CliResult courses = Cli({"courses", "ELK"});
  EXPECT_EQ(courses.status, 0) << courses.err;
  EXPECT_EQ(courses.out, "ELK 101\n");
  const CliResult sections = Cli({"sections", "ELK", "ELK 101"});
  EXPECT_EQ(sections.status, 0) << sections.err;
  EXPECT_NE(sections.out.find("OLD"), std::string::npos) << sections.out;
  const CliResult generated = Cli({"generate", "--course", "ELK 101", "--course", "MAT 101", "--hours", "8-19"});
  EXPECT_EQ(generated.status, 0) << generated.err;
  EXPECT_NE(generated.out.find("OLD"), std::string::npos) << generated.out;

  const std::string read_only = "HATA: \"" + data + "\" klasörü salt okunur: ders bilgileri güncellenemez.";
  for (const std::vector<std::string>& update :
       {std::vector<std::string>{"update"}, std::vector<std::string>{"update", "--department", "ELK"}}) {
    const CliResult refused = Cli(update);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.starts_with(read_only)) << refused.err;
  }
  EXPECT_TRUE(server->Requests().empty());
  EXPECT_EQ(std::filesystem::last_write_time(data), touched);
  ::chmod(program.c_str(), 0755);
  ::chmod(data.c_str(), 0755);
  EXPECT_EQ(CatalogueFiles(), kAtRest);
  EXPECT_TRUE(ReadWholeFile(MainPath()) == main_before);
}

TEST_F(UpdateCommandTest, AnEmptyCatalogueFileIsRefusedLikeADamagedOne) {
  std::filesystem::resize_file(MainPath(), 0);
  const CliResult result = Cli({"courses", "ELK"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "Database dosyası silinmiş veya bozulmuş! Ders bilgilerini \"kiremo-cli update\" ile sunucudan yeniden "
            "kurabilirsin.\n");
  EXPECT_EQ(std::filesystem::file_size(MainPath()), 0u);
}

pid_t StartCli(const std::string& program, const std::string& err = "/dev/null") {
  const std::string cli = std::string(KIREMO_BIN_DIR) + "/kiremo-cli";
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    const int errors = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(errors, 2);
    ::execl(cli.c_str(), cli.c_str(), "--folder", program.c_str(), "update", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

int Wait(pid_t child) {
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Twelve departments of an old term, each with a row "OLD"; the server's new
// term has thirteen (a new department "YEN"), each with rows "1" and "2".
class WholeTermTest : public UpdateCommandTest {
 protected:
  void SetUp() override {
    for (char c = 'A'; c <= 'L'; ++c) old_codes.push_back(std::string("DP") + c);
    new_codes = old_codes;
    new_codes.push_back("YEN");
    std::map<std::string, std::string> pages;
    for (const std::string& code : new_codes) {
      pages[code] = SchedulePageBytes({Row("10001", code + " 101"), Row("10002", code + " 102")});
    }
    pages["index"] = IndexPageBytes(new_codes);
    MakeOldTerm(old_codes);
    demo::ServerOptions slow;
    slow.delay = 100ms;
    Serve(pages, slow);
  }

  // The department list and every listed department's rows: one whole
  // term, the old or the new, never a mix.
  std::string WholeTerm() const {
    const std::vector<std::string> listed = catalogue::ReadDepartmentList(ListPath());
    const bool old_list = listed == old_codes;
    if (!old_list && listed != new_codes) return "a list of neither term";
    const std::vector<std::string> rows =
        old_list ? std::vector<std::string>{"OLD"} : std::vector<std::string>{"10001", "10002"};
    for (const std::string& code : listed) {
      if (Crns(code) != rows) return code + " does not hold the list's term";
    }
    return old_list ? "old" : "new";
  }

  std::vector<std::string> old_codes;
  std::vector<std::string> new_codes;
};

// kill -9 at twenty moments of a full update: while the index page is taken
// and the catalogue copied, while pages are fetched and stored, and around
// the switch. Afterwards the pair is one whole term (a switch the kill cut
// short is completed by the next program to open the folder), and the next
// update succeeds.
TEST_F(WholeTermTest, KillingTheProgramAtAnyMomentLeavesOneWholeTerm) {
  const auto kill_after = [&](const std::function<bool()>& moment, std::chrono::milliseconds delay) {
    const pid_t child = StartCli(program);
    ASSERT_GT(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!moment() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    Wait(child);
  };
  int trial = 0;
  std::set<std::string> seen;
  const auto check = [&] {
    catalogue::CompleteInterruptedSwitch(program);  // what any next program does first
    const std::string term = WholeTerm();
    EXPECT_TRUE(term == "old" || term == "new") << "trial " << trial << ": " << term;
    seen.insert(term);
    ++trial;
  };
  const auto asked = [&] { return server->DepartmentPagesAsked(); };
  int before = 0;
  const auto index_asked = [&] { return static_cast<int>(server->Requests().size()) > before; };
  for (const auto delay : {0ms, 2ms, 5ms, 10ms, 20ms}) {  // the index page and the copy
    before = static_cast<int>(server->Requests().size());
    kill_after(index_asked, delay);
    check();
  }
  for (const int pages : {1, 3, 5, 7, 9, 11, 13}) {  // fetching and storing
    const int start = asked();
    kill_after([&] { return asked() >= start + pages; }, 0ms);
    check();
  }
  for (const auto delay : {0ms, 30ms, 60ms, 90ms, 110ms, 130ms, 160ms}) {  // the last pages and the switch
    MakeOldTerm(old_codes);
    const int start = asked();
    kill_after([&] { return asked() >= start + 13; }, delay);
    check();
  }
  // Right after the list was switched, whatever the machine's load.
  MakeOldTerm(old_codes);
  kill_after([&] { return catalogue::ReadDepartmentList(ListPath()) == new_codes; }, 0ms);
  check();
  EXPECT_EQ(trial, 20);
  EXPECT_EQ(seen.count("new"), 1u) << "no kill came after the switch";

  MakeOldTerm(old_codes);
  const CliResult result = Cli({"update"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(WholeTerm(), "new");
  EXPECT_EQ(CatalogueFiles(), kAtRest);
}

// Two updates of one folder started up to 0.4 s apart: one waits for
// nobody, the other says an update is running; no section is ever stored
// twice.
TEST_F(WholeTermTest, TwoUpdatesAtOnceNeverStoreASectionTwice) {
  for (int run = 0; run < 10; ++run) {
    MakeOldTerm(old_codes);
    const std::string first_err = root / "first.err";
    const std::string second_err = root / "second.err";
    const pid_t first = StartCli(program, first_err);
    std::this_thread::sleep_for(std::chrono::milliseconds(40 * run));
    const pid_t second = StartCli(program, second_err);
    const int first_status = Wait(first);
    const int second_status = Wait(second);
    const std::string errors[] = {ReadCapture(first_err), ReadCapture(second_err)};
    int refused = 0;
    for (const std::string& err : errors) refused += err.find(kAlreadyUpdating) != std::string::npos;
    const bool one_refused = (first_status == 0) != (second_status == 0) && refused == 1;
    const bool one_after_the_other = first_status == 0 && second_status == 0 && refused == 0;
    EXPECT_TRUE(one_refused || one_after_the_other)
        << "run " << run << ": " << first_status << " " << second_status << "\n"
        << errors[0] << errors[1];
    EXPECT_EQ(WholeTerm(), "new") << "run " << run;
    EXPECT_EQ(CatalogueFiles(), kAtRest) << "run " << run;
  }
}

}  // namespace
}  // namespace kiremo::testing_support
