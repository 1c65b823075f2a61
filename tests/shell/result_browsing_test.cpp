// The generator's result list in the window: the "Sırala" order, browsing
// by keyboard, and the box that says why nothing fits.
#include <QPushButton>
#include <QTest>

#include "app/ini_file.h"
#include "shell/gui_fixture.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using testing_support::Section;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// FIZ 101 on Monday or Tuesday, FIZ 102 on Wednesday or Monday at 11:30:
// in the order found the alternatives take 2, 1, 2 and 2 days and leave 0,
// 1, 0 and 0 hours empty.
class ResultBrowsingTest : public GuiTest {
 protected:
  void SetUp() override {
    const std::string all(std::string("TÜM"_w));
    fiz = {Section("41001", "FIZ 101", "Ali Veli", "Pazartesi", "0930/1029", "EEB", "D1", all),
           Section("41002", "FIZ 101", "Can Er", std::string("Salı"_w), "0930/1029", "EEB", "D1", all),
           Section("41003", "FIZ 102", "Can Er", std::string("Çarşamba"_w), "0930/1029", "EEB", "D1", all),
           Section("41004", "FIZ 102", "Ali Veli", "Pazartesi", "1130/1229", "MMB", "D1", all),
           Section("41005", "FIZ 103", "Nur Su", "Pazartesi", "1030/1129", "EEB", "D1", all),
           Section("41006", "FIZ 103", "Can Er", "Pazartesi", "1030/1129", "EEB", "D1", all)};
    catalogue.Department("FIZ", fiz);
  }

  void Choose(int row, const char* department, const char* course) {
    auto* departments = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 2)).c_str());
    Pick(departments, departments->findText(department));
    auto* courses = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 1)).c_str());
    Pick(courses, courses->findText(course));
  }

  void Generate(std::vector<std::pair<const char*, const char*>> courses) {
    for (std::size_t k = 0; k < courses.size(); ++k)
      Choose(static_cast<int>(k) + 1, courses[k].first, courses[k].second);
    Find<QLineEdit>("Edit2")->setText("");
    QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);
  }

  std::vector<catalogue::SectionValues> fiz;

  std::vector<std::string> Committed() {
    std::vector<std::string> crns;
    for (int row = 1; row <= 10; ++row) {
      const std::string crn = form->Application().Plan().Ders(row).CRN;
      if (!crn.empty()) crns.push_back(crn);
    }
    return crns;
  }
};

TEST_F(ResultBrowsingTest, SortChoiceReordersTheListWithoutSearchingAgainAndIsRemembered) {
  Start();
  auto* order = Find<QComboBox>("Sirala");
  ASSERT_EQ(order->count(), 8);
  EXPECT_EQ(order->itemText(0), U("Oluşturma sırası"));
  EXPECT_EQ(order->itemText(5), U("En az bina değişikliği"));
  EXPECT_EQ(order->itemText(6), U("Öğle arası olan"));
  EXPECT_EQ(order->itemText(7), U("En kısa ders dizisi"));
  EXPECT_EQ(order->currentIndex(), 0);

  Generate({{"FIZ", "FIZ 101"}, {"FIZ", "FIZ 102"}});
  auto* results = Find<QComboBox>("ComboBox31");
  ASSERT_EQ(results->count(), 5);
  EXPECT_EQ(results->itemText(1), U("1. Alternatif — 2 gün · 0 saat boşluk · 09:30–10:29"));
  Pick(results, 3);  // FIZ 101 on Tuesday, FIZ 102 on Wednesday
  ASSERT_EQ(Committed(), (std::vector<std::string>{"41002", "41003"}));

  // A new search would find one alternative now.
  catalogue.Refill("FIZ", {fiz[0], fiz[2]});
  Pick(order, order->findText(U("En az gün")));
  ASSERT_EQ(results->count(), 5);
  EXPECT_EQ(results->itemText(0), U("4 farklı program yaptım!"));
  EXPECT_EQ(results->itemText(1), U("1. Alternatif — 1 gün · 1 saat boşluk · 09:30–12:29"));
  EXPECT_EQ(results->itemText(2), U("2. Alternatif — 2 gün · 0 saat boşluk · 09:30–10:29"));
  EXPECT_EQ(results->currentIndex(), 3) << "the applied alternative stays selected";
  Pick(order, order->findText(U("En az bina değişikliği")));
  EXPECT_EQ(results->itemText(4), U("4. Alternatif — 1 gün · 1 saat boşluk · 09:30–12:29 · 1 bina değişikliği"));
  Pick(order, order->findText(U("En az boşluk")));
  EXPECT_EQ(results->currentIndex(), 2);
  catalogue.Refill("FIZ", fiz);
  Pick(results, 4);
  EXPECT_EQ(Committed(), (std::vector<std::string>{"41001", "41004"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(dialogs.errors.empty());

  form->close();
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadString("ayarlar", "siralama", "hata"), "gaps");
  Start();
  EXPECT_EQ(Find<QComboBox>("Sirala")->currentText(), U("En az boşluk"));
}

TEST_F(ResultBrowsingTest, KeysOnTheResultListStepThroughTheAlternativesAndTheGridFollows) {
  Start();
  Generate({{"FIZ", "FIZ 101"}, {"FIZ", "FIZ 102"}});
  auto* results = Find<QComboBox>("ComboBox31");
  ASSERT_EQ(results->count(), 5);
  results->setFocus();
  struct Step {
    Qt::Key key;
    int item;
    std::vector<std::string> committed;
  };
  const Step steps[] = {
      {Qt::Key_Down, 1, {"41001", "41003"}},   {Qt::Key_Down, 2, {"41001", "41004"}},
      {Qt::Key_End, 4, {"41002", "41004"}},    {Qt::Key_Up, 3, {"41002", "41003"}},
      {Qt::Key_Home, 1, {"41001", "41003"}},   {Qt::Key_PageDown, 4, {"41002", "41004"}},
      {Qt::Key_PageUp, 1, {"41001", "41003"}},
  };
  auto& plan = form->Application().Plan();
  for (const Step& step : steps) {
    QTest::keyClick(results, step.key);
    EXPECT_EQ(results->currentIndex(), step.item) << step.key;
    EXPECT_EQ(Committed(), step.committed) << step.key;
  }
  EXPECT_EQ(plan.Cell(1, 2), 1) << "FIZ 101 on the grid, Monday 09:30";
  EXPECT_EQ(plan.Cell(3, 2), 2) << "FIZ 102 on the grid, Wednesday 09:30";
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ResultBrowsingTest, ImpossibleChoiceShowsWhyInsteadOfTheJoke) {
  Start();
  Generate({{"ELK", "ELK 102"}, {"FIZ", "FIZ 103"}});
  EXPECT_EQ(Find<QComboBox>("ComboBox31")->count(), 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].caption, "Bilgi") << "saying why is no error";
  EXPECT_EQ(dialogs.messages[0].text,
            std::string("ELK 102 ile FIZ 103 seçtiğin kıstaslarla birlikte alınamıyor: ikisinin de bütün şubeleri "
                        "Pazartesi 10:30–11:29 saatlerinde."_w));
}

}  // namespace
}  // namespace kiremo::shell::testing
