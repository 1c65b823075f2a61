#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/cli_runner.h"
#include "cli/page_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::testing_support {
namespace {

class CutPageCommandTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
    return folder / name;
  }
  TempFolder folder;
};

TEST_F(CutPageCommandTest, JsonHasOneObjectPerSectionInPageOrderWithUtf8Texts) {
  const std::string page = Write(
      "ELK.html",
      SchedulePageBytes({{"21345", "ELK 201E", std::string("Mühendis'in Etiği"_w), std::string("Şule Çınaraltı"_w),
                          "MKB<br>ISB<br>", std::string("Pazartesi<br>Çarşamba <br>"_w), "0830/1029<br>1330/1529<br>",
                          "D 101<br>Z204<br>", "ELK, ELKE, TEL"},
                         {"21340", "ELK 101", "Devre Analizi", "---", "GDB<br>", std::string("Boş<br>"_w), "/<br>",
                          "---<br>", std::string("TÜM"_w)}}));

  const CliResult result = RunCli({"cut-page", page, "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto json = nlohmann::json::parse(result.out);
  ASSERT_EQ(json["sections"].size(), 2u);
  EXPECT_EQ(json["sections"][0], (nlohmann::json{{"CRN", "21345"},
                                                 {"ders_kodu", "ELK 201E"},
                                                 {"ders_adi", "Mühendis'in Etiği"},
                                                 {"ogretmen", "Şule Çınaraltı"},
                                                 {"bina", "MKB|ISB"},
                                                 {"gun", "Pazartesi|Çarşamba"},
                                                 {"saat", "0830/1029|1330/1529"},
                                                 {"derslik", "D101|Z204"},
                                                 {"alabilenler", "ELK, ELKE, TEL"},
                                                 {"blok", 2}}));
  EXPECT_EQ(json["sections"][1]["CRN"], "21340");
  EXPECT_EQ(json["sections"][1]["gun"], "Boş");
  EXPECT_EQ(json["sections"][1]["saat"], "/");
  EXPECT_EQ(json["sections"][1]["blok"], 0);
  EXPECT_EQ(json["sections"][1]["alabilenler"], "TÜM");
}

TEST_F(CutPageCommandTest, PlainOutputIsOneTabSeparatedLinePerSection) {
  const std::string page = Write(
      "MAT.html", SchedulePageBytes({{"30001", "MAT 103", "Matematik I", std::string("Gönül Ağaçkakan"_w), "FEB<br>",
                                      "Cuma<br>", "0930/1129<br>", "A101<br>", std::string("TÜM"_w)}}));
  const CliResult result = RunCli({"cut-page", page});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "30001\tMAT 103\tMatematik I\tGönül Ağaçkakan\tFEB\tCuma\t0930/1129\tA101\t1\tTÜM\n");
}

TEST_F(CutPageCommandTest, APageWithoutSectionTableIsNoError) {
  const std::string page = Write("SNT.html", SchedulePageBytes({}));
  const CliResult json = RunCli({"cut-page", page, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(nlohmann::json::parse(json.out), (nlohmann::json{{"sections", nullptr}}));
  const CliResult plain = RunCli({"cut-page", page});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "Sayfada ders tablosu yok.\n");
}

// A pipe nobody writes to, an endless device and a page beyond the limit
// are refused at once, naming the file, instead of waiting or growing.
TEST_F(CutPageCommandTest, OnlyARegularPageWithinTheLimitIsRead) {
  const std::string pipe = folder / "pipe.html";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  const std::string zero = folder / "zero.html";
  std::filesystem::create_symlink("/dev/zero", zero);
  const std::string huge = folder / "huge.html";
  WriteBytes(huge, {});
  std::filesystem::resize_file(huge, 65 * 1024 * 1024);
  const struct {
    std::string page;
    std::string reason;
  } cases[] = {{pipe, "sıradan bir dosya değil"}, {zero, "sıradan bir dosya değil"}, {huge, "en çok 4 MB okunur"}};
  for (const auto& c : cases) {
    const CliResult result = RunCli({"cut-page", c.page});
    EXPECT_EQ(result.status, 1) << c.page;
    EXPECT_NE(result.err.find("\"" + c.page + "\" dosyası okunamadı"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
  }
}

}  // namespace
}  // namespace kiremo::testing_support
