#include "shell/result_list.h"

#include <QAbstractItemView>
#include <QListView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "shell/look.h"
#include "shell/qt_text.h"

namespace kiremo::shell {

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || count_ <= 0 ? 0 : count_ + 1;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return ToQString(texts_(index.row(), count_));
}

void ResultListModel::Show(int count, ui::ResultList::ItemTexts texts) {
  beginResetModel();
  count_ = count < 0 ? 0 : count;
  texts_ = std::move(texts);
  endResetModel();
}

namespace {

// The part of the box that shows the selected item's text.
int TextRoom(QComboBox* combo) {
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = false;
  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
  // The item's own margins inside the field.
  constexpr int kMargins = 6;
  return field.width() - kMargins;
}

}  // namespace

QtResultList::QtResultList(QComboBox* combo) : combo_(combo), model_(new ResultListModel(combo)) {
  combo_->setModel(model_);
  // Measuring every item for the box's width or the list's rows would make
  // the texts of every alternative.
  combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  if (auto* list = qobject_cast<QListView*>(combo_->view())) list->setUniformItemSizes(true);
}

void QtResultList::Clear() {
  model_->Show(0, {});
  combo_->setCurrentIndex(-1);
}

void QtResultList::ShowResults(int count, ItemTexts texts) {
  model_->Show(count, std::move(texts));
  combo_->setCurrentIndex(count > 0 ? 0 : -1);
  if (count > 0) FitSummary();
}

void QtResultList::FitSummary() {
  // "2909 farklı program yaptım!" is wider than the narrow box: the box
  // narrows its font until the whole summary shows, and the open list is
  // wide enough for it (the alternatives are short).
  const QString summary = combo_->itemText(0);
  combo_->setFont(QFont());
  FitText(combo_, summary, TextRoom(combo_));
  QAbstractItemView* list = combo_->view();
  list->setTextElideMode(Qt::ElideNone);
  constexpr int kMargins = 12;
  const int scroll_bar =
      combo_->count() > combo_->maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
  const int wide = list->fontMetrics().horizontalAdvance(summary) + 2 * list->frameWidth() + scroll_bar + kMargins;
  list->setMinimumWidth(std::max(combo_->width(), wide));
}

std::string QtResultList::Item(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return FromQString(combo_->itemText(k));
}

}  // namespace kiremo::shell
