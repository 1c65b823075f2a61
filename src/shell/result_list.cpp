#include "shell/result_list.h"

#include <QListView>

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
}

std::string QtResultList::Item(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return FromQString(combo_->itemText(k));
}

}  // namespace kiremo::shell
