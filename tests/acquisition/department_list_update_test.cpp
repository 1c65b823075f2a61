#include "acquisition/department_list_update.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "acquisition/messages.h"
#include "acquisition_fixture.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::acquisition {
namespace {

using testing::FileBytes;
using testing::IndexPage;

struct CodesCase {
  const char* what;
  std::string page;
  std::vector<std::string> codes;
};

TEST(DepartmentCodesOfIndexPageTest, TakesUpToThreeTrimmedCharactersAfterEachOptionsQuote) {
  const std::vector<CodesCase> cases = {
      {"the placeholder is never taken", IndexPage({"ELK", "MAT"}), {"ELK", "MAT"}},
      {"long texts give three, short ones fewer", IndexPage({"MATH", "FZ", " K "}), {"MAT", "FZ", "K"}},
      {"Turkish letters are bytes like others", IndexPage({std::string("ÇEV"_w)}), {std::string("ÇEV"_w)}},
      {"an option without quote and > is skipped",
       "<option>A</option><option>B</option><option value=\"x\">CCC</option>",
       {"CCC"}},
      {"text after the last option counts once", "<option>A</option><a href=\"x\">LINK\">NO</a>", {"LIN"}},
      {"no option at all", "<html>Sunucu hatası</html>", {}},
      {"an empty option text is an empty code", IndexPage({"ELK", " "}), {"ELK", ""}},
      // Written whole, such a code would be two lines of the list file.
      {"a line break inside a code ends it",
       "<option>x</option><option value=\"1\">A\nBC</option><option value=\"2\">D\rEF</option>"
       "<option value=\"3\">\r\nGHI</option>",
       {"A", "D", "G"}},
  };
  for (const CodesCase& c : cases) EXPECT_EQ(DepartmentCodesOfIndexPage(c.page), c.codes) << c.what;
}

// Each department once, compared as the catalogue compares table names;
// a code that cannot name a table is left out and counted.
TEST(TakeDepartmentsTest, TakesEachDepartmentOnceAndLeavesOutCodesThatNameNoTable) {
  const struct {
    const char* what;
    std::vector<std::string> codes;
    std::vector<std::string> taken;
    int refused;
  } cases[] = {
      {"every code once", {"ELK", "MAT", "ELK", "MAT"}, {"ELK", "MAT"}, 0},
      {"two cases are one table", {"ELK", "elk", "Elk", "eLK"}, {"ELK"}, 0},
      {"only ASCII letters are one in two cases",
       {std::string("ÇEV"_w), std::string("çEV"_w)},
       {std::string("ÇEV"_w), std::string("çEV"_w)},
       0},
      {"an empty code is a department once", {"", "ELK", ""}, {"", "ELK"}, 0},
      {"a zero byte or a control", {std::string("E\0K", 3), "E\x01K", "E\x7FK", "MAT"}, {"MAT"}, 3},
      {"bytes the code page leaves undefined",
       {"A\x81", "A\x8D", "A\x8E", "A\x8F", "A\x90", "A\x9D", "A\x9E", "A\x80", "A\x9F"},
       {"A\x80", "A\x9F"},
       7},
  };
  for (const auto& c : cases) {
    const DepartmentIndex index = TakeDepartments(c.codes);
    EXPECT_EQ(index.codes, c.taken) << c.what;
    EXPECT_EQ(index.refused, c.refused) << c.what;
  }
}

class BolumKoduGuncelleTest : public ::testing::Test {
 protected:
  std::string FreshListPath() const { return folder.Path() + std::string(catalogue::kDepartmentListNew); }

  testing::ProgramFolder folder{{"OLD"}};
  testing::RecordingReport report;
};

// The new list waits beside the old one until the new catalogue is switched
// in with it.
TEST_F(BolumKoduGuncelleTest, WritesTheNewListBesideTheOldOneAndSaysSo) {
  const std::string before = FileBytes(folder.ListPath());
  WriteFileAtomically(FreshListPath(), "XYZ\r\n");  // a leftover from an earlier run
  BolumKoduGuncelle(folder.Path(), {"ELK", "MAT", "FZ"}, report);
  EXPECT_EQ(FileBytes(FreshListPath()), "ELK\r\nMAT\r\nFZ\r\n");
  EXPECT_EQ(FileBytes(folder.ListPath()), before);
  EXPECT_EQ(report.statuses, (std::vector<std::string>{std::string(kDepartmentListUpdated)}));
  EXPECT_TRUE(report.notices.empty());
}

TEST_F(BolumKoduGuncelleTest, AListThatCannotBeWrittenIsAnIoErrorAndNotSaidToBeUpdated) {
  std::filesystem::create_directory(FreshListPath());  // nothing can be renamed onto a folder
  EXPECT_THROW(BolumKoduGuncelle(folder.Path(), {"ELK"}, report), IoError);
  EXPECT_TRUE(report.statuses.empty());
}

}  // namespace
}  // namespace kiremo::acquisition
