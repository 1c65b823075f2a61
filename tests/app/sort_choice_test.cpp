// The "Sırala" choice: listed and chosen at start-up as config.ini
// remembers it, written back at the close only when it changed.
#include <gtest/gtest.h>

#include "app/app_fixture.h"
#include "catalogue/file_system.h"

namespace kiremo::app::testing {
namespace {

using SortChoiceTest = AppTest;

TEST_F(SortChoiceTest, StoredChoiceIsSelectedAtStartAndAnUnknownOneIsTheSearchOrder) {
  struct Case {
    const char* stored;
    int selected;
  };
  const Case cases[] = {
      {"", 0}, {"siralama=walks\n", 5}, {"siralama=early\n", 4}, {"siralama=streak\n", 7}, {"siralama=sideways\n", 0}};
  for (const Case& c : cases) {
    WriteFileAtomically(SettingsFile(), std::string("[ayarlar]\n") + c.stored);
    Start();
    ASSERT_EQ(view.Sirala().Count(), 8);
    EXPECT_EQ(view.Sirala().Item(1), std::string("En az gün"_w));
    EXPECT_EQ(view.Sirala().ItemIndex(), c.selected) << c.stored;
    EXPECT_EQ(app->Generator().SortKeysInUse(), generator::SortChoices()[c.selected].keys) << c.stored;
  }
}

TEST_F(SortChoiceTest, CloseWritesTheChoiceOnlyWhenItChanged) {
  Start();
  ASSERT_TRUE(app->FormClose());
  const std::string untouched = ReadWholeFile(SettingsFile());
  EXPECT_EQ(untouched.find("siralama"), std::string::npos) << "a program that never sorts leaves the key out";

  view.Sirala().SetItemIndex(2);
  app->SiralaChange();
  ASSERT_TRUE(app->FormClose());
  EXPECT_EQ(IniFile(SettingsFile()).ReadString("ayarlar", "siralama", "hata"), "gaps");
  view.Sirala().SetItemIndex(0);
  app->SiralaChange();
  ASSERT_TRUE(app->FormClose());
  EXPECT_EQ(IniFile(SettingsFile()).ReadString("ayarlar", "siralama", "hata"), "");
  EXPECT_TRUE(view.Dialog().errors.empty());
}

}  // namespace
}  // namespace kiremo::app::testing
