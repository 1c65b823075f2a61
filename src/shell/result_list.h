#pragma once

#include <QAbstractListModel>
#include <QComboBox>

#include "view/widgets.h"

namespace kiremo::shell {

// The generator's results as a list model whose item texts are made only when
// the list shows them, so a million alternatives list at once.
class ResultListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The summary and `count` alternatives; no items when count is 0.
  void Show(int count, ui::ResultList::ItemTexts texts);

 private:
  int count_ = 0;
  ui::ResultList::ItemTexts texts_;
};

// ComboBox31 over its model.
class QtResultList : public ui::ResultList {
 public:
  // Puts a model of its own into the combo box.
  explicit QtResultList(QComboBox* combo);
  void Clear() override;
  void ShowResults(int count, ItemTexts texts) override;
  std::string Item(int k) const override;
  int Count() const override { return combo_->count(); }
  int ItemIndex() const override { return combo_->currentIndex(); }
  void SetItemIndex(int k) override { combo_->setCurrentIndex(k >= 0 && k < Count() ? k : -1); }

 private:
  void FitSummary();

  QComboBox* combo_;
  ResultListModel* model_;
};

}  // namespace kiremo::shell
