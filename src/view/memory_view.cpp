#include "view/memory_view.h"

#include <cstdio>
#include <stdexcept>

#include "text/cp1254.h"

namespace kiremo::ui {

void MemoryChoiceList::Clear() {
  items_.clear();
  tips_.clear();
  crossed_out_.clear();
  index_ = -1;
}

void MemoryChoiceList::Add(const std::string& item) {
  items_.push_back(item);
  tips_.emplace_back();
  crossed_out_.push_back(false);
}

bool MemoryChoiceList::ItemCrossedOut(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return crossed_out_[k];
}

void MemoryChoiceList::SetItemCrossedOut(int k, bool crossed_out) {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  crossed_out_[k] = crossed_out;
}

std::string MemoryChoiceList::ItemTip(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return tips_[k];
}

void MemoryChoiceList::SetItemTip(int k, const std::string& tip) {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  tips_[k] = tip;
}

std::string MemoryChoiceList::Item(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return items_[k];
}

void MemoryChoiceList::SetItem(int k, const std::string& text) {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  items_[k] = text;
}

void MemoryChoiceList::SetItemIndex(int k) { index_ = (k >= 0 && k < Count()) ? k : -1; }

void MemoryResultList::Clear() {
  count_ = 0;
  index_ = -1;
}

void MemoryResultList::ShowResults(int count, ItemTexts texts) {
  count_ = count;
  texts_ = std::move(texts);
  index_ = count > 0 ? 0 : -1;
}

std::string MemoryResultList::Item(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return texts_(k, count_);
}

void MemoryTextField::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (on_change) on_change();
}

std::string MemoryGrid::CellText(int column, int row) const {
  return Inside(column, row) ? texts_[column][row] : std::string();
}

void MemoryGrid::SetCellText(int column, int row, const std::string& text) {
  if (Inside(column, row)) texts_[column][row] = text;
}

Colour MemoryGrid::CellColour(int column, int row) const {
  return Inside(column, row) ? colours_[column][row] : kWhite;
}

void MemoryGrid::SetCellColour(int column, int row, Colour colour) {
  if (Inside(column, row)) colours_[column][row] = colour;
}

bool MemoryGrid::CellBusy(int column, int row) const { return Inside(column, row) && busy_[column][row]; }

void MemoryGrid::SetCellBusy(int column, int row, bool busy) {
  if (Inside(column, row)) busy_[column][row] = busy;
}

void MemoryDialogs::Message(const std::string& caption, const std::string& text, Icon icon) {
  messages.push_back({caption, text, icon});
}

void MemoryDialogs::StandardError(const std::string& text) { errors.push_back(text); }

std::optional<std::string> MemoryDialogs::AskOpenFile(const std::string& filter) {
  filters_asked.push_back(filter);
  if (next_open_names.empty()) return std::nullopt;
  std::string name = next_open_names.front();
  next_open_names.erase(next_open_names.begin());
  return name;
}

SaveChoice MemoryDialogs::AskSaveChanges(const std::string& caption, const std::string& text) {
  save_questions.push_back({caption, text, Icon::Warning});
  if (next_save_choices.empty()) return SaveChoice::Discard;
  const SaveChoice choice = next_save_choices.front();
  next_save_choices.erase(next_save_choices.begin());
  return choice;
}

bool MemoryDialogs::AskApplyUpdates(const std::string& caption, const std::string& text) {
  apply_questions.push_back({caption, text, Icon::Warning});
  if (next_apply_answers.empty()) return false;
  const bool apply = next_apply_answers.front();
  next_apply_answers.erase(next_apply_answers.begin());
  return apply;
}

std::optional<std::string> MemoryDialogs::AskSaveFile(const std::string& filter, const std::string& start) {
  filters_asked.push_back(filter);
  save_starts.push_back(start);
  if (next_save_names.empty()) return std::nullopt;
  std::string name = next_save_names.front();
  next_save_names.erase(next_save_names.begin());
  return name;
}

MemoryView::MemoryView()
    : edit1_("ELK"), edit2_("MKB,ISB,MMB,GDB"), edit_st_("9"), edit_end_("19"), check_box1_(true) {}

MemoryChoiceList& MemoryView::ComboBox(int number) {
  if (number < 1 || number > 30) throw std::out_of_range("no ComboBox" + std::to_string(number));
  return combos_[number - 1];
}

MemoryChoiceList& MemoryView::HocaCombo(int row) {
  if (row < 1 || row > 10) throw std::out_of_range("no HocaCombo" + std::to_string(row));
  return teachers_[row - 1];
}

MemoryButton& MemoryView::Kaydet(int row) {
  if (row < 1 || row > 10) throw std::out_of_range("no Kaydet" + std::to_string(row));
  return kaydet_[row - 1];
}

MemorySwatch& MemoryView::Shape(int row) {
  if (row < 1 || row > 10) throw std::out_of_range("no Shape" + std::to_string(row));
  return shapes_[row - 1];
}

MemoryCheckMark& MemoryView::Chk(int day) {
  if (day < 1 || day > 5) throw std::out_of_range("no chk" + std::to_string(day));
  return chk_[day - 1];
}

}  // namespace kiremo::ui
