#include "shell/qt_main_view.h"

#include <QKeySequence>
#include <QStringList>
#include <stdexcept>

#include "shell/qt_text.h"

namespace kiremo::shell {

namespace {

std::size_t Index(int number, int last, const char* prefix) {
  if (number < 1 || number > last) throw std::out_of_range(std::string("no ") + prefix + std::to_string(number));
  return static_cast<std::size_t>(number - 1);
}

// Every shortcut of the item, as the menu shows a single one.
QString ShortcutTexts(const QAction* action) {
  QStringList texts;
  for (const QKeySequence& keys : action->shortcuts()) texts.push_back(keys.toString(QKeySequence::NativeText));
  return texts.join(QStringLiteral(", "));
}

}  // namespace

template <typename Adapter, typename Widget, std::size_t N>
std::vector<Adapter> QtMainView::Adapt(const std::array<Widget*, N>& widgets) {
  std::vector<Adapter> adapters;
  adapters.reserve(N);
  for (Widget* widget : widgets) adapters.emplace_back(widget);
  return adapters;
}

QtMainView::QtMainView(const MainWidgets& widgets)
    : combos_(Adapt<QtChoiceList>(widgets.combos)),
      results_(widgets.results),
      sirala_(widgets.sirala),
      teachers_(Adapt<QtChoiceList>(widgets.teachers)),
      kaydet_(Adapt<QtButton>(widgets.kaydet)),
      shapes_(widgets.shapes),
      edit1_(widgets.edit1),
      edit2_(widgets.edit2),
      edit_st_(widgets.edit_st),
      edit_end_(widgets.edit_end),
      check_box1_(widgets.check_box1),
      chk_(Adapt<QtCheckBoxMark>(widgets.chk)),
      menu_otomatik_(widgets.menu_otomatik),
      menu_geri_al_(widgets.menu_geri_al, ShortcutTexts(widgets.menu_geri_al)),
      menu_yinele_(widgets.menu_yinele, ShortcutTexts(widgets.menu_yinele)),
      grid_(widgets.grid),
      status_(widgets.status),
      row_lists_(widgets.combos.begin(), widgets.combos.end()),
      rows_note_(widgets.rows_note),
      caption_(widgets.window),
      dialogs_(widgets.window) {
  row_lists_.insert(row_lists_.end(), widgets.teachers.begin(), widgets.teachers.end());
}

void QtMainView::SetRowsReadOnly(const std::string& why) {
  for (QComboBox* list : row_lists_) list->setEnabled(why.empty());
  rows_note_->setText(ToQString(why));
  rows_note_->setVisible(!why.empty());
}

ui::ChoiceList& QtMainView::ComboBox(int number) { return combos_[Index(number, 30, "ComboBox")]; }

ui::ChoiceList& QtMainView::HocaCombo(int row) { return teachers_[Index(row, 10, "HocaCombo")]; }

ui::Button& QtMainView::Kaydet(int row) { return kaydet_[Index(row, 10, "Kaydet")]; }

ui::Swatch& QtMainView::Shape(int row) { return *shapes_[Index(row, 10, "Shape")]; }

ui::CheckMark& QtMainView::Chk(int day) { return chk_[Index(day, 5, "chk")]; }

}  // namespace kiremo::shell
