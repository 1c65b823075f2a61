#include "acquisition/department_list_update.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "acquisition_fixture.h"
#include "catalogue/catalogue_files.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::acquisition {
namespace {

using namespace std::chrono_literals;
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

class BolumKoduGuncelleTest : public ::testing::Test {
 protected:
  void Update(const std::string& host) {
    CurlFetcher fetcher({1000ms, 2000ms});
    BolumKoduGuncelle(folder.Path(), host, fetcher, report);
  }
  std::string FreshListPath() const { return folder.Path() + std::string(catalogue::kDepartmentListNew); }

  testing::ProgramFolder folder{{"OLD"}};
  testing::RecordingReport report;
};

TEST_F(BolumKoduGuncelleTest, WritesTheIndexPagesCodesWithCrLfAndSaysSo) {
  std::filesystem::copy_file(folder.ListPath(), FreshListPath());  // a leftover from an earlier run
  auto server = testing::StartServer({{"index", IndexPage({"ELK", "MATH", "FZ"})}});
  Update(server->Url());
  EXPECT_EQ(FileBytes(folder.ListPath()), "ELK\r\nMAT\r\nFZ\r\n");
  EXPECT_FALSE(testing::Exists(FreshListPath()));
  EXPECT_EQ(report.statuses, (std::vector<std::string>{std::string(kDepartmentListUpdated)}));
  EXPECT_TRUE(report.notices.empty());
}

TEST_F(BolumKoduGuncelleTest, AFailedFetchShowsTheConnectionMessageAndKeepsTheList) {
  const std::string before = FileBytes(folder.ListPath());
  auto server = testing::StartServer({});  // no index page: 404
  Update(server->Url());
  Update(testing::RefusingUrl());
  EXPECT_EQ(FileBytes(folder.ListPath()), before);
  ASSERT_EQ(report.notices.size(), 2u);
  for (const auto& shown : report.notices) {
    EXPECT_EQ(shown.caption, "HATA");
    EXPECT_EQ(shown.text, std::string(kConnectionFailed));
    EXPECT_EQ(shown.icon, Icon::None);
  }
  EXPECT_TRUE(report.statuses.empty());
}

// An error page of the server has no options; it must not empty the list.
TEST_F(BolumKoduGuncelleTest, APageWithoutOptionsKeepsTheOldListAndSaysNothing) {
  const std::string before = FileBytes(folder.ListPath());
  auto server = testing::StartServer({{"index", std::string("<html><body>Bakımdayız.</body></html>"_w)}});
  Update(server->Url());
  EXPECT_EQ(FileBytes(folder.ListPath()), before);
  EXPECT_TRUE(report.statuses.empty());
  EXPECT_TRUE(report.notices.empty());
}

TEST_F(BolumKoduGuncelleTest, AListThatCannotBeWrittenIsAnIoErrorAndTheOldOneStays) {
  const std::string before = FileBytes(folder.ListPath());
  std::filesystem::create_directory(FreshListPath());  // nothing can be renamed onto a folder
  auto server = testing::StartServer({{"index", IndexPage({"ELK"})}});
  EXPECT_THROW(Update(server->Url()), IoError);
  EXPECT_EQ(FileBytes(folder.ListPath()), before);
  EXPECT_TRUE(report.statuses.empty());
}

}  // namespace
}  // namespace kiremo::acquisition
