#pragma once

#include <QComboBox>
#include <QObject>
#include <functional>

namespace kiremo::shell {

// Browsing the generator's results by keyboard while the list is closed:
// Up and Down step to the previous and next alternative, Page Up and Page
// Down by a page, Home and End to the first and the last; each step selects
// the item and runs `chosen` at once, as picking it would. The summary item
// is passed over.
class ResultKeys : public QObject {
  Q_OBJECT

 public:
  ResultKeys(QComboBox* results, std::function<void()> chosen);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The item a key leads to from the selected one; -1 for another key.
  int Target(int key) const;

  QComboBox* results_;
  std::function<void()> chosen_;
};

}  // namespace kiremo::shell
