#include "shell/fetch_cancel.h"

#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
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

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
  escape->setObjectName(QStringLiteral("EscVazgec"));
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] { app_.CancelFetch(); });

  connect(&watch_, &QTimer::timeout, this, &FetchCancel::Refresh);
  watch_.start(kWatchMilliseconds);
}

void FetchCancel::Refresh() { button_->setVisible(app_.FetchBusy()); }

}  // namespace kiremo::shell
