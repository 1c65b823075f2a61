#pragma once

#include <string>

#include "app/export_window.h"
#include "app/ini_file.h"
#include "planner/planner.h"
#include "view/main_view.h"

// The menu items that take the week out of the program: "Takvime aktar
// (.ics)…", "Resim olarak kaydet…" and "Yazdır…". A plan without a committed
// course is told so and nothing is asked or written.
namespace kiremo::app {

// config.ini, section "ayarlar": the term's first day last given, YYYY-MM-DD.
inline constexpr std::string_view kTermStartKey = "donem_baslangici";

class ExportCommands {
 public:
  ExportCommands(planner::Planner& planner, ui::MainView& view, IniFile& settings)
      : planner_(planner), view_(view), settings_(settings) {}

  // Nothing is exported until the window hands in its part.
  void SetWindow(ExportWindow* window) { window_ = window; }

  // The term dialog (the first day last given, or today, and 14 weeks), the
  // first day remembered, then a save dialog; ".ics" is added when missing.
  void CalendarExport();
  // A save dialog, then the picture as PNG or PDF; a name without extension
  // gets ".png".
  void PictureExport();
  void PrintWeek();

  // The term the dialog starts from.
  files::CalendarTerm StoredTerm() const;

 private:
  // True after the box that tells a plan without a committed course.
  bool NothingCommitted(const files::WeekPicture& picture);
  void Tell(const std::string& caption, const std::string& text, ui::Icon icon);

  planner::Planner& planner_;
  ui::MainView& view_;
  IniFile& settings_;
  ExportWindow* window_ = nullptr;
};

}  // namespace kiremo::app
