#include <QAbstractItemView>
#include <QCursor>
#include <QTest>

#include "shell/gui_fixture.h"
#include "shell/row_drop_down.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using testing_support::Section;

// A section with a long teacher name, five meetings and their buildings:
// its item is far wider than the 350-pixel box.
class SectionListTest : public GuiTest {
 protected:
  SectionListTest() {
    catalogue.Department(
        "FIZ", {Section("41001", "FIZ 101", std::string("Prof. Dr. Abdurrahman Şerafettin Karamustafaoğlu"_w),
                        std::string("Pazartesi|Salı|Çarşamba|Perşembe|Cuma"_w),
                        "0830/1029|0930/1029|1030/1229|1330/1429|1530/1729", "EEB|FEB|MED|ISB|MKB", "D1|D2|D3|D4|D5",
                        std::string("TÜM"_w))});
  }
  QComboBox* ChooseFizInRow1() {
    Start();
    Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("FIZ"));
    Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("FIZ 101"));
    return Find<QComboBox>("ComboBox3");
  }
};

TEST_F(SectionListTest, EachSectionTellsItsHoursAndRoomsOnHover) {
  QComboBox* sections = ChooseFizInRow1();
  ASSERT_EQ(sections->count(), 2);
  EXPECT_FALSE(sections->itemData(0, Qt::ToolTipRole).isValid()) << "\"Seçin\" has nothing to tell";
  EXPECT_EQ(sections->itemData(1, Qt::ToolTipRole).toString(),
            QString::fromUtf8("Pazartesi 08:30-10:29, EEB D1\nSalı 09:30-10:29, FEB D2\nÇarşamba 10:30-12:29, MED D3\n"
                              "Perşembe 13:30-14:29, ISB D4\nCuma 15:30-17:29, MKB D5"));
}

TEST_F(SectionListTest, OpenListShowsWholeItems) {
  QComboBox* sections = ChooseFizInRow1();
  form->show();
  const int text_width = sections->view()->fontMetrics().horizontalAdvance(sections->itemText(1));
  ASSERT_GT(text_width, sections->width());
  sections->showPopup();
  EXPECT_GT(sections->view()->width(), text_width);
  EXPECT_EQ(sections->view()->textElideMode(), Qt::ElideNone);
  sections->hidePopup();
}

// The open list takes the pointer: the box gets no leave event, and its
// blue hover frame would stay until the pointer came back.
TEST_F(SectionListTest, HoverFrameGoesWhenThePointerLeftWhileTheListWasOpen) {
  QComboBox* sections = ChooseFizInRow1();
  form->show();
  QCursor::setPos(sections->mapToGlobal(sections->rect().center()));
  sections->setAttribute(Qt::WA_UnderMouse, true);
  sections->showPopup();
  QCursor::setPos(sections->mapToGlobal(QPoint(-200, -200)));
  sections->hidePopup();
  EXPECT_FALSE(sections->underMouse());
}

}  // namespace
}  // namespace kiremo::shell::testing
