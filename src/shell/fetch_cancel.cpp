#include "shell/fetch_cancel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell {

namespace {

// How often the button looks whether a fetch runs.
constexpr int kWatchMilliseconds = 100;

}  // namespace

FetchCancel::FetchCancel(QMainWindow& window, app::App& app)
    : QObject(&window), app_(app), button_(new QPushButton(ToQString("Vazgeç"_w), window.statusBar())) {
  button_->setObjectName(QStringLiteral("btnVazgec"));
  button_->setFlat(true);
  button_->setFocusPolicy(Qt::NoFocus);
  button_->hide();
  window.statusBar()->addPermanentWidget(button_);
  connect(button_, &QPushButton::clicked, this, [this] { app_.CancelFetch(); });

  // Not a shortcut: a shortcut takes the key before the widget it was typed
  // in, so Esc meant for an open list would give up the update.
  window.installEventFilter(this);

  connect(&watch_, &QTimer::timeout, this, &FetchCancel::Refresh);
  watch_.start(kWatchMilliseconds);
}

bool FetchCancel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape ||
      static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier) {
    return QObject::eventFilter(watched, event);
  }
  // A list or menu open over the window closes first, also when the key
  // went to the widget it opened from (which passes it on to the window).
  if (QWidget* popup = QApplication::activePopupWidget()) {
    QCoreApplication::sendEvent(popup, event);
    return true;
  }
  if (!app_.FetchBusy()) return QObject::eventFilter(watched, event);
  app_.CancelFetch();
  return true;
}

void FetchCancel::Refresh() { button_->setVisible(app_.FetchBusy()); }

}  // namespace kiremo::shell
