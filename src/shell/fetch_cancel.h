#pragma once

#include <QObject>
#include <QTimer>

#include "app/app.h"

class QMainWindow;
class QPushButton;

namespace kiremo::shell {

// Lets the student give up the pages being fetched (a quick update, the
// department list and pages of "Veri Al/Güncelle"): Esc in the window that
// nothing else takes (an open drop-down list closes first), or the
// "Vazgeç" button at the right of the status bar, which shows only while
// there is something to give up.
class FetchCancel : public QObject {
  Q_OBJECT

 public:
  FetchCancel(QMainWindow& window, app::App& app);

  QPushButton* Button() const { return button_; }

 protected:
  // Sees the keys that reach the window itself: those no widget in it took.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refresh();

  app::App& app_;
  QPushButton* button_;
  QTimer watch_;
};

}  // namespace kiremo::shell
