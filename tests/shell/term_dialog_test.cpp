#include "shell/term_dialog.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <functional>

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

// A date typed whole over the one shown, as a student types it: from the
// day the field selects on entry, and from a click at its start.
TEST(TermDialog, TakesADateTypedOverTheOneShown) {
  TermDialog dialog({{2026, 12, 16}, 14}, QString(), nullptr);
  auto* edit = dialog.findChild<QDateEdit*>("TermFirstDay");
  auto* line = edit->findChild<QLineEdit*>();
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const std::function<void()> places[] = {
      [&] { edit->setSelectedSection(QDateTimeEdit::DaySection); },
      [&] { QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(2, line->height() / 2)); },
  };
  for (const auto& place : places) {
    edit->setDate(QDate(2026, 12, 16));
    edit->setFocus();
    place();
    QTest::keyClicks(edit, QStringLiteral("16.09.2026"));
    EXPECT_EQ(dialog.Term().first_day, (files::TermDate{2026, 9, 16})) << edit->text().toStdString();
  }
  edit->setDate(QDate(2026, 12, 16));
  edit->setSelectedSection(QDateTimeEdit::DaySection);
  QTest::keyClicks(edit, QStringLiteral("1.2.2027"));
  EXPECT_EQ(dialog.Term().first_day, (files::TermDate{2027, 2, 1})) << edit->text().toStdString();
}

TEST(TermDialog, ThePickerSpeaksTurkishWhateverTheSystemLanguage) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  TermDialog dialog({{2026, 9, 16}, 14}, QString(), nullptr);
  QLocale::setDefault(before);
  auto* edit = dialog.findChild<QDateEdit*>("TermFirstDay");
  EXPECT_EQ(edit->locale().language(), QLocale::Turkish);
  EXPECT_EQ(edit->calendarWidget()->locale().language(), QLocale::Turkish);
  EXPECT_EQ(edit->calendarWidget()->locale().monthName(9), QString::fromUtf8("Eylül"));
}

}  // namespace
}  // namespace kiremo::shell::testing
