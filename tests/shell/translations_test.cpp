#include "shell/translations.h"

#include <QMessageBox>
#include <QPushButton>

#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

// The test program installs the translations at start-up as the program
// does; Qt's own boxes and dialogs then read Turkish.
TEST(TurkishTranslationsTest, QtsOwnButtonsAndDialogsReadTurkish) {
  QMessageBox box(QMessageBox::Question, "x", "y", QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Evet");
  EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), QString::fromUtf8("Hayır"));
  EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove('&'), "Tamam");
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QString::fromUtf8("Farklı Kaydet"));
}

}  // namespace
}  // namespace kiremo::shell::testing
