#include "app/stored_settings.h"

#include <gtest/gtest.h>

#include "catalogue/file_system.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "view/memory_view.h"

namespace kiremo::app {
namespace {

using testing_support::TempFolder;

class StoredSettingsTest : public ::testing::Test {
 protected:
  void Store(const std::string& lines) { WriteFileAtomically(settings.Path(), "[ayarlar]\r\n" + lines); }

  TempFolder folder;
  IniFile settings{folder / "config.ini"};
  ui::MemoryView view;
};

TEST_F(StoredSettingsTest, FirstStartShowsTheDefaults) {
  ApplyStoredSettings(view, settings);
  EXPECT_EQ(view.Edit1().Text(), "ELK");
  EXPECT_TRUE(view.CheckBox1().Checked());
  EXPECT_FALSE(view.MenuOtomatik().Checked());
  EXPECT_EQ(view.EditSt().Text(), "9");
  EXPECT_EQ(view.EditEnd().Text(), "19");
  EXPECT_EQ(view.Edit2().Text(), "MKB,ISB,MMB,GDB");
}

TEST_F(StoredSettingsTest, StoredValuesFillTheirWidgets) {
  Store(
      "bolum_kodu=MAT\r\nbolum_kodu_dikkate_al=0\r\notomatik_guncelleme=1\r\nsaat_alt_limit=10\r\n"
      "saat_ust_limit=17\r\nistenmeyen_binalar=EEB\r\n");
  ApplyStoredSettings(view, settings);
  EXPECT_EQ(view.Edit1().Text(), "MAT");
  EXPECT_FALSE(view.CheckBox1().Checked());
  EXPECT_TRUE(view.MenuOtomatik().Checked());
  EXPECT_EQ(view.EditSt().Text(), "10");
  EXPECT_EQ(view.EditEnd().Text(), "17");
  EXPECT_EQ(view.Edit2().Text(), "EEB");
}

TEST_F(StoredSettingsTest, ResetTextsReplaceWhatTheStudentTyped) {
  view.EditSt().SetText("7");
  view.Edit2().SetText("");
  view.CheckBox1().SetChecked(false);
  view.Edit1().SetText("FIZ");
  ApplyStoredSettings(view, settings);
  EXPECT_EQ(view.EditSt().Text(), "9");
  EXPECT_EQ(view.Edit2().Text(), "MKB,ISB,MMB,GDB");
  EXPECT_TRUE(view.CheckBox1().Checked());
  EXPECT_EQ(view.Edit1().Text(), "FIZ") << "Edit1 has no reset text of its own";
}

TEST_F(StoredSettingsTest, HoursThatAreZeroOrNotWholeNumbersKeepTheResetTexts) {
  for (const std::string bad : {"0", "abc", "", "9.5", "99999999999"}) {
    Store("saat_alt_limit=" + bad + "\r\nsaat_ust_limit=" + bad + "\r\n");
    ApplyStoredSettings(view, settings);
    EXPECT_EQ(view.EditSt().Text(), "9") << bad;
    EXPECT_EQ(view.EditEnd().Text(), "19") << bad;
  }
}

TEST_F(StoredSettingsTest, StoredEmptyBuildingListEmptiesEdit2) {
  Store("istenmeyen_binalar=\r\n");
  ApplyStoredSettings(view, settings);
  EXPECT_EQ(view.Edit2().Text(), "");
}

TEST_F(StoredSettingsTest, OnlyTheExactAbsenceMarkerMeansAbsent) {
  Store("bolum_kodu=hata\r\nistenmeyen_binalar=HATA\r\n");
  ApplyStoredSettings(view, settings);
  EXPECT_EQ(view.Edit1().Text(), "ELK");
  EXPECT_EQ(view.Edit2().Text(), "HATA");
}

TEST_F(StoredSettingsTest, DepartmentCodeIsWrittenUpperCasedThenTrimmed) {
  view.Edit1().SetText(std::string("  elk\xe7 \t"));
  WriteDepartmentCode(view, settings);
  EXPECT_EQ(settings.ReadString("ayarlar", "bolum_kodu", "hata"), "ELK\xe7");
}

TEST_F(StoredSettingsTest, CloseWritesTheSixKeysInOrder) {
  view.Edit1().SetText("mat ");
  view.CheckBox1().SetChecked(false);
  view.MenuOtomatik().SetChecked(true);
  view.Edit2().SetText(" MKB ");
  view.EditSt().SetText(" 8 ");
  view.EditEnd().SetText("20");
  WriteSettingsAtClose(view, settings);
  EXPECT_EQ(ReadWholeFile(settings.Path()),
            "[ayarlar]\nbolum_kodu=MAT\nbolum_kodu_dikkate_al=0\notomatik_guncelleme=1\n"
            "istenmeyen_binalar=MKB\nsaat_alt_limit=8\nsaat_ust_limit=20\n");
}

TEST_F(StoredSettingsTest, InvalidHourEndsTheCloseAfterTheKeysBeforeIt) {
  struct Case {
    const char* first;
    const char* last;
    const char* message;
    bool first_written;
  };
  const Case cases[] = {{"", "19", "'' is not a valid integer value", false},
                        {"9", " x1 ", "'x1' is not a valid integer value", true}};
  for (const Case& c : cases) {
    TempFolder fresh;
    IniFile ini(fresh / "config.ini");
    view.EditSt().SetText(c.first);
    view.EditEnd().SetText(c.last);
    try {
      WriteSettingsAtClose(view, ini);
      ADD_FAILURE() << "the close went through";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "ELK");
    EXPECT_EQ(ini.ReadString("ayarlar", "istenmeyen_binalar", "hata"), "MKB,ISB,MMB,GDB");
    EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", -1), c.first_written ? 9 : -1);
    EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_ust_limit", -1), -1);
  }
}

TEST_F(StoredSettingsTest, CloseThenStartGivesBackTheSameWidgets) {
  view.Edit1().SetText("FIZ");
  view.Edit2().SetText("");
  view.EditSt().SetText("10");
  view.MenuOtomatik().SetChecked(true);
  WriteSettingsAtClose(view, settings);

  ui::MemoryView next;
  ApplyStoredSettings(next, settings);
  EXPECT_EQ(next.Edit1().Text(), "FIZ");
  EXPECT_EQ(next.Edit2().Text(), "");
  EXPECT_EQ(next.EditSt().Text(), "10");
  EXPECT_EQ(next.EditEnd().Text(), "19");
  EXPECT_TRUE(next.MenuOtomatik().Checked());
  EXPECT_TRUE(next.CheckBox1().Checked());
}

}  // namespace
}  // namespace kiremo::app
