#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

namespace kiremo::shell {

// Typing into a closed drop-down list: the keys typed one soon after the
// other make a prefix, spaces included ("ELK 202"), and the first item that
// starts with it (any case) is selected at once and reported as picked, as
// Qt's own search does; the list stays closed. A letter typed again and
// again steps through the items it starts. A space typed first, or after a
// pause, opens the list as before.
class TypedPrefix : public QObject {
  Q_OBJECT

 public:
  explicit TypedPrefix(QComboBox* list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The first item from `from` on (and round) that starts with `prefix`;
  // -1 for none.
  int Find(const QString& prefix, int from) const;

  QComboBox* list_;
  QString typed_;
  QElapsedTimer since_last_key_;
};

}  // namespace kiremo::shell
