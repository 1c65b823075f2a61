#pragma once

#include <QWidget>

#include "app/export_window.h"

namespace kiremo::shell {

// The term dialog, picture files and the print dialog over the main window.
class QtExportWindow : public app::ExportWindow {
 public:
  explicit QtExportWindow(QWidget* owner) : owner_(owner) {}

  std::optional<files::CalendarTerm> AskCalendarTerm(const files::CalendarTerm& initial,
                                                     const std::string& note) override;
  void SavePicture(const std::string& path, const files::WeekPicture& picture) override;
  void Print(const files::WeekPicture& picture) override;

 private:
  QWidget* owner_;
};

}  // namespace kiremo::shell
