#include "shell/export_window.h"

#include <QPrintDialog>
#include <QPrinter>

#include "shell/picture_files.h"
#include "shell/qt_text.h"
#include "shell/term_dialog.h"

namespace kiremo::shell {

std::optional<files::CalendarTerm> QtExportWindow::AskCalendarTerm(const files::CalendarTerm& initial,
                                                                   const std::string& note) {
  TermDialog dialog(initial, ToQString(note), owner_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Term();
}

void QtExportWindow::SavePicture(const std::string& path, const files::WeekPicture& picture) {
  WritePicture(path, picture);
}

void QtExportWindow::Print(const files::WeekPicture& picture) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, owner_);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer, picture);
}

}  // namespace kiremo::shell
