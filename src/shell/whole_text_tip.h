#pragma once

#include <QComboBox>
#include <QObject>

namespace kiremo::shell {

// A closed drop-down list whose chosen text is wider than its box shows the
// whole text as its tooltip; a text that fits shows none. Kept up to date as
// the choice, the text, the font or the box's size change.
class WholeTextTip : public QObject {
  Q_OBJECT

 public:
  explicit WholeTextTip(QComboBox* list);

  // Whether the list's chosen text fits into its closed box.
  static bool Fits(const QComboBox& list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Update();

  QComboBox* list_;
};

}  // namespace kiremo::shell
