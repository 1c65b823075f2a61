#include "files/constraints_block.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "files/dkf_format.h"
#include "files/reset_plan.h"
#include "text/cp1254.h"

namespace kiremo::files {
namespace {

using namespace std::string_literals;

using test_plans::ResetPlan;

// Row 3 committed to MAT 103 and locked to it; two sections excluded;
// Monday 12:30-14:29, Tuesday 09:30 and Friday 21:30 busy.
planner::PlanSnapshot ConstrainedPlan() {
  planner::PlanSnapshot plan = ResetPlan();
  plan.combos[6] = "MAT";
  plan.combos[7] = "MAT 103";
  plan.combos[8] = "12345:: Ece Ay :: Pazartesi :: FEB----------Kaydedildi";
  plan.cells[0][0] = 3;
  plan.rows[2] = planner::StoredRow{"MAT 103", "Analiz", "12345", "Ece Ay", 1, {{"FEB", "1", "08:09", "F1"}}};
  plan.committed[2] = "12345";
  plan.constraints.locked[2] = "12345";
  plan.constraints.excluded = {"34567", "23456"};
  plan.constraints.busy[0][4] = plan.constraints.busy[0][5] = true;
  plan.constraints.busy[1][1] = true;
  plan.constraints.busy[4][13] = true;
  return plan;
}

std::string Integer(int value) {
  DkfWriter out;
  out.WriteInteger(value);
  return out.Bytes();
}

// The block of ConstrainedPlan(), item by item.
std::string ConstrainedBlock() {
  return "KIREMO-KISITLAR\0"s + Integer(1) + "\0\0"s + "12345\0"s + std::string(7, '\0') + Integer(2) +
         "23456\0"
         "34567\0"s +
         Integer(0b110000) + Integer(0b10) + Integer(0) + Integer(0) + Integer(1 << 13);
}

std::string FileBytes(const std::string& name) {
  std::ifstream in(std::string(KIREMO_TEST_DATA) + "/fuzz/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(ConstraintsBlock, FollowsTheFourBlocksItemByItemAndSurvivesAReadAndAWrite) {
  planner::PlanSnapshot without = ConstrainedPlan();
  without.constraints = {};
  const std::string bytes = EncodePlan(ConstrainedPlan());
  EXPECT_EQ(bytes, EncodePlan(without) + ConstrainedBlock());

  const planner::PlanSnapshot back = DecodePlan(bytes);
  EXPECT_EQ(back, ConstrainedPlan());
  EXPECT_EQ(EncodePlan(back), bytes);
}

TEST(ConstraintsBlock, EachKindAloneIsKept) {
  planner::Constraints lock, exclusion, busy;
  lock.locked[9] = "99999";
  exclusion.excluded = {"1"};
  busy.busy[2][0] = true;
  for (const planner::Constraints& constraints : {lock, exclusion, busy}) {
    planner::PlanSnapshot plan = ResetPlan();
    plan.constraints = constraints;
    EXPECT_EQ(DecodePlan(EncodePlan(plan)), plan);
  }
}

TEST(ConstraintsBlock, APlanWithoutConstraintsHasTheBytesOfTheFourBlocksAlone) {
  EXPECT_EQ(EncodePlan(ResetPlan()).size(), 410u);
  for (const char* name : {"dkf/reset.dkf", "dkf/one-committed.dkf", "dkf/committed-and-previewed.dkf"}) {
    const std::string bytes = FileBytes(name);
    ASSERT_FALSE(bytes.empty()) << name;
    const planner::PlanSnapshot plan = DecodePlan(bytes);
    EXPECT_TRUE(plan.constraints.Empty()) << name;
    EXPECT_EQ(EncodePlan(plan), bytes) << name;
  }
}

TEST(ConstraintsBlock, FilesWithTheBlockAreWrittenAgainByteForByte) {
  for (const char* name : {"dkf_constraints/reset-busy-monday-lunch.dkf", "dkf_constraints/one-committed-locked.dkf",
                           "dkf_constraints/committed-excluded-and-busy.dkf"}) {
    const std::string bytes = FileBytes(name);
    const planner::PlanSnapshot plan = DecodePlan(bytes);
    EXPECT_FALSE(plan.constraints.Empty()) << name;
    EXPECT_EQ(EncodePlan(plan), bytes) << name;
  }
}

TEST(ConstraintsBlock, TrailingBytesThatAreNotTheBlockAreIgnored) {
  const planner::PlanSnapshot plan = ResetPlan();
  const std::string four_blocks = EncodePlan(plan);
  for (const std::string& tail : {"extra"s, "KIREMO-KISITLAR"s, "KIREMO-KISITLARI\0"s, "kiremo-kisitlar\0"s,
                                  "KIREMO-KISIT\0"s, "\0KIREMO-KISITLAR\0"s}) {
    EXPECT_EQ(DecodePlan(four_blocks + tail), plan) << tail;
  }
}

TEST(ConstraintsBlock, WhatIsWrittenCanAlwaysBeRead) {
  // CRNs that the string items cut to the same text, to nothing, or to a
  // locked CRN, and CRNs with a line break or a tab, which no file holds.
  planner::PlanSnapshot plan = ResetPlan();
  plan.constraints.excluded = {std::string(255, '7') + "a", std::string(255, '7') + "b", "\0hidden"s, "12345\0"s,
                               "123\n45"};
  plan.constraints.locked[0] = "12345";
  plan.constraints.locked[1] = "23\t456";
  const planner::PlanSnapshot back = DecodePlan(EncodePlan(plan));
  EXPECT_EQ(back.constraints.excluded, std::set<std::string>{std::string(255, '7')});
  EXPECT_EQ(back.constraints.locked[0], "12345");
  EXPECT_EQ(back.constraints.locked[1], "");
}

TEST(ConstraintsBlock, AMalformedBlockIsRefusedWithWhatIsWrong) {
  const std::string four_blocks = EncodePlan(ResetPlan());
  const std::string head = "KIREMO-KISITLAR\0"s + Integer(1) + std::string(10, '\0');
  const std::string no_hours = Integer(0) + Integer(0) + Integer(0) + Integer(0) + Integer(0);
  const std::string good = ConstrainedBlock();
  std::string locked_and_excluded = head + Integer(1) + "12345\0"s + no_hours;
  locked_and_excluded.replace(head.size() - 10, 1, "12345\0"s);
  struct Case {
    const char* name;
    std::string block;
    std::string_view says;
  };
  const Case cases[] = {
      {"marker alone", "KIREMO-KISITLAR\0"s, "kısıtlar bölümü yarıda kesilmiş"_w},
      {"cut in a locked CRN", good.substr(0, 24), "kısıtlar bölümü yarıda kesilmiş"_w},
      {"cut in the excluded", good.substr(0, good.size() - 25), "kısıtlar bölümü yarıda kesilmiş"_w},
      {"last byte missing", good.substr(0, good.size() - 1), "kısıtlar bölümü yarıda kesilmiş"_w},
      {"version 2", "KIREMO-KISITLAR\0"s + Integer(2), "kısıtlar bölümünün sürümü bilinmiyor: 2"_w},
      {"version 0", "KIREMO-KISITLAR\0"s + Integer(0), "kısıtlar bölümünün sürümü bilinmiyor: 0"_w},
      {"negative count", head + Integer(-1) + no_hours, "hariç tutulan şube sayısı geçersiz: -1"_w},
      {"huge count", head + Integer(0x7FFFFFFF) + "1\0002\0"s, "hariç tutulan şube sayısı geçersiz: 2147483647"_w},
      {"more than a term has", head + Integer(100001) + "1\0002\0"s, "hariç tutulan şube sayısı geçersiz: 100001"_w},
      {"line break in an excluded", head + Integer(1) + "12345\n\0"s + no_hours,
       "hariç tutulan bir CRN'de satır sonu ya da denetim karakteri var"_w},
      {"line break in a locked",
       "KIREMO-KISITLAR\0"s + Integer(1) + "12\r\n345\0"s + std::string(9, '\0') + Integer(0) + no_hours,
       "sabitlenmiş bir CRN'de satır sonu ya da denetim karakteri var"_w},
      {"empty excluded", head + Integer(1) + "\0"s + no_hours, "hariç tutulan şubeler arasında boş bir CRN var"_w},
      {"repeated excluded", head + Integer(2) + "1\0001\0"s + no_hours, "hariç tutulan şube iki kez yazılmış: 1"_w},
      {"locked and excluded", locked_and_excluded, "hem sabitlenmiş hem hariç tutulmuş şube: 12345"_w},
      {"long text", head + Integer(1) + std::string(256, '1') + "\0"s + no_hours, "fazla uzun bir metin"_w},
      {"mask too large", head + Integer(0) + Integer(1 << 14) + no_hours.substr(4),
       "boş tutulan saatlerde geçersiz değer: 16384"_w},
      {"negative mask", head + Integer(0) + no_hours.substr(4) + Integer(-1),
       "boş tutulan saatlerde geçersiz değer: -1"_w},
      {"a byte after the block", good + "\0"s, "kısıtlar bölümünden sonra fazladan veri var"_w},
      {"a second block", good + good, "kısıtlar bölümünden sonra fazladan veri var"_w},
  };
  for (const Case& c : cases) {
    try {
      DecodePlan(four_blocks + c.block);
      ADD_FAILURE() << c.name << " was read";
    } catch (const PlanFormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.name << ": " << Cp1254ToUtf8(e.what());
    }
  }
}

}  // namespace
}  // namespace kiremo::files
