#pragma once

#include <QComboBox>

namespace kiremo::shell {

// A course row's drop-down list. Its open list is as wide as its widest
// item, so that a section item shows whole (days and buildings included)
// however narrow the box is; and the box's hover frame goes when the
// pointer left it while the list was open (no leave event comes then).
class RowDropDown : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void showPopup() override;
  void hidePopup() override;
};

}  // namespace kiremo::shell
