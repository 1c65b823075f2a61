#include "shell/typed_prefix.h"

#include <QApplication>
#include <QKeyEvent>

namespace kiremo::shell {

TypedPrefix::TypedPrefix(QComboBox* list) : QObject(list), list_(list) { list_->installEventFilter(this); }

int TypedPrefix::Find(const QString& prefix, int from) const {
  const int count = list_->count();
  for (int step = 0; step < count; ++step) {
    const int k = (from + step) % count;
    if (list_->itemText(k).startsWith(prefix, Qt::CaseInsensitive)) return k;
  }
  return -1;
}

bool TypedPrefix::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_ || event->type() != QEvent::KeyPress || list_->isEditable()) {
    return QObject::eventFilter(watched, event);
  }
  const auto* press = static_cast<QKeyEvent*>(event);
  const QString text = press->text();
  if (text.isEmpty() || !text.at(0).isPrint() || (press->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    return false;
  }
  const bool going_on = since_last_key_.isValid() && since_last_key_.elapsed() < QApplication::keyboardInputInterval();
  if (!going_on) typed_.clear();
  if (typed_.isEmpty() && text.trimmed().isEmpty()) return false;  // the space that opens the list
  typed_ += text;
  since_last_key_.start();
  int found = Find(typed_, std::max(list_->currentIndex(), 0));
  // One letter pressed again and again steps through the items it starts.
  if (found < 0 && typed_.count(typed_.front()) == typed_.size())
    found = Find(typed_.left(1), list_->currentIndex() + 1);
  if (found >= 0 && found != list_->currentIndex()) {
    list_->setCurrentIndex(found);
    emit list_->activated(found);
  }
  return true;
}

}  // namespace kiremo::shell
