#include "shell/whole_text_tip.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace kiremo::shell {

WholeTextTip::WholeTextTip(QComboBox* list) : QObject(list), list_(list) {
  list_->installEventFilter(this);
  connect(list_, &QComboBox::currentTextChanged, this, &WholeTextTip::Update);
  Update();
}

bool WholeTextTip::Fits(const QComboBox& list) {
  QStyleOptionComboBox option;
  option.initFrom(&list);
  option.editable = list.isEditable();
  option.frame = list.hasFrame();
  option.currentText = list.currentText();
  const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list);
  return list.fontMetrics().horizontalAdvance(option.currentText) <= field.width();
}

void WholeTextTip::Update() {
  const QString tip = Fits(*list_) ? QString() : list_->currentText();
  if (list_->toolTip() != tip) list_->setToolTip(tip);
}

bool WholeTextTip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange ||
                           event->type() == QEvent::StyleChange)) {
    Update();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kiremo::shell
