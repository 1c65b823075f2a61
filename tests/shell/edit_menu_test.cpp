#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

// The menu "Düzen": undo and redo named after their steps, with their keys.
class EditMenuTest : public GuiTest {
 protected:
  void AddElk101() {
    Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
    Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 101"));
    Pick(Find<QComboBox>("ComboBox3"), 1);
    QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  }
  const planner::Planner& Plan() { return form->Application().Plan(); }
};

TEST_F(EditMenuTest, DuzenStandsBetweenDosyaAndProgram) {
  Start();
  QStringList titles;
  for (QAction* menu : form->menuBar()->actions()) titles.push_back(menu->text());
  const QString duzen = ToQString("Düzen"_w);
  ASSERT_TRUE(titles.contains(duzen)) << titles.join(u',').toStdString();
  EXPECT_EQ(titles.indexOf(duzen), titles.indexOf(QStringLiteral("Dosya")) + 1);
  EXPECT_EQ(titles.indexOf(QStringLiteral("Program")), titles.indexOf(duzen) + 1);
}

TEST_F(EditMenuTest, ItemsNameTheStepAndShowTheirKeys) {
  Start();
  auto* geri_al = Find<QAction>("menuGeriAl");
  auto* yinele = Find<QAction>("menuYinele");
  EXPECT_FALSE(geri_al->isEnabled());
  EXPECT_FALSE(yinele->isEnabled());
  EXPECT_EQ(geri_al->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
  EXPECT_EQ(yinele->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                                      QKeySequence(QStringLiteral("Ctrl+Y"))}));

  AddElk101();
  ASSERT_EQ(Plan().Ders(1).CRN, "21001");
  EXPECT_TRUE(geri_al->isEnabled());
  EXPECT_EQ(geri_al->text(), QStringLiteral("Geri al: ELK 101 ekleme\tCtrl+Z"));

  geri_al->trigger();
  EXPECT_EQ(Plan().Ders(1).CRN, "");
  EXPECT_FALSE(geri_al->isEnabled());
  EXPECT_TRUE(yinele->isEnabled());
  EXPECT_EQ(yinele->text(), QStringLiteral("Yinele: ELK 101 ekleme\tCtrl+Shift+Z, Ctrl+Y"));
  yinele->trigger();
  EXPECT_EQ(Plan().Ders(1).CRN, "21001");
  EXPECT_EQ(Find<QComboBox>("ComboBox3")->currentText().toStdString().substr(0, 5), "21001");
}

TEST_F(EditMenuTest, TheKeysUndoAndRedo) {
  Start();
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  AddElk101();
  form->setFocus();
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Plan().Ders(1).CRN, "");
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Plan().Ders(1).CRN, "21001");
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Plan().Ders(1).CRN, "21001");
}

}  // namespace
}  // namespace kiremo::shell::testing
