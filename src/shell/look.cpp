#include "shell/look.h"

#include <QApplication>
#include <QFontMetrics>

namespace kiremo::shell {

QString WindowStyleSheet() {
  // #ababab is the application-workspace grey of the frames.
  return QStringLiteral(
      "QPushButton {"
      "  color: #0000ff;"
      "  border: 1px solid #9a9aa8; border-radius: 2px; padding: 0 4px;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6dae6);"
      "}"
      "QPushButton:hover {"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #c4cde6);"
      "}"
      "QPushButton:pressed {"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c4cde6, stop:1 #ffffff);"
      "}"
      "QPushButton:disabled { color: #8c8cc8; }"
      "QPushButton:focus { border: 2px solid #000000; padding: 0 3px; }"
      "QComboBox, QLineEdit, QCheckBox { border: 2px groove #ababab; }"
      "QComboBox:hover, QLineEdit:hover, QCheckBox:hover { border-color: #0000ff; }"
      "QComboBox:focus, QLineEdit:focus, QCheckBox:focus { border: 2px solid #000000; }"
      "QComboBox, QLineEdit { background: #ffffff; padding: 0 2px; }"
      "QComboBox { combobox-popup: 0; }"
      "QCheckBox { padding: 0 2px; }");
}

QFont WindowFont() {
  QFont font = QApplication::font();
  font.setPointSize(8);
  return font;
}

QFont ButtonFont() {
  QFont font = WindowFont();
  font.setPointSize(9);
  font.setBold(true);
  return font;
}

void FitText(QWidget* widget, const QString& text, int width) {
  QFont font = widget->font();
  const auto fits = [&] { return QFontMetrics(font).horizontalAdvance(text) <= width; };
  for (const int stretch : {QFont::Unstretched, QFont::SemiCondensed, QFont::Condensed}) {
    font.setStretch(stretch);
    if (fits()) break;
  }
  while (!fits() && font.pointSizeF() > 6) font.setPointSizeF(font.pointSizeF() - 0.5);
  widget->setFont(font);
}

}  // namespace kiremo::shell
