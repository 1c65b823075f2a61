#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "text/program.h"

namespace kiremo::shell::testing {
namespace {

// Work on the plan is never thrown away without the question "Kaydet /
// Kaydetme / Vazgeç"; the caption marks a plan with unsaved changes.
class UnsavedChangesTest : public GuiTest {
 protected:
  // Starts the window and adds ELK 101's first section in row 1.
  void StartWithACourse() {
    Start();
    form->show();
    Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
    Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 101"));
    Pick(Find<QComboBox>("ComboBox3"), 1);
    QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
    ASSERT_EQ(Plan().Ders(1).CRN, "21001");
  }
  const planner::Planner& Plan() { return form->Application().Plan(); }
  QString Title() { return ToQString(ProgramTitle()); }
};

TEST_F(UnsavedChangesTest, CaptionMarksChangesUntilTheyAreSaved) {
  Start();
  EXPECT_EQ(form->windowTitle(), Title());
  StartWithACourse();
  EXPECT_EQ(form->windowTitle(), "*" + Title());
  dialogs.next_save_names = {folder / "plan1"};
  Find<QAction>("menuKaydet")->trigger();
  EXPECT_TRUE(std::filesystem::exists(folder / "plan1.dkf")) << "the extension is added";
  EXPECT_FALSE(std::filesystem::exists(folder / "plan1"));
  EXPECT_EQ(form->windowTitle(), Title() + " - " + QString::fromStdString(folder / "plan1.dkf"));
  EXPECT_TRUE(form->close()) << "nothing to lose: no question";
  EXPECT_TRUE(dialogs.save_questions.empty());
}

TEST_F(UnsavedChangesTest, ClosingAsksAndEachAnswerDoesWhatItSays) {
  // Vazgeç: the window stays open with the plan.
  StartWithACourse();
  dialogs.next_save_choices = {ui::SaveChoice::Cancel};
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(dialogs.save_questions.size(), 1u);
  EXPECT_EQ(Plan().Ders(1).CRN, "21001");
  EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "the close sequence did not run";

  // Kaydet, then the save dialog cancelled: still open.
  dialogs.next_save_choices = {ui::SaveChoice::Save};
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());

  // Kaydet with a name: saved, then closed.
  dialogs.next_save_choices = {ui::SaveChoice::Save};
  dialogs.next_save_names = {folder / "son.dkf"};
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(std::filesystem::exists(folder / "son.dkf"));
  EXPECT_TRUE(std::filesystem::exists(SettingsFile()));

  // Kaydetme: closed, nothing written.
  StartWithACourse();
  dialogs.save_questions.clear();
  dialogs.next_save_choices = {ui::SaveChoice::Discard};
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.save_questions.size(), 1u);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UnsavedChangesTest, SifirlaAsksBeforeEmptyingThePlan) {
  StartWithACourse();
  auto* reset = Find<QPushButton>("btnReset");
  dialogs.next_save_choices = {ui::SaveChoice::Cancel};
  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_EQ(dialogs.save_questions.size(), 1u);
  EXPECT_EQ(Plan().Ders(1).CRN, "21001");

  dialogs.next_save_choices = {ui::SaveChoice::Save};
  dialogs.next_save_names = {folder / "yedek.dkf"};
  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::exists(folder / "yedek.dkf"));
  EXPECT_EQ(Plan().Ders(1).CRN, "");
  EXPECT_EQ(form->windowTitle(), Title());

  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_EQ(dialogs.save_questions.size(), 2u) << "an empty plan is reset without a question";

  // The saved plan comes back through "Aç"; changing it and opening another
  // asks again, and Kaydetme lets the other one in.
  dialogs.next_open_names = {folder / "yedek.dkf"};
  Find<QAction>("menuAc")->trigger();
  EXPECT_EQ(Plan().Ders(1).CRN, "21001");
  EXPECT_FALSE(form->windowTitle().startsWith("*"));
  Pick(Find<QComboBox>("ComboBox4"), 1);
  EXPECT_TRUE(form->windowTitle().startsWith("*"));
  dialogs.next_save_choices = {ui::SaveChoice::Discard};
  dialogs.next_open_names = {folder / "yedek.dkf"};
  Find<QAction>("menuAc")->trigger();
  EXPECT_EQ(dialogs.save_questions.size(), 3u);
  EXPECT_EQ(Find<QComboBox>("ComboBox4")->currentText(), QString::fromUtf8("Seçin"));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(UnsavedChangesTest, QuitFromTheMenuAsksOnlyWhenSomethingWouldBeLost) {
  StartWithACourse();
  dialogs.next_save_choices = {ui::SaveChoice::Cancel};
  int ended = -1;
  QTimer::singleShot(0, [this] { Find<QAction>("menuCik")->trigger(); });
  QTimer::singleShot(200, [] { QCoreApplication::exit(7); });  // still running: "Çık" was cancelled
  ended = QCoreApplication::exec();
  EXPECT_EQ(ended, 7);
  EXPECT_EQ(dialogs.save_questions.size(), 1u);

  dialogs.next_save_choices = {ui::SaveChoice::Discard};
  QTimer::singleShot(0, [this] { Find<QAction>("menuCik")->trigger(); });
  QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_EQ(dialogs.save_questions.size(), 2u);
}

}  // namespace
}  // namespace kiremo::shell::testing
