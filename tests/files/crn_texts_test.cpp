#include "files/crn_texts.h"

#include <gtest/gtest.h>

namespace kiremo::files {
namespace {

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
      {"rows 2 and 5", Rows({{2, "21345"}, {5, "30012"}}), "21345\r\n30012\r\n", "21345,30012"},
      {"only row 10", Rows({{10, "40404"}}), "40404", "40404"},
      {"rows 1 and 10", Rows({{1, "11111"}, {10, "40404"}}), "11111\r\n40404", "11111,40404"},
      {"none", Rows({}), "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CrnListText(c.crns), c.list) << c.name;
    EXPECT_EQ(CrnScriptText(c.crns), "javascript:var crn=[" + c.array + std::string(kScriptEnd)) << c.name;
  }
}

TEST(CrnTexts, ScriptHasNoBackslash) { EXPECT_EQ(CrnScriptText(Rows({{3, "12345"}})).find('\\'), std::string::npos); }

}  // namespace
}  // namespace kiremo::files
