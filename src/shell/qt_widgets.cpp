#include "shell/qt_widgets.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <stdexcept>

#include "shell/qt_text.h"

namespace kiremo::shell {

namespace {

ui::Launcher* launcher_stand_in = nullptr;

void CheckIndex(int k, int count) {
  if (k < 0 || k >= count) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
}

}  // namespace

void QtMenuCommand::Show(const std::string& text, bool enabled) {
  text_ = text;
  // "&" in a file's name would mark a mnemonic.
  QString shown = ToQString(text).replace(u'&', QStringLiteral("&&"));
  action_->setText(keys_.isEmpty() ? shown : shown + u'\t' + keys_);
  action_->setEnabled(enabled);
}

void QtChoiceList::Clear() { combo_->clear(); }

void QtChoiceList::Add(const std::string& item) {
  // A combo box selects the first item added to it; the lists here do not.
  const bool none = combo_->currentIndex() < 0;
  combo_->addItem(ToQString(item));
  if (none) combo_->setCurrentIndex(-1);
}

int QtChoiceList::Count() const { return combo_->count(); }

std::string QtChoiceList::ItemTip(int k) const {
  CheckIndex(k, Count());
  return FromQString(combo_->itemData(k, Qt::ToolTipRole).toString());
}

void QtChoiceList::SetItemTip(int k, const std::string& tip) {
  CheckIndex(k, Count());
  combo_->setItemData(k, tip.empty() ? QVariant() : QVariant(ToQString(tip)), Qt::ToolTipRole);
}

bool QtChoiceList::ItemCrossedOut(int k) const {
  CheckIndex(k, Count());
  const QVariant font = combo_->itemData(k, Qt::FontRole);
  return font.isValid() && font.value<QFont>().strikeOut();
}

void QtChoiceList::SetItemCrossedOut(int k, bool crossed_out) {
  CheckIndex(k, Count());
  QFont font = combo_->font();
  font.setStrikeOut(true);
  combo_->setItemData(k, crossed_out ? QVariant(font) : QVariant(), Qt::FontRole);
  combo_->setItemData(k, crossed_out ? QVariant(QColor(Qt::gray)) : QVariant(), Qt::ForegroundRole);
  combo_->update();
}

std::string QtChoiceList::Item(int k) const {
  CheckIndex(k, Count());
  return FromQString(combo_->itemText(k));
}

void QtChoiceList::SetItem(int k, const std::string& text) {
  CheckIndex(k, Count());
  combo_->setItemText(k, ToQString(text));
}

int QtChoiceList::ItemIndex() const { return combo_->currentIndex(); }

void QtChoiceList::SetItemIndex(int k) { combo_->setCurrentIndex(k >= 0 && k < Count() ? k : -1); }

std::string QtTextField::Text() const { return FromQString(edit_->text()); }

void QtTextField::SetText(const std::string& text) { edit_->setText(ToQString(text)); }

std::string QtLabelLine::Text() const { return FromQString(label_->text()); }

void QtLabelLine::SetText(const std::string& text) { label_->setText(ToQString(text)); }

std::string QtWindowCaption::Text() const { return FromQString(window_->windowTitle()); }

void QtWindowCaption::SetText(const std::string& text) { window_->setWindowTitle(ToQString(text)); }

void QtClipboard::SetText(const std::string& text) { QGuiApplication::clipboard()->setText(ToQString(text)); }

void QtLauncher::SetStandIn(ui::Launcher* stand_in) { launcher_stand_in = stand_in; }

void QtLauncher::OpenAddress(const std::string& address) {
  if (launcher_stand_in) return launcher_stand_in->OpenAddress(address);
  QDesktopServices::openUrl(QUrl(ToQString(address), QUrl::TolerantMode));
}

}  // namespace kiremo::shell
