#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include "shell/gui_fixture.h"
#include "shell/shape_widget.h"

namespace kiremo::shell::testing {
namespace {

using LayoutTest = GuiTest;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST_F(LayoutTest, WindowCaptionAndFrame) {
  Start();
  EXPECT_EQ(form->windowTitle(), U("ZEMÜ Kiremo 1.51"));
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMaximizeButtonHint) << "the window grows";
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  form->ShowCentred();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(form->width(), 812);
  EXPECT_EQ(form->height() - form->menuBar()->height(), 647) << "the client area below the menu bar";
  const QRect screen = form->screen()->availableGeometry();
  EXPECT_LE(std::abs(form->geometry().center().x() - screen.center().x()), 1);
  EXPECT_EQ(form->menuBar()->objectName(), "MainMenu1");
  EXPECT_EQ(form->statusBar()->objectName(), "StatusBar1");
}

TEST_F(LayoutTest, CourseRowsSitAtTheirPlaces) {
  Start();
  struct Column {
    const char* prefix;
    int number_of_row_factor;  // 3: ComboBox(3i - offset), 1: Name(i)
    int offset;
    int left;
    int width;
  };
  const Column columns[] = {{"Shape", 1, 0, 7, 25},       {"ComboBox", 3, 2, 42, 65},    {"ComboBox", 3, 1, 114, 89},
                            {"ComboBox", 3, 0, 210, 350}, {"HocaCombo", 1, 0, 568, 137}, {"Kaydet", 1, 0, 710, 50},
                            {"Button", 1, 0, 766, 40}};
  for (int row = 1; row <= 10; ++row) {
    for (const Column& column : columns) {
      const int number = column.number_of_row_factor * row - column.offset;
      const QString name = QString::fromLatin1(column.prefix) + QString::number(number);
      auto* widget = form->findChild<QWidget*>(name);
      ASSERT_NE(widget, nullptr) << name.toStdString();
      EXPECT_EQ(widget->geometry(), QRect(column.left, 40 + 24 * (row - 1), column.width, 21)) << name.toStdString();
    }
    EXPECT_EQ(form->findChild<QPushButton*>("Kaydet" + QString::number(row))->text(), "Ekle");
    EXPECT_EQ(form->findChild<QPushButton*>("Button" + QString::number(row))->text(), "Bilgi");
    EXPECT_NE(form->findChild<ShapeWidget*>("Shape" + QString::number(row)), nullptr);
    EXPECT_EQ(form->findChild<QComboBox*>("ComboBox" + QString::number(3 * row))->maxVisibleItems(), 20);
    EXPECT_FALSE(form->findChild<QComboBox*>("HocaCombo" + QString::number(row))->isEditable());
  }
}

TEST_F(LayoutTest, ColumnLabelsAndGridHeaders) {
  Start();
  QStringList labels;
  for (QLabel* label : form->findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"Renk", "Bölüm", "Ders Kodu", "Açılan dersler", "Tercih Edilen Hoca",
                           "(Otomatik oluşturma içindir)", "Şu saatlerin dışına çıkma", "Seçili günleri boş bırak",
                           "İstenmeyen Binalar", "Oluşturulan ders programları", "Bölüm Kodum :"}) {
    EXPECT_TRUE(labels.contains(U(text))) << text;
  }

  auto* grid = Find<QTableWidget>("Grid1");
  EXPECT_EQ(grid->geometry(), QRect(34, 288, 549, 305));
  ASSERT_EQ(grid->columnCount(), 6);
  ASSERT_EQ(grid->rowCount(), 15);
  const char* days[] = {"Gün/Saat", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma"};
  for (int column = 0; column < 6; ++column) EXPECT_EQ(grid->item(0, column)->text(), U(days[column]));
  EXPECT_EQ(grid->item(1, 0)->text(), "08:30-09:29");
  EXPECT_EQ(grid->item(14, 0)->text(), "21:30-22:29");
  EXPECT_EQ(grid->columnWidth(0), 90);
  EXPECT_EQ(grid->columnWidth(5), 91);
  EXPECT_EQ(grid->rowHeight(7), 20);
  EXPECT_EQ(grid->item(3, 3)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(grid->item(0, 2)->font().bold());
}

TEST_F(LayoutTest, GeneratorPanelAndBottomBar) {
  Start();
  auto* panel = Find<QGroupBox>("GroupBox1");
  EXPECT_EQ(panel->title(), U("Otomatik Oluştur"));
  EXPECT_EQ(panel->geometry(), QRect(606, 285, 179, 309));
  EXPECT_EQ(Find<QLineEdit>("EditSt")->text(), "9");
  EXPECT_EQ(Find<QLineEdit>("EditEnd")->text(), "19");
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "MKB,ISB,MMB,GDB");
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "ELK");
  EXPECT_EQ(Find<QLineEdit>("Edit1")->width(), 41);
  const char* days[] = {"Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma"};
  for (int day = 1; day <= 5; ++day) {
    auto* box = Find<QCheckBox>(("chk" + std::to_string(day)).c_str());
    EXPECT_EQ(box->text(), U(days[day - 1]));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(box->parent(), panel);
  }
  EXPECT_EQ(Find<QCheckBox>("CheckBox1")->text(), U("Bölüm Kodunu dikkate al"));
  EXPECT_EQ(Find<QComboBox>("ComboBox31")->maxVisibleItems(), 10);
  EXPECT_EQ(Find<QComboBox>("ComboBox31")->parent(), panel);

  struct Place {
    const char* name;
    const char* caption;
    QRect geometry;
  };
  const Place buttons[] = {{"btnCikar", "Seçili dersi çıkar", QRect(35, 596, 105, 31)},
                           {"btnReset", "Sıfırla", QRect(478, 596, 105, 31)},
                           {"btnCRN", "CRN Listesiyle İlgili Birşeyler Yap", QRect(606, 596, 179, 31)}};
  for (const Place& place : buttons) {
    auto* button = Find<QPushButton>(place.name);
    EXPECT_EQ(button->text(), U(place.caption));
    EXPECT_EQ(button->geometry(), place.geometry) << place.name;
    EXPECT_TRUE(button->font().bold());
  }
  EXPECT_EQ(Find<QPushButton>("btnYerlestir")->text(), U("Oluştur"));
}

TEST_F(LayoutTest, CaptionsFitTheirButtons) {
  Start();
  for (QPushButton* button : form->findChildren<QPushButton*>()) {
    const int needed = QFontMetrics(button->font()).horizontalAdvance(button->text());
    EXPECT_LE(needed, button->width() - 4) << button->objectName().toStdString();
  }
}

TEST_F(LayoutTest, MenusAndPopups) {
  Start();
  struct Item {
    const char* menu;
    const char* menu_caption;
    const char* name;
    const char* caption;
  };
  const Item items[] = {{"menuDosya", "Dosya", "menuAc", "Aç"},
                        {"menuDosya", "Dosya", "menuKaydet", "Kaydet"},
                        {"menuDosya", "Dosya", "menuExcel", "Excel'e aktar"},
                        {"menuDosya", "Dosya", "menuTakvim", "Takvime aktar (.ics)…"},
                        {"menuDosya", "Dosya", "menuResim", "Resim olarak kaydet…"},
                        {"menuDosya", "Dosya", "menuYazdir", "Yazdır…"},
                        {"menuDosya", "Dosya", "menuCik", "Çık"},
                        {"menuProgram", "Program", "menuSifirla", "Sıfırla"},
                        {"menuProgram", "Program", "menuVeriAl", "Veri Al/Güncelle"},
                        {"menuProgram", "Program", "menuOtomatik", "Otomatik güncelleme"},
                        {"menuProgram", "Program", "menuOndeKalsin", "Form önde kalsın"},
                        {"menuHelp", "Hakkında", "menuHakkinda", "Hakkında"},
                        {"menuHelp", "Hakkında", "Yardim", "Yardim"},
                        {"PopupMenu1", "", "popDers", "Seçili Ders Hakkında"},
                        {"PopupMenu1", "", "popHoca", "Seçili Hoca Hakkında"},
                        {"PopupMenu2", "", "CRNListeKopyala",
                         "CRN listesini belleğe kopyala (CTRL+V ile istediğin yere yapıştırabilirsin)"},
                        {"PopupMenu2", "", "CRNScriptKopyala",
                         "Add/Drop ekranındaki kutuları dolduracak JS kodunu belleğe kopyala (Anlayana)"}};
  for (const Item& item : items) {
    auto* menu = Find<QMenu>(item.menu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), U(item.menu_caption));
    auto* action = menu->findChild<QAction*>(QString::fromLatin1(item.name));
    ASSERT_NE(action, nullptr) << item.name;
    EXPECT_EQ(action->text(), U(item.caption));
    EXPECT_TRUE(menu->actions().contains(action)) << item.name;
  }
  QStringList bar;
  for (QAction* action : form->menuBar()->actions()) bar << action->text();
  EXPECT_EQ(bar, (QStringList{"Dosya", U("Düzen"), "Program", U("Hakkında")}));
  EXPECT_TRUE(Find<QAction>("menuOtomatik")->isCheckable());
  EXPECT_FALSE(Find<QAction>("menuOndeKalsin")->isChecked());
}

TEST_F(LayoutTest, RowWidgetsAreReachableByNumberAsTheLogicCountsThem) {
  Start();
  ui::MainView& view = form->View();
  view.SectionCombo(4).Add("x");
  EXPECT_EQ(Find<QComboBox>("ComboBox12")->count(), 1);
  view.Kaydet(7).SetEnabled(true);
  EXPECT_TRUE(Find<QPushButton>("Kaydet7")->isEnabled());
  view.Shape(10).SetFill({255, 0, 0});
  EXPECT_EQ(Find<ShapeWidget>("Shape10")->Fill(), (ui::Colour{255, 0, 0}));
  EXPECT_THROW(view.ComboBox(31), std::out_of_range);
  EXPECT_THROW(view.HocaCombo(0), std::out_of_range);
}

}  // namespace
}  // namespace kiremo::shell::testing
