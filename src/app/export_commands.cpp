#include "app/export_commands.h"

#include <ctime>

#include "files/calendar_meetings.h"
#include "files/export_file.h"
#include "text/cp1254.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kSection = "ayarlar";

}  // namespace

files::CalendarTerm ExportCommands::StoredTerm() const {
  const auto stored = files::ParseTermDate(settings_.ReadString(kSection, kTermStartKey, ""));
  return {stored.value_or(files::LocalToday()), files::kDefaultWeeks};
}

void ExportCommands::CalendarExport() {
  if (!window_) return;
  const files::CalendarMeetings meetings = files::MeetingsOf(planner_);
  try {
    files::RequireCalendarMeetings(meetings);
  } catch (const files::NothingToExport& e) {
    Tell("Mesaj", e.what(), ui::Icon::Warning);
    return;
  }
  const auto term = window_->AskCalendarTerm(StoredTerm(), files::LeftOutText(meetings.left_out));
  if (!term) return;
  try {
    settings_.WriteString(kSection, kTermStartKey, files::FormatTermDate(term->first_day));
  } catch (const Error&) {
    // Only the next dialog's starting day is lost; the calendar goes ahead.
  }
  const auto path = view_.Dialog().AskSaveFile(std::string(files::kCalendarFilter), {});
  if (!path) return;
  try {
    files::WriteCalendarFile(files::WithCalendarExtension(*path), meetings, *term, std::time(nullptr));
  } catch (const files::FileCommandError& e) {
    Tell("HATA", e.what(), ui::Icon::Error);
  }
}

void ExportCommands::PictureExport() {
  if (!window_) return;
  const files::WeekPicture picture = files::PictureOf(planner_);
  if (NothingCommitted(picture)) return;
  const auto chosen = view_.Dialog().AskSaveFile(std::string(files::kPictureFilter), {});
  if (!chosen) return;
  const std::string path = files::WithPictureExtension(*chosen);
  if (!files::PictureFormatOf(path)) {
    Tell("HATA", files::PictureFormatText(path), ui::Icon::Error);
    return;
  }
  try {
    window_->SavePicture(path, picture);
  } catch (const Error& e) {
    Tell("HATA", files::PictureFailedText(path, e.what()), ui::Icon::Error);
  }
}

void ExportCommands::PrintWeek() {
  if (!window_) return;
  const files::WeekPicture picture = files::PictureOf(planner_);
  if (NothingCommitted(picture)) return;
  try {
    window_->Print(picture);
  } catch (const Error& e) {
    Tell("HATA", std::string("Yazdırılamadı: "_w) + e.what() + ".", ui::Icon::Error);
  }
}

bool ExportCommands::NothingCommitted(const files::WeekPicture& picture) {
  if (!picture.legend.empty()) return false;
  Tell("Mesaj", files::NoCommittedCourseText(), ui::Icon::Warning);
  return true;
}

void ExportCommands::Tell(const std::string& caption, const std::string& text, ui::Icon icon) {
  view_.Dialog().Message(caption, text, icon);
}

}  // namespace kiremo::app
