#pragma once

#include <QComboBox>

namespace kiremo::shell {

// A drop-down list of the window (the course rows', the results and their
// order). Its open list is as wide as its widest item, so that a section
// item or an alternative shows whole however narrow the box is; and the box's hover frame goes when the
// pointer left it while the list was open (no leave event comes then). An
// item struck out in the list (its font) is struck out in the closed box
// too. A right click on the box or on an item of the open list asks for
// that item's context menu.
class RowDropDown : public QComboBox {
  Q_OBJECT

 public:
  explicit RowDropDown(QWidget* parent);

  void showPopup() override;
  void hidePopup() override;

 signals:
  // `item` is the selected item for the box, the item under the pointer for
  // the open list (-1 for none); `at` in global coordinates.
  void itemMenuAsked(int item, const QPoint& at);

 protected:
  // The width of the widest item's text.
  int WidestItem() const;
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kiremo::shell
