#include "shell/qt_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "shell/qt_text.h"
#include "text/cp1254.h"
#include "text/program.h"
#include "text/text_helpers.h"

namespace kiremo::shell {

namespace {

ui::Dialogs* stand_in = nullptr;

QMessageBox::Icon BoxIcon(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::Error: return QMessageBox::Critical;
    case ui::Icon::Warning: return QMessageBox::Warning;
    case ui::Icon::Information: return QMessageBox::Information;
    case ui::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

void ShowBox(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
  // Texts can carry catalogue data; markup in them is shown, not obeyed.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::optional<std::string> LocalPath(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return QFile::encodeName(name).toStdString();
}

}  // namespace

void QtDialogs::SetStandIn(ui::Dialogs* dialogs) { stand_in = dialogs; }

QString DialogFilter(const std::string& filter) {
  const std::vector<std::string> parts = Explode(filter, "|");
  QStringList filters;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const std::string& description = parts[i];
    const std::string patterns = i + 1 < parts.size() ? parts[i + 1] : std::string("*");
    std::string spaced = patterns;
    for (char& c : spaced) {
      if (c == ';') c = ' ';
    }
    // A filter's text usually names its patterns already.
    const bool named = description.find("(" + patterns + ")") != std::string::npos;
    filters << ToQString(named ? description : description + " (" + spaced + ")");
  }
  return filters.join(QStringLiteral(";;"));
}

QString DefaultSuffix(const std::string& filter) {
  const std::vector<std::string> parts = Explode(filter, "|");
  const std::string pattern = parts.size() >= 2 ? parts[1].substr(0, parts[1].find(';')) : std::string();
  return StartsWith(pattern, "*.") ? ToQString(pattern.substr(2)) : QString();
}

void QtDialogs::Message(const std::string& caption, const std::string& text, ui::Icon icon) {
  if (stand_in) return stand_in->Message(caption, text, icon);
  ShowBox(owner_, ToQString(caption), ToQString(text), BoxIcon(icon));
}

void QtDialogs::StandardError(const std::string& text) {
  if (stand_in) return stand_in->StandardError(text);
  ShowBox(owner_, ToQString(ProgramTitle()), ToQString(text), QMessageBox::Critical);
}

std::optional<std::string> QtDialogs::AskOpenFile(const std::string& filter) {
  if (stand_in) return stand_in->AskOpenFile(filter);
  return LocalPath(QFileDialog::getOpenFileName(owner_, {}, {}, DialogFilter(filter)));
}

std::optional<std::string> QtDialogs::AskSaveFile(const std::string& filter, const std::string& start) {
  if (stand_in) return stand_in->AskSaveFile(filter, start);
  QFileDialog dialog(owner_, {}, {}, DialogFilter(filter));
  if (!start.empty()) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(start));
    const QFileInfo offered(path);
    dialog.setDirectory(path.endsWith(u'/') ? path : offered.absolutePath());
    if (!path.endsWith(u'/')) dialog.selectFile(offered.fileName());
  }
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // "plan1" is written as "plan1.dkf" (the dialog asks before replacing that
  // file), so that "Aç" lists it.
  dialog.setDefaultSuffix(DefaultSuffix(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return LocalPath(dialog.selectedFiles().constFirst());
}

ui::SaveChoice QtDialogs::AskSaveChanges(const std::string& caption, const std::string& text) {
  if (stand_in) return stand_in->AskSaveChanges(caption, text);
  QMessageBox box(QMessageBox::Warning, ToQString(caption), ToQString(text), QMessageBox::NoButton, owner_);
  box.setTextFormat(Qt::PlainText);
  QPushButton* save = box.addButton(ToQString("Kaydet"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(ToQString("Kaydetme"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(ToQString("Vazgeç"_w), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return ui::SaveChoice::Save;
  if (box.clickedButton() == discard) return ui::SaveChoice::Discard;
  return ui::SaveChoice::Cancel;
}

bool QtDialogs::AskApplyUpdates(const std::string& caption, const std::string& text) {
  if (stand_in) return stand_in->AskApplyUpdates(caption, text);
  QMessageBox box(QMessageBox::Warning, ToQString(caption), ToQString(text), QMessageBox::NoButton, owner_);
  box.setTextFormat(Qt::PlainText);
  QPushButton* apply = box.addButton(ToQString("Güncel bilgileri uygula"_w), QMessageBox::AcceptRole);
  QPushButton* close = box.addButton(ToQString("Tamam"), QMessageBox::RejectRole);
  box.setDefaultButton(close);
  box.setEscapeButton(close);
  box.exec();
  return box.clickedButton() == apply;
}

}  // namespace kiremo::shell
