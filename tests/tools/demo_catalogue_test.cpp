#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "acquisition/page_cutter.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "demo_term.h"
#include "page_writer.h"
#include "support/temp_folder.h"

namespace kiremo::demo {
namespace {

// The catalogue the build put beside the executables.
const std::string kProgramFolder = std::string(KIREMO_BIN_DIR) + "/";

struct Shell {
  int status;
  std::string output;
};

Shell RunShell(const std::string& command) {
  Shell result{-1, {}};
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(DemoCatalogueTest, HoldsEveryDepartmentOfTheTermInIndexOrder) {
  const DemoTerm term = MakeDemoTerm();
  std::vector<std::string> codes, tables;
  for (const DemoDepartment& d : term.departments) {
    codes.push_back(d.code);
    tables.push_back(catalogue::TableName(d.code));
  }
  std::sort(tables.begin(), tables.end());
  EXPECT_EQ(catalogue::ReadDepartmentList(kProgramFolder + std::string(catalogue::kDepartmentList)), codes);

  catalogue::Database db(catalogue::MakeConnectionString(kProgramFolder, catalogue::kMainCatalogue));
  EXPECT_EQ(db.TableNames(), tables);
  for (const DemoDepartment& d : term.departments) {
    SCOPED_TRACE(d.code);
    const auto rows = db.Sections(d.code);
    ASSERT_EQ(rows.size(), d.sections.size());
    const auto cut = acquisition::CutSchedulePage(SchedulePage(d));
    for (std::size_t k = 0; k < rows.size(); ++k) EXPECT_EQ(rows[k], (*cut)[k]);
  }
}

TEST(DemoCatalogueTest, IsEncryptedAndOpensOnlyWithTheKey) {
  const std::string path = kProgramFolder + std::string(catalogue::kMainCatalogue);
  const std::string head = ReadWholeFile(path).substr(0, 16);
  EXPECT_NE(head, std::string("SQLite format 3\0", 16));

  if (RunShell("command -v sqlcipher").status != 0) GTEST_SKIP() << "the sqlcipher shell is not installed";
  testing_support::TempFolder scripts;
  std::ofstream(scripts / "with_key.sql") << "PRAGMA key='" << catalogue::kPassword << "';\n.tables\n";
  std::ofstream(scripts / "without_key.sql") << ".tables\n";
  const Shell with_key = RunShell("sqlcipher '" + path + "' < " + (scripts / "with_key.sql"));
  EXPECT_EQ(with_key.status, 0) << with_key.output;
  for (const char* table : {"elk_tb", "mat_tb", "fiz_tb", "kim_tb"}) {
    EXPECT_NE(with_key.output.find(table), std::string::npos) << with_key.output;
  }
  const Shell without_key = RunShell("sqlcipher '" + path + "' < " + (scripts / "without_key.sql"));
  EXPECT_EQ(without_key.output.find("elk_tb"), std::string::npos) << without_key.output;
  EXPECT_NE(without_key.output.find("not a database"), std::string::npos) << without_key.output;
}

}  // namespace
}  // namespace kiremo::demo
