#include "shell/term_dialog.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QSpinBox>

namespace kiremo::shell::testing {
namespace {

TEST(TermDialog, StartsFromTheGivenTermAndKeepsTheWeeksWithinAYear) {
  TermDialog dialog({{2025, 9, 15}, 14}, QStringLiteral("2 ders saati aktarılmayacak."), nullptr);
  EXPECT_EQ(dialog.Term().first_day, (files::TermDate{2025, 9, 15}));
  EXPECT_EQ(dialog.Term().weeks, 14);
  EXPECT_TRUE(dialog.findChild<QDateEdit*>("TermFirstDay")->calendarPopup());
  auto* weeks = dialog.findChild<QSpinBox*>("TermWeeks");
  weeks->setValue(0);
  EXPECT_EQ(dialog.Term().weeks, 1);
  weeks->setValue(60);
  EXPECT_EQ(dialog.Term().weeks, 52);
  dialog.findChild<QDateEdit*>("TermFirstDay")->setDate(QDate(2026, 2, 16));
  EXPECT_EQ(dialog.Term().first_day, (files::TermDate{2026, 2, 16}));
  EXPECT_FALSE(dialog.findChild<QLabel*>("TermNote")->isHidden());

  const TermDialog quiet({{2025, 9, 15}, 14}, QString(), nullptr);
  EXPECT_TRUE(quiet.findChild<QLabel*>("TermNote")->isHidden());
}

}  // namespace
}  // namespace kiremo::shell::testing
