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
      CutSchedulePage(SchedulePage({Row("1", "A 1", "T", "X", "MKB<BR>EEB<Br>", "Pazartesi<br/>Salı<br />"_w.data(),
                                        "0830/1029<bR>", "R1<br>", "TÜM"_w.data())}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].bina, "MKB|EEB");
  EXPECT_EQ((*sections)[0].gun, std::string("PazartesiSalı"_w));  // no "|" at all: kept as one value
  EXPECT_EQ((*sections)[0].saat, "0830/1029");
  EXPECT_EQ((*sections)[0].blok, 1);
}

TEST(PageCutterTest, CellsKeepCarriageReturnsAndOneOfTwoTrailingBreaks) {
  const auto sections = CutSchedulePage(
      SchedulePage({Row("1", "A 1", "T", "X", "MKB\r<br>EEB<br>", "Cuma<br><br>", "/<br>", "-", "ELK")}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].bina, "MKB\r|EEB");
  EXPECT_EQ((*sections)[0].gun, "Cuma|");
  EXPECT_EQ((*sections)[0].saat, "/");
  EXPECT_EQ((*sections)[0].blok, 0);
}

TEST(PageCutterTest, ALineFeedInsideABreakTagIsRemovedFirst) {
  const auto sections =
      CutSchedulePage(SchedulePage({Row("1", "A 1", "T", "X", "MKB<b\nr>EEB<br\n>", "PA", "0830/0929", "-", "ELK")}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].bina, "MKB|EEB");
}

TEST(PageCutterTest, ThreeMeetingsGiveTwentyNineTimeCharacters) {
  const auto sections = CutSchedulePage(SchedulePage({Row("1", "A", "T", "X", "A<br>B<br>C<br>", "PA<br>SA<br>CU<br>",
                                                          "0830/1029<br>1030/1229<br>1330/1529<br>", "-", "ELK")}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].saat.size(), 29u);
  EXPECT_EQ((*sections)[0].blok, 3);
}

TEST(PageCutterTest, RowsStopAtTheFooterMarkerOrAnIncompleteRow) {
  std::vector<std::vector<std::string>> rows = {Row("1", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK"),
                                                Row("2", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK"),
                                                Row("<br><br>Son", "x", "x", "x", "x", "x", "x", "x", "x"),
                                                Row("3", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK")};
  auto sections = CutSchedulePage(SchedulePage(rows));
  ASSERT_TRUE(sections.has_value());
  EXPECT_EQ(sections->size(), 2u);  // "||S" ends the table

  // A last row with cells up to 12 counts; one without cell 12 does not.
  std::string page = SchedulePage({Row("1", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK")});
  std::string thirteen = page.substr(0, page.find("</table>"));
  for (int k = 0; k < 13; ++k) thirteen += "<td>" + std::to_string(k == 0 ? 7 : k) + "</td>";
  sections = CutSchedulePage(thirteen);
  ASSERT_TRUE(sections.has_value());
  EXPECT_EQ(sections->size(), 2u);
  std::string twelve = page.substr(0, page.find("</table>"));
  for (int k = 0; k < 12; ++k) twelve += "<td>" + std::to_string(k) + "</td>";
  sections = CutSchedulePage(twelve);
  EXPECT_EQ(sections->size(), 1u);
}

TEST(PageCutterTest, TextBeforeTheFirstCrnIsDropped) {
  // The header's "CRN" is found first; a "C" in the head is not.
  std::string page =
      "<td>Cok</td><td>bozuk</td>" + SchedulePage({Row("1", "A 1", "T", "X", "B", "PA", "0830/0929", "-", "ELK")});
  const auto sections = CutSchedulePage(page);
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].crn, "1");
}

TEST(PageCutterTest, ApostrophesAndTurkishBytesPassUnchanged) {
  const std::string title = std::string("Mühendis'in Şövalyesi"_w);
  const auto sections = CutSchedulePage(SchedulePage({Row("1", "A 1", title, "---", "", "", "", "", "TÜM"_w.data())}));
  ASSERT_TRUE(sections && sections->size() == 1);
  EXPECT_EQ((*sections)[0].ders_adi, title);
  EXPECT_EQ((*sections)[0].alabilenler, std::string("TÜM"_w));
  EXPECT_EQ((*sections)[0].blok, 0);
}

TEST(PageCutterTest, CleanCellFollowsItsThreeSteps) {
  EXPECT_EQ(CleanCell("  <b>Ali  Veli</b> \r"), "Ali  Veli");
  EXPECT_EQ(CleanCell("<a href='x'>A B|C D |</a>"), "AB|CD");
  EXPECT_EQ(CleanCell("|"), "");
  EXPECT_EQ(CleanCell("x<unclosed"), "x");
}

}  // namespace
}  // namespace kiremo::acquisition
