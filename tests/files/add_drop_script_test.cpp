#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/crn_texts.h"
#include "support/temp_folder.h"

namespace kiremo::files {
namespace {

// The script is run in headless Chromium, as a bookmark on a page with the
// add/drop page's boxes crn_id1..crn_id10; the page then lists the boxes'
// values, or is gone if the script replaced it.
class AddDropScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "chromium is not installed";
  }

  static std::string PercentEncoded(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
      if (std::isalnum(c)) {
        out += static_cast<char>(c);
      } else {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
      }
    }
    return out;
  }

  // The text of the page's result line after the script ran.
  static std::string BoxesAfter(const std::string& script) {
    testing_support::TempFolder profile;
    const std::string page = "file://" KIREMO_TESTS_DIR "/files/add_drop_page.html#" + PercentEncoded(script);
    const std::string command =
        "chromium --headless --no-sandbox --disable-gpu --disable-background-networking "
        "--disable-component-update --disable-sync --no-first-run --user-data-dir='" +
        profile.Path() + "' --virtual-time-budget=3000 --dump-dom '" + page + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return "no browser";
    std::string dom;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) dom.append(buffer, n);
    ::pclose(pipe);
    const std::string open = "<pre id=\"result\">";
    const std::size_t start = dom.find(open);
    if (start == std::string::npos) return "page replaced";
    const std::size_t end = dom.find("</pre>", start);
    return dom.substr(start + open.size(), end - start - open.size());
  }
};

TEST_F(AddDropScriptTest, FillsTheFirstBoxesInRowOrderAndNothingElse) {
  struct Case {
    const char* name;
    RowCrns crns;
    const char* boxes;
  };
  const Case cases[] = {
      {"rows 2 and 5",
       {"", "21345", "", "", "30012", "", "", "", "", ""},
       R"(["21345","30012","","","","","","","",""])"},
      {"only row 10", {"", "", "", "", "", "", "", "", "", "40404"}, R"(["40404","","","","","","","","",""])"},
      {"none", {}, R"(["","","","","","","","","",""])"},
      {"all ten", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, R"(["1","2","3","4","5","6","7","8","9","10"])"},
      {"a CRN starting with 0", {"01234", "08123"}, R"(["01234","08123","","","","","","","",""])"},
  };
  for (const Case& c : cases) EXPECT_EQ(BoxesAfter(CrnScriptText(c.crns)), c.boxes) << c.name;
}

}  // namespace
}  // namespace kiremo::files
