#include <QGroupBox>
#include <QHash>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "app/ini_file.h"
#include "catalogue/file_system.h"
#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

class GrowthTest : public GuiTest {
 protected:
  void ShowAtDefault() {
    Start();
    form->ShowCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    default_size = form->size();
  }
  void ResizeTo(QSize size) {
    form->resize(size);
    QCoreApplication::processEvents();
  }
  // Every widget of the window by its place in the widget tree.
  QHash<QWidget*, QRect> Geometries() const {
    QHash<QWidget*, QRect> all;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
      if (!widget->isWindow()) all.insert(widget, widget->geometry());
    }
    return all;
  }
  int GridRowsHeight() {
    auto* grid = Find<QTableWidget>("Grid1");
    int height = 0;
    for (int row = 0; row < grid->rowCount(); ++row) height += grid->rowHeight(row);
    return height;
  }
  int GridColumnsWidth() {
    auto* grid = Find<QTableWidget>("Grid1");
    int width = 0;
    for (int column = 0; column < grid->columnCount(); ++column) width += grid->columnWidth(column);
    return width;
  }

  QSize default_size;
};

TEST_F(GrowthTest, LargerWindowGivesTheSectionListsAndTheGridTheRoom) {
  ShowAtDefault();
  auto* grid = Find<QTableWidget>("Grid1");
  // The design leaves a sliver of the grid under and beside its cells.
  const QSize sliver = grid->viewport()->size() - QSize(GridColumnsWidth(), GridRowsHeight());
  ResizeTo({1600, 1000});
  const int wider = 1600 - default_size.width();
  const int taller = 1000 - default_size.height();
  struct Place {
    const char* name;
    QRect geometry;
  };
  const Place places[] = {{"ComboBox1", QRect(42, 40, 65, 21)},
                          {"ComboBox2", QRect(114, 40, 89, 21)},
                          {"ComboBox3", QRect(210, 40, 350 + wider, 21)},
                          {"ComboBox30", QRect(210, 256, 350 + wider, 21)},
                          {"HocaCombo1", QRect(568 + wider, 40, 137, 21)},
                          {"Kaydet10", QRect(710 + wider, 256, 50, 21)},
                          {"Button5", QRect(766 + wider, 136, 40, 21)},
                          {"Shape1", QRect(7, 40, 25, 21)},
                          {"Grid1", QRect(34, 288, 549 + wider, 305 + taller)},
                          {"GroupBox1", QRect(606 + wider, 285, 179, 309)},
                          {"btnCikar", QRect(35, 596 + taller, 105, 31)},
                          {"btnReset", QRect(478 + wider, 596 + taller, 105, 31)},
                          {"btnCRN", QRect(606 + wider, 596 + taller, 179, 31)}};
  for (const Place& place : places) EXPECT_EQ(Find<QWidget>(place.name)->geometry(), place.geometry) << place.name;
  EXPECT_EQ(Find<QWidget>("Edit1")->width(), 41);
  EXPECT_EQ(Find<QWidget>("Edit1")->y(), 601 + taller);

  // The cells fill the grown grid: the header column keeps its width.
  EXPECT_EQ(grid->columnWidth(0), 90);
  EXPECT_EQ(grid->viewport()->size() - QSize(GridColumnsWidth(), GridRowsHeight()), sliver);
  EXPECT_GT(grid->rowHeight(7), 20);

  auto* scroll = Find<QScrollArea>("ScrollBox1");
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
}

TEST_F(GrowthTest, MaximisedWindowGrowsAndTheDefaultSizeBringsEveryWidgetBack) {
  ShowAtDefault();
  const QHash<QWidget*, QRect> designed = Geometries();
  ResizeTo({1600, 1000});
  EXPECT_NE(Geometries(), designed);

  form->showMaximized();
  QCoreApplication::processEvents();
  ASSERT_TRUE(form->isMaximized());
  EXPECT_GT(form->width(), 1600);
  EXPECT_GT(Find<QWidget>("ComboBox3")->width(), 350 + 1600 - default_size.width());
  EXPECT_GT(Find<QWidget>("Grid1")->height(), 305 + 1000 - default_size.height());
  EXPECT_EQ(Find<QWidget>("GroupBox1")->size(), QSize(179, 309));

  form->showNormal();
  ResizeTo(default_size);
  const QHash<QWidget*, QRect> again = Geometries();
  for (auto it = designed.begin(); it != designed.end(); ++it) {
    EXPECT_EQ(again.value(it.key()), it.value())
        << it.key()->objectName().toStdString() << " " << it.key()->metaObject()->className();
  }
  EXPECT_EQ(GridRowsHeight(), 15 * 20);
}

TEST_F(GrowthTest, ClosingStoresThePlaceAndTheNextStartOpensThere) {
  ShowAtDefault();
  form->setGeometry(QRect(100, 80, 1200, 900));
  QCoreApplication::processEvents();
  ASSERT_TRUE(form->close());
  const app::IniFile settings(SettingsFile());
  EXPECT_EQ(settings.ReadInteger("pencere", "sol", -1), 100);
  EXPECT_EQ(settings.ReadInteger("pencere", "ust", -1), 80);
  EXPECT_EQ(settings.ReadInteger("pencere", "genislik", -1), 1200);
  EXPECT_EQ(settings.ReadInteger("pencere", "yukseklik", -1), 900);
  EXPECT_EQ(settings.ReadInteger("pencere", "buyutulmus", -1), 0);

  Start();
  form->ShowAtStoredPlace();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(form->geometry(), QRect(100, 80, 1200, 900));
  EXPECT_FALSE(form->isMaximized());

  form->showMaximized();
  QCoreApplication::processEvents();
  ASSERT_TRUE(form->close());
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadInteger("pencere", "buyutulmus", -1), 1);
  EXPECT_EQ(app::IniFile(SettingsFile()).ReadInteger("pencere", "genislik", -1), 1200) << "the size to come back to";
  Start();
  form->ShowAtStoredPlace();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->isMaximized());
  form->showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->geometry(), QRect(100, 80, 1200, 900));
}

TEST_F(GrowthTest, UnusablePlaceOpensCentredAtTheDefaultSize) {
  struct Case {
    const char* why;
    const char* lines;
  };
  const Case cases[] = {
      {"a screen taken away", "sol=5000\r\nust=100\r\ngenislik=900\r\nyukseklik=700\r\nbuyutulmus=0\r\n"},
      {"not a number", "sol=10\r\nust=abc\r\ngenislik=900\r\nyukseklik=700\r\nbuyutulmus=0\r\n"},
      {"a key missing", "sol=10\r\nust=10\r\ngenislik=900\r\nbuyutulmus=0\r\n"},
      {"no size", "sol=10\r\nust=10\r\ngenislik=0\r\nyukseklik=700\r\nbuyutulmus=0\r\n"}};
  for (const Case& c : cases) {
    WriteFileAtomically(SettingsFile(), std::string("[pencere]\r\n") + c.lines);
    Start();
    form->ShowAtStoredPlace();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->width(), 812) << c.why;
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_LE(std::abs(form->geometry().center().x() - screen.center().x()), 1) << c.why;
  }
  // A size under the default opens at the default size, where it was.
  WriteFileAtomically(SettingsFile(),
                      "[pencere]\r\nsol=40\r\nust=30\r\ngenislik=300\r\nyukseklik=200\r\nbuyutulmus=0\r\n");
  Start();
  form->ShowAtStoredPlace();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->geometry().topLeft(), QPoint(40, 30));
  EXPECT_EQ(form->width(), 812);
}

}  // namespace
}  // namespace kiremo::shell::testing
