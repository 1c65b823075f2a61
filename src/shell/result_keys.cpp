#include "shell/result_keys.h"

#include <QKeyEvent>
#include <algorithm>

namespace kiremo::shell {

ResultKeys::ResultKeys(QComboBox* results, std::function<void()> chosen)
    : QObject(results), results_(results), chosen_(std::move(chosen)) {
  results_->installEventFilter(this);
}

int ResultKeys::Target(int key) const {
  const int last = results_->count() - 1;
  const int at = results_->currentIndex();
  const int page = std::max(1, results_->maxVisibleItems());
  switch (key) {
    case Qt::Key_Down: return std::min(at + 1, last);
    case Qt::Key_Up: return std::max(at - 1, 1);
    case Qt::Key_PageDown: return std::min(at + page, last);
    case Qt::Key_PageUp: return std::max(at - page, 1);
    case Qt::Key_Home: return 1;
    case Qt::Key_End: return last;
    default: return -1;
  }
}

bool ResultKeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched != results_ || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* press = static_cast<QKeyEvent*>(event);
  if (press->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;  // Alt+Down opens the list
  const int target = Target(press->key());
  if (target < 0) return false;
  if (results_->count() > 1 && target != results_->currentIndex()) {
    results_->setCurrentIndex(target);
    chosen_();
  }
  return true;
}

}  // namespace kiremo::shell
