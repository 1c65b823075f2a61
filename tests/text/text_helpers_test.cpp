#include "text/text_helpers.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo {
namespace {

using Pieces = std::vector<std::string>;

struct ExplodeCase {
  std::string text;
  std::string separator;
  Pieces pieces;
};

class ExplodeTest : public testing::TestWithParam<ExplodeCase> {};

TEST_P(ExplodeTest, SplitsAsTheCatalogueReadersExpect) {
  const auto& c = GetParam();
  EXPECT_EQ(Explode(c.text, c.separator), c.pieces) << "text: " << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, ExplodeTest,
                         testing::Values(ExplodeCase{"a|b", "|", {"a", "b"}},
                                         ExplodeCase{"a|b|", "|", {"a", "b"}},  // no trailing empty piece
                                         ExplodeCase{"a||b", "|", {"a", "", "b"}}, ExplodeCase{"|a", "|", {"", "a"}},
                                         ExplodeCase{"|", "|", {"", ""}},  // text equal to the separator
                                         ExplodeCase{"||", "|", {"", ""}}, ExplodeCase{"", "|", {}},
                                         ExplodeCase{"a", "|", {"a"}}, ExplodeCase{"a||", "|", {"a", ""}},
                                         ExplodeCase{"x::y::z", "::", {"x", "y", "z"}},
                                         ExplodeCase{"a:::b", "::", {"a", ":b"}},  // occurrences never overlap
                                         ExplodeCase{"<td>1</td><td>2</td>", "</td>", {"<td>1", "<td>2"}}));

TEST(ExplodeTest, SectionItemGivesCrnThenPaddedTeacher) {
  // Named first: clang 14 crashes on a "..."_w built into a string inside this call.
  constexpr std::string_view kItem = "21345:: Ahmet Yılmaz :: PA|ÇA :: MKB|EEB"_w;
  const auto pieces = Explode(kItem, "::");
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], "21345");
  EXPECT_EQ(pieces[1], std::string(" Ahmet Yılmaz "_w));
  EXPECT_EQ(pieces[2], std::string(" PA|ÇA "_w));
  EXPECT_EQ(pieces[3], " MKB|EEB");
}

TEST(SubStrCountTest, CountsNonOverlappingOccurrences) {
  EXPECT_EQ(SubStrCount("ELKE,ELK", "ELK"), 2);
  EXPECT_EQ(SubStrCount("aaa", "aa"), 1);
  EXPECT_EQ(SubStrCount("aaaa", "aa"), 2);
  EXPECT_EQ(SubStrCount("abc", ""), 0);
  EXPECT_EQ(SubStrCount("", "a"), 0);
  EXPECT_EQ(SubStrCount("MKB,ISB", "MK"), 1);
}

TEST(StriptagsTest, DropsTagsAndKeepsLoneClosers) {
  EXPECT_EQ(Striptags("<td class=\"x\">MAT 101E"), "MAT 101E");
  EXPECT_EQ(Striptags("a > b"), "a > b");
  EXPECT_EQ(Striptags("<>"), "");
  EXPECT_EQ(Striptags("a<b<c>d>e"), "ad>e");  // no nesting: the first ">" closes
  EXPECT_EQ(Striptags("x<unclosed"), "x");    // the rest of the text is the tag
  EXPECT_EQ(Striptags("<"), "");
  EXPECT_EQ(Striptags(""), "");
}

TEST(TrimTest, DropsControlCharactersAndBlanksOnly) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("   "), "");
  // 0xA0 (no-break space) is a character of the code page, not a blank.
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(CaseTest, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("elk çalı"_w), std::string("ELK \xE7"
                                                  "AL\xFD"));
  EXPECT_EQ(LowerAscii(std::string("ÇEV"_w)), std::string("\xC7"
                                                          "ev"));
  EXPECT_EQ(LowerAscii(std::string("İNŞ"_w)), std::string("İ"_w) + "n" + std::string("Ş"_w));
  EXPECT_TRUE(SameTextIgnoringCase("Ahmet", "AHMET"));
  EXPECT_FALSE(SameTextIgnoringCase(std::string("ç"_w), std::string("Ç"_w)));
}

TEST(StrToIntTest, AcceptsWholeNumbersOnly) {
  EXPECT_EQ(StrToInt("9"), 9);
  EXPECT_EQ(StrToInt("08"), 8);
  EXPECT_EQ(StrToInt("  -12"), -12);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"", " ", "9 ", "1a", "2147483648", "+", "0x10", "9.5"}) {
    EXPECT_THROW(StrToInt(bad), ConversionError) << bad;
  }
  try {
    StrToInt("");
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_EQ(StrToIntDef("abc", 7), 7);
}

// A stored time entry may hold a zero byte; the box shows what() and would
// end the message there.
TEST(StrToIntTest, AZeroByteInTheTextDoesNotCutTheMessage) {
  try {
    StrToInt(
        std::string("1\0"
                    "0",
                    3));
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'1?0' is not a valid integer value");
  }
}

TEST(Cp1254Test, LiteralsAreSingleBytes) {
  EXPECT_EQ("Seçin"_w, std::string_view("Se\xE7in"));
  EXPECT_EQ("ÇA"_w, std::string_view("\xC7"
                                     "A"));
  EXPECT_EQ("ğüşıöçĞÜŞİÖÇ"_w, std::string_view("\xF0\xFC\xFE\xFD\xF6\xE7\xD0\xDC\xDE\xDD\xD6\xC7"));
  EXPECT_EQ("----------Kaydedildi"_w.size(), 20u);
}

TEST(Cp1254Test, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1254(Cp1254ToUtf8(all)), all);
  EXPECT_EQ(Cp1254ToUtf8("\x80"), "\u20AC");
  EXPECT_EQ(Cp1254ToUtf8(std::string("İ"_w)), "\u0130");
}

TEST(Cp1254Test, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1254("\u4E2D"), "?");  // a CJK character
  EXPECT_EQ(Utf8ToCp1254("a\xC3"), "a?");  // cut in the middle
  EXPECT_EQ(Utf8ToCp1254("\xFF"
                         "b"),
            "?b");  // no UTF-8 lead byte
  EXPECT_EQ(Utf8ToCp1254("\xE2\x82"
                         "x"),
            "??x");  // a broken sequence
}

}  // namespace
}  // namespace kiremo
