#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "app/ini_file.h"
#include "catalogue/file_system.h"
#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using SettingsTest = GuiTest;

// Runs the application's event loop until the work, started inside it, ends it.
int RunLoop(std::function<void()> work) {
  QTimer::singleShot(0, work);
  QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });  // never hang the test program
  return QCoreApplication::exec();
}

TEST_F(SettingsTest, FirstStartShowsTheDefaults) {
  Start();
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "ELK");
  EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_FALSE(Find<QAction>("menuOtomatik")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("EditSt")->text(), "9");
  EXPECT_EQ(Find<QLineEdit>("EditEnd")->text(), "19");
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "MKB,ISB,MMB,GDB");
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(SettingsTest, ClosingStoresTheSettingsForTheNextStart) {
  Start();
  QTest::keyClicks(Find<QLineEdit>("Edit1"), "x");  // "ELKx", written at once as "ELKX"
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadString("ayarlar", "bolum_kodu", "hata"), "ELKX");
  Find<QLineEdit>("Edit1")->setText(QString::fromUtf8(" fiz "));
  Find<QCheckBox>("CheckBox1")->setChecked(false);
  Find<QAction>("menuOtomatik")->trigger();
  Find<QLineEdit>("EditSt")->setText("10");
  Find<QLineEdit>("EditEnd")->setText("17");
  Find<QLineEdit>("Edit2")->setText("");
  EXPECT_TRUE(form->close());

  Start();
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "FIZ");
  EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_TRUE(Find<QAction>("menuOtomatik")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("EditSt")->text(), "10");
  EXPECT_EQ(Find<QLineEdit>("EditEnd")->text(), "17");
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "") << "a stored empty list empties Edit2";
}

TEST_F(SettingsTest, CorruptSettingsFileGivesDefaultsWhereAKeyIsUnreadable) {
  std::string bytes("\xff\xfe\x00garbage\n", 11);
  bytes += "[ayarlar]\nsaat_alt_limit=abc\nsaat_ust_limit=\x01\x02\n";
  bytes += "istenmeyen_binalar=" + std::string(1 << 19, 'B') + "\nbolum_kodu_dikkate_al=0\n";
  WriteFileAtomically(SettingsFile(), bytes);
  Start();
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_EQ(Find<QLineEdit>("EditSt")->text(), "9");
  EXPECT_EQ(Find<QLineEdit>("EditEnd")->text(), "19");
  EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_TRUE(Find<QLineEdit>("Edit2")->text().startsWith("BBBB"));
}

TEST_F(SettingsTest, InvalidHourAtCloseKeepsTheWindowOpen) {
  Start();
  form->show();
  Find<QLineEdit>("EditEnd")->setText("1a");
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"'1a' is not a valid integer value"}));
  app::IniFile stored(SettingsFile());
  EXPECT_EQ(stored.ReadInteger("ayarlar", "saat_alt_limit", 0), 9) << "the keys before it are written";
  EXPECT_EQ(stored.ReadInteger("ayarlar", "saat_ust_limit", 0), 0);
  Find<QLineEdit>("EditEnd")->setText("18");
  EXPECT_TRUE(form->close());
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadInteger("ayarlar", "saat_ust_limit", 0), 18);
}

TEST_F(SettingsTest, QuitFromTheMenuWritesNoSettingsButClosingDoes) {
  Start();
  form->show();
  Find<QLineEdit>("EditSt")->setText("11");
  EXPECT_EQ(RunLoop([this] { Find<QAction>("menuCik")->trigger(); }), 0);
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadInteger("ayarlar", "saat_alt_limit", 0), 0);
  form.reset();  // the program ends: still no close sequence
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadInteger("ayarlar", "saat_alt_limit", 0), 0);

  Start();
  form->show();
  Find<QLineEdit>("EditSt")->setText("12");
  EXPECT_EQ(RunLoop([this] { form->close(); }), 0) << "closing the last window ends the program";
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadInteger("ayarlar", "saat_alt_limit", 0), 12);
}

TEST_F(SettingsTest, UnwritableSettingsFileIsToldOnceAndTheWindowStillCloses) {
  std::filesystem::create_directory(SettingsFile());
  Start();
  form->show();
  auto* edit = Find<QLineEdit>("Edit1");
  edit->clear();
  edit->setFocus();
  QTest::keyClicks(edit, "MAT");
  EXPECT_EQ(edit->text(), "MAT") << "no box takes a key";
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(dialogs.errors.empty());
  const std::string status = FromQString(form->statusBar()->findChild<QLabel*>()->text());
  EXPECT_NE(status.find("ayar dosyasına yazılamadı"_w), std::string::npos) << status;

  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->isVisible());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("ayar dosyasına yazılamadı"_w), std::string::npos);
  EXPECT_EQ(dialogs.messages[0].text.find("Unable to write"), std::string::npos);
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.messages.size(), 1u) << "told once per run";
  EXPECT_TRUE(dialogs.errors.empty());
}

// The packaged program's "Program" menu turns its version check on and off;
// a copy run from its own folder has no such item.
TEST_F(SettingsTest, InstalledProgramsMenuTurnsTheVersionCheckOnAndOff) {
  Start();
  EXPECT_EQ(form->findChild<QAction*>("menuSurumDenetimi"), nullptr);

  auto start_installed = [&] {
    app::StartupOptions options = Options();
    options.installed = true;
    form.reset();
    form = std::make_unique<TForm1>(std::move(options));
  };
  const auto version_asked = [&] {
    const auto asked = network.Asked();
    return std::count_if(asked.begin(), asked.end(),
                         [](const std::string& url) { return url.find("version.txt") != std::string::npos; });
  };
  const auto asked_by_the_copy = version_asked();
  EXPECT_EQ(asked_by_the_copy, 1);
  start_installed();
  QAction* item = Find<QAction>("menuSurumDenetimi");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->parent()->objectName(), "menuProgram");
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(version_asked(), asked_by_the_copy);

  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(app::IniFile(SettingsFile()).ReadBool("ayarlar", "acilista_surum_denetimi", false));
  start_installed();
  EXPECT_TRUE(Find<QAction>("menuSurumDenetimi")->isChecked());
  EXPECT_EQ(version_asked(), asked_by_the_copy + 1);
  Find<QAction>("menuSurumDenetimi")->trigger();
  EXPECT_FALSE(Find<QAction>("menuSurumDenetimi")->isChecked());
  EXPECT_FALSE(app::IniFile(SettingsFile()).ReadBool("ayarlar", "acilista_surum_denetimi", true));
}

}  // namespace
}  // namespace kiremo::shell::testing
