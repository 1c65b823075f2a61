#include "files/workbook_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "catalogue/file_system.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::files {
namespace {

// The sheet as Debian's openpyxl reads it; nothing when the reader is
// missing. A workbook the reader cannot open fails the test.
std::optional<nlohmann::json> ReadBack(const std::string& path) {
  const std::string command = "/usr/bin/python3 " KIREMO_TESTS_DIR "/files/read_workbook.py '" + path + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = ::pclose(pipe);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (code == 3 || code == 127) return std::nullopt;  // no openpyxl, no python3
  EXPECT_EQ(code, 0) << "the reader could not read " << path;
  return code == 0 ? nlohmann::json::parse(out) : nlohmann::json::object({{"sheets", 0}});
}

SheetCells Headings() {
  SheetCells cells;
  const char* days[] = {"Gün/Saat", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma"};
  for (int column = 0; column < 6; ++column) cells[0][column] = Utf8ToCp1254(days[column]);
  for (int hour = 8; hour <= 21; ++hour) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:30-%02d:29", hour, hour + 1);
    cells[hour - 7][0] = text;
  }
  return cells;
}

TEST(WorkbookWriter, IndependentReaderSeesTextsBoldHeadingsSize8AndLineFeeds) {
  testing_support::TempFolder folder;
  SheetCells cells = Headings();
  cells[2][3] = "ELK 221\nEEB\nD-1"_w;
  cells[5][1] = "TÜR 101\nFEB\nİ-2"_w;
  const std::string path = folder / "program.xlsx";
  WriteWorkbook(path, cells);

  const auto sheet = ReadBack(path);
  if (!sheet) GTEST_SKIP() << "python3-openpyxl is not installed";
  ASSERT_EQ((*sheet)["sheets"], 1);
  const auto& read = (*sheet)["cells"];
  EXPECT_EQ(read[0][0]["text"], "Gün/Saat");
  EXPECT_EQ(read[0][3]["text"], "Çarşamba");
  EXPECT_EQ(read[14][0]["text"], "21:30-22:29");
  EXPECT_EQ(read[2][3]["text"], "ELK 221\nEEB\nD-1");
  EXPECT_EQ(read[5][1]["text"], "TÜR 101\nFEB\nİ-2");
  EXPECT_TRUE(read[2][3]["wrap"]);
  for (int row = 0; row < 15; ++row) {
    for (int column = 0; column < 6; ++column) {
      const auto& cell = read[row][column];
      EXPECT_EQ(cell["size"], 8.0) << row << "," << column;
      EXPECT_EQ(cell["bold"], row == 0 || column == 0) << row << "," << column;
      if (row > 0 && column > 0 && !(row == 2 && column == 3) && !(row == 5 && column == 1)) {
        EXPECT_TRUE(cell["text"].is_null()) << row << "," << column;
      }
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path + ".yeni"));
}

TEST(WorkbookWriter, ReplacesAnExistingFile) {
  testing_support::TempFolder folder;
  const std::string path = folder / "program.xlsx";
  WriteFileAtomically(path, "old");
  WriteWorkbook(path, Headings());
  EXPECT_EQ(ReadWholeFile(path).substr(0, 2), "PK");  // a zip container
}

TEST(WorkbookWriter, UnwritablePlacesRaiseAnErrorAndLeaveTheTargetAlone) {
  testing_support::TempFolder folder;
  // Beneath a plain file: no folder to write in.
  WriteFileAtomically(folder / "plain", "x");
  EXPECT_THROW(WriteWorkbook(folder / "plain/program.xlsx", Headings()), IoError);
  // Over a folder: the workbook is made beside it but cannot take its place.
  std::filesystem::create_directory(folder / "taken.xlsx");
  EXPECT_THROW(WriteWorkbook(folder / "taken.xlsx", Headings()), IoError);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.xlsx"));
  EXPECT_FALSE(std::filesystem::exists(folder / "taken.xlsx.yeni"));
  // A name whose neighbour would be too long: an existing file stays as it was.
  const std::string long_name = folder / std::string(252, 'a');
  std::ofstream(long_name) << "keep";
  EXPECT_THROW(WriteWorkbook(long_name, Headings()), IoError);
  EXPECT_EQ(ReadWholeFile(long_name), "keep");
}

// The library reports a full disk on stderr in English, with its source
// file's name; the student gets the Turkish reason and nothing else.
TEST(WorkbookWriter, AFullDiskIsToldInTurkishWithoutTheLibrarysLines) {
  testing_support::TempFolder folder;
  const std::string path = folder / "program.xlsx";
  WriteFileAtomically(path, "old");
  const std::string err = folder / "stderr.txt";
  const int outcome = testing_support::InChildWithFileSizeLimit(2000, [&] {
    std::fflush(stderr);
    if (!std::freopen(err.c_str(), "w", stderr)) return 2;
    int result = 1;
    try {
      WriteWorkbook(path, Headings());
    } catch (const DiskFullError& e) {
      result = std::string(e.what()) == "Diskte yer kalmadı"_w || std::string(e.what()) == "Dosya çok büyük"_w ? 0 : 3;
    } catch (const Error&) {
      result = 4;
    }
    std::fflush(stderr);  // the child ends without flushing
    return result;
  });
  EXPECT_EQ(outcome, 0);
  EXPECT_EQ(ReadWholeFile(err), "");
  EXPECT_EQ(ReadWholeFile(path), "old");
  std::filesystem::remove(err);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "nothing left beside";
}

// The workbook replaces its target as every file of the program does: the
// target's mode kept, a linked target written through, and a link planted
// beside it (where an older writer put its temporary) never followed.
TEST(WorkbookWriter, KeepsTheModeWritesThroughALinkAndFollowsNoPlantedLink) {
  testing_support::TempFolder folder;
  const std::string real = folder / "real.xlsx";
  const std::string link = folder / "link.xlsx";
  const std::string victim = folder / "victim";
  WriteFileAtomically(real, "old");
  ::chmod(real.c_str(), 0600);
  std::filesystem::create_symlink(real, link);
  WriteFileAtomically(victim, "victim");
  std::filesystem::create_symlink(victim, link + ".yeni");

  WriteWorkbook(link, Headings());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(real).substr(0, 2), "PK");
  EXPECT_EQ(std::filesystem::status(real).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(ReadWholeFile(victim), "victim");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++entries;
  EXPECT_EQ(entries, 4) << "the two files, the link and the planted link: nothing left beside";
}

}  // namespace
}  // namespace kiremo::files
