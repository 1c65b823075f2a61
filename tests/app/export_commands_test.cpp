#include "app/export_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_fixture.h"
#include "catalogue/file_system.h"
#include "files/export_file.h"
#include "text/errors.h"

namespace kiremo::app::testing {
namespace {

// The window's part of the exports, scripted: the term the student gives
// (nothing for a cancelled dialog) and what was asked and drawn.
class ScriptedExportWindow : public ExportWindow {
 public:
  std::optional<files::CalendarTerm> AskCalendarTerm(const files::CalendarTerm& initial,
                                                     const std::string& note) override {
    asked_terms.push_back(initial);
    notes.push_back(note);
    return answer;
  }
  void SavePicture(const std::string& path, const files::WeekPicture& picture) override {
    if (!refusal.empty()) throw Error(refusal);
    saved.emplace_back(path, picture.legend.size());
  }
  void Print(const files::WeekPicture& picture) override { printed.push_back(picture.legend.size()); }

  std::optional<files::CalendarTerm> answer = files::CalendarTerm{{2025, 9, 15}, 14};
  std::string refusal;
  std::vector<files::CalendarTerm> asked_terms;
  std::vector<std::string> notes;
  std::vector<std::pair<std::string, std::size_t>> saved;
  std::vector<std::size_t> printed;
};

class ExportCommandsTest : public AppTest {
 protected:
  void SetUp() override {
    Start();
    app->SetExportWindow(&window);
  }
  // ELK 101 committed in row 1.
  void CommitOne() {
    Pick(1, "ELK");
    Pick(2, "ELK 101");
    Pick(3, view.ComboBox(3).Item(1));
    app->KaydetClick(1);
  }
  ui::MemoryDialogs& Dialogs() { return view.Dialog(); }

  ScriptedExportWindow window;
};

TEST_F(ExportCommandsTest, WithoutACommittedCourseEveryExportSaysSoAndAsksNothing) {
  app->menuTakvimClick();
  app->menuResimClick();
  app->menuYazdirClick();
  ASSERT_EQ(Dialogs().messages.size(), 3u);
  for (const auto& shown : Dialogs().messages) {
    EXPECT_EQ(shown.caption, "Mesaj");
    EXPECT_EQ(shown.text, files::NoCommittedCourseText());
  }
  EXPECT_TRUE(window.asked_terms.empty());
  EXPECT_TRUE(Dialogs().filters_asked.empty());
  EXPECT_TRUE(window.saved.empty());
  EXPECT_TRUE(window.printed.empty());
}

TEST_F(ExportCommandsTest, CalendarRemembersTheFirstDayAndAddsTheExtension) {
  CommitOne();
  const files::CalendarTerm fresh = app->Exports().StoredTerm();
  EXPECT_EQ(fresh.first_day, files::LocalToday());
  EXPECT_EQ(fresh.weeks, 14);

  window.answer = files::CalendarTerm{{2025, 9, 15}, 10};
  Dialogs().next_save_names = {folder / "hafta"};
  app->menuTakvimClick();
  ASSERT_EQ(window.asked_terms.size(), 1u);
  EXPECT_EQ(window.notes[0], "");
  EXPECT_EQ(Dialogs().filters_asked.back(), files::kCalendarFilter);
  EXPECT_TRUE(Dialogs().messages.empty()) << Dialogs().messages[0].text;
  const std::string written = ReadWholeFile(folder / "hafta.ics");
  EXPECT_NE(written.find("RRULE:FREQ=WEEKLY;COUNT=10"), std::string::npos) << written;
  EXPECT_NE(ReadWholeFile(SettingsFile()).find("donem_baslangici=2025-09-15"), std::string::npos);

  // The next dialog starts from the remembered day and the usual 14 weeks.
  window.answer.reset();
  app->menuTakvimClick();
  ASSERT_EQ(window.asked_terms.size(), 2u);
  EXPECT_EQ(window.asked_terms[1].first_day, (files::TermDate{2025, 9, 15}));
  EXPECT_EQ(window.asked_terms[1].weeks, 14);
  EXPECT_EQ(Dialogs().filters_asked.size(), 1u);  // cancelled: no save dialog
}

TEST_F(ExportCommandsTest, CalendarCancelledInTheSaveDialogWritesNothing) {
  CommitOne();
  app->menuTakvimClick();  // the in-memory save dialog answers "cancel"
  EXPECT_EQ(window.asked_terms.size(), 1u);
  EXPECT_TRUE(Dialogs().messages.empty());
  EXPECT_FALSE(std::filesystem::exists(folder / ".ics"));
}

TEST_F(ExportCommandsTest, PictureGetsPngWhenNoExtensionIsTypedAndRefusesOthers) {
  CommitOne();
  Dialogs().next_save_names = {folder / "hafta", folder / "hafta.jpg", folder / "hafta.pdf"};
  app->menuResimClick();
  app->menuResimClick();
  window.refusal = "Permission denied";
  app->menuResimClick();
  ASSERT_EQ(window.saved.size(), 1u);
  EXPECT_EQ(window.saved[0].first, folder / "hafta.png");
  EXPECT_EQ(window.saved[0].second, 1u);
  ASSERT_EQ(Dialogs().messages.size(), 2u);
  EXPECT_EQ(Dialogs().messages[0].caption, "HATA");
  EXPECT_NE(Dialogs().messages[0].text.find(".png ya da .pdf"), std::string::npos) << Dialogs().messages[0].text;
  EXPECT_EQ(Dialogs().messages[1].text, files::PictureFailedText(folder / "hafta.pdf", "Permission denied"));
}

TEST_F(ExportCommandsTest, PrintHandsTheWeekToThePrinter) {
  CommitOne();
  app->menuYazdirClick();
  EXPECT_EQ(window.printed, std::vector<std::size_t>{1});
  EXPECT_TRUE(Dialogs().messages.empty());
}

}  // namespace
}  // namespace kiremo::app::testing
