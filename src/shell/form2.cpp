#include "shell/form2.h"

#include <QLabel>
#include <QPushButton>

#include "app/program_page.h"
#include "shell/look.h"
#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell {

namespace {

constexpr int kWidth = 346;
constexpr int kHeight = 161;

// A text line centred across the box.
QLabel* CentredLine(QWidget* box, const char* name, std::string_view text, int top, int height) {
  auto* label = new QLabel(ToQString(text), box);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  FitText(label, label->text(), kWidth - 8);
  label->setGeometry(0, top, kWidth, height);
  return label;
}

QPushButton* CentredButton(QWidget* box, const char* name, std::string_view caption, int top, int width) {
  auto* button = new QPushButton(ToQString(caption), box);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(ButtonFont());
  FitText(button, button->text(), width - 8);
  button->setGeometry((kWidth - width) / 2, top, width, 25);
  return button;
}

}  // namespace

TForm2::TForm2(const std::string& version_text, ui::Launcher& browser, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      browser_(browser) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(ToQString("Hakkında"_w));
  setFont(WindowFont());
  setStyleSheet(WindowStyleSheet());
  setFixedSize(kWidth, kHeight);

  QLabel* title = CentredLine(this, "Label1", std::string("ZEMÜ Kiremo "_w) + version_text, 6, 30);
  QFont comic(QStringLiteral("Comic Sans MS"));
  comic.setPixelSize(16);
  title->setFont(comic);
  CentredLine(this, "Label4", "İstek ve önerileriniz için mail falan atmayınız."_w, 42, 16);
  CentredLine(this, "Label5", "Atanlar, feci şekilde can verme tehlikesiyle karşı karşıya kalacaklardır."_w, 60, 16);
  QPushButton* page = CentredButton(this, "Button1", "ZEMÜ Kiremo'nın Web sayfasına git"_w, 88, 192);
  QPushButton* close = CentredButton(this, "Button2", "Kapat", 124, 66);
  connect(page, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm2::ShowModal() {
  move(272, 186);
  exec();
}

void TForm2::Button1Click() { browser_.OpenAddress(app::ProgramPageUrl()); }

}  // namespace kiremo::shell
