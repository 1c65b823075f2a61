#include "shell/term_dialog.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell {

namespace {

// The date as a student types it, "16.09.2026": a full day moves on to the
// month by itself, so the "." typed after it must not move on once more
// (the month typed next would land in the year, and the old month stay).
class TypedDateEdit : public QDateEdit {
 public:
  explicit TypedDateEdit(QWidget* parent) : QDateEdit(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QLineEdit* line = lineEdit();
    const int at = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    if (event->text() == QStringLiteral(".") && at > 0 && line->text().at(at - 1) == QLatin1Char('.')) {
      event->accept();
      return;
    }
    QDateEdit::keyPressEvent(event);
  }
};

}  // namespace

TermDialog::TermDialog(const files::CalendarTerm& initial, const QString& note, QWidget* parent)
    : QDialog(parent), first_day_(new TypedDateEdit(this)), weeks_(new QSpinBox(this)), note_(new QLabel(note, this)) {
  setObjectName(QStringLiteral("TermDialog"));
  setWindowTitle(ToQString("Takvime aktar"));
  first_day_->setObjectName(QStringLiteral("TermFirstDay"));
  // The picker's month and day names are Turkish whatever the system's language.
  const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  first_day_->setLocale(turkish);
  first_day_->setCalendarPopup(true);
  first_day_->calendarWidget()->setLocale(turkish);
  first_day_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  first_day_->setDateRange(QDate(1900, 1, 1), QDate(2999, 12, 31));
  first_day_->setDate(QDate(initial.first_day.year, initial.first_day.month, initial.first_day.day));
  weeks_->setObjectName(QStringLiteral("TermWeeks"));
  weeks_->setRange(1, files::kMostWeeks);
  weeks_->setValue(initial.weeks);
  note_->setObjectName(QStringLiteral("TermNote"));
  note_->setTextFormat(Qt::PlainText);
  note_->setWordWrap(true);
  note_->setVisible(!note.isEmpty());

  auto* form = new QFormLayout;
  form->addRow(ToQString("Dönemin ilk günü:"_w), first_day_);
  form->addRow(ToQString("Hafta sayısı:"_w), weeks_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(ToQString("Tamam"));
  buttons->button(QDialogButtonBox::Cancel)->setText(ToQString("Vazgeç"_w));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note_);
  layout->addWidget(buttons);
}

files::CalendarTerm TermDialog::Term() const {
  const QDate date = first_day_->date();
  return {{date.year(), date.month(), date.day()}, weeks_->value()};
}

}  // namespace kiremo::shell
