#include "shell/desktop_identity.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>

#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

class DesktopIdentityTest : public GuiTest {
 protected:
  ~DesktopIdentityTest() override {
    QCoreApplication::setApplicationName(name_);
    QGuiApplication::setDesktopFileName(entry_);
    QApplication::setWindowIcon(icon_);
  }

 private:
  QString name_ = QCoreApplication::applicationName();
  QString entry_ = QGuiApplication::desktopFileName();
  QIcon icon_ = QApplication::windowIcon();
};

TEST_F(DesktopIdentityTest, TheWindowCarriesTheEntrysNameAndTheProgramsIcon) {
  struct Case {
    bool installed;
    const char* entry;
  };
  // No icon theme holds the program's icon here: the built one stands in.
  for (const Case c : {Case{false, "kiremo"}, Case{true, "tr.edu.zemu.kiremo"}}) {
    SetDesktopIdentity(KIREMO_BIN_DIR "/", c.installed);
    EXPECT_EQ(QGuiApplication::desktopFileName(), c.entry);
    EXPECT_EQ(QCoreApplication::applicationName(), "kiremo") << "the window class of StartupWMClass";
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
  }
  Start();
  EXPECT_EQ(form->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
}

TEST_F(DesktopIdentityTest, NoIconFoundKeepsTheToolkitsOwn) {
  const qint64 before = QApplication::windowIcon().cacheKey();
  SetDesktopIdentity(folder / "", false);
  EXPECT_EQ(QApplication::windowIcon().cacheKey(), before);
}

}  // namespace
}  // namespace kiremo::shell::testing
