#include "shell/result_list.h"

#include <QListView>

#include "shell/qt_text.h"

namespace kiremo::shell {

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || count_ <= 0 ? 0 : count_ + 1;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return ToQString(ui::ResultItemText(index.row(), count_));
}

void ResultListModel::Show(int count) {
  beginResetModel();
  count_ = count < 0 ? 0 : count;
  endResetModel();
}

QtResultList::QtResultList(QComboBox* combo) : combo_(combo), model_(new ResultListModel(combo)) {
  combo_->setModel(model_);
  // Measuring every item for the box's width or the list's rows would make
  // the texts of every alternative.
  combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  if (auto* list = qobject_cast<QListView*>(combo_->view())) list->setUniformItemSizes(true);
}

void QtResultList::Clear() {
  model_->Show(0);
  combo_->setCurrentIndex(-1);
}

void QtResultList::ShowResults(int count) {
  model_->Show(count);
  combo_->setCurrentIndex(count > 0 ? 0 : -1);
}

}  // namespace kiremo::shell
