#pragma once

#include <QDialog>

#include "files/calendar_term.h"

class QDateEdit;
class QLabel;
class QSpinBox;

namespace kiremo::shell {

// "Takvime aktar": the term's first day (a date picker), its number of
// weeks (1..52) and an optional note under them.
class TermDialog : public QDialog {
  Q_OBJECT

 public:
  TermDialog(const files::CalendarTerm& initial, const QString& note, QWidget* parent);

  files::CalendarTerm Term() const;

 private:
  QDateEdit* first_day_;
  QSpinBox* weeks_;
  QLabel* note_;
};

}  // namespace kiremo::shell
