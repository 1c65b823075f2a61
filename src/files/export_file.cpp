#include "files/export_file.h"

#include "catalogue/file_system.h"
#include "files/calendar_writer.h"
#include "text/text_helpers.h"

namespace kiremo::files {

namespace {

std::string Quoted(const std::string& path) { return "\"" + Utf8ToCp1254(path) + "\""; }

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && SameTextIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

std::string NoCommittedCourseText() {
  return std::string(
      "Programda eklenmiş ders yok, aktarılacak bir şey bulunamadı.\n"
      "Önce derslerinizi \"Ekle\" düğmesiyle programa ekleyin."_w);
}

void RequireCalendarMeetings(const CalendarMeetings& meetings) {
  if (!meetings.committed) throw NothingToExport(NoCommittedCourseText());
  if (meetings.meetings.empty()) {
    throw NothingToExport(
        std::string("Programdaki derslerin hiçbirinin günü ve saati belli değil; takvime "
                    "aktarılacak ders saati yok."_w));
  }
}

std::string LeftOutText(int left_out) {
  if (left_out <= 0) return {};
  return std::string("Günü ya da saati belli olmayan "_w) + std::to_string(left_out) +
         std::string(" ders saati takvime aktarılmayacak."_w);
}

CalendarWritten WriteCalendarFile(const std::string& path, const CalendarMeetings& meetings, const CalendarTerm& term,
                                  std::time_t stamp) {
  RequireCalendarMeetings(meetings);
  std::string text;
  try {
    text = CalendarText(meetings, term, stamp);
    WriteFileAtomically(path, text);
  } catch (const Error& e) {
    std::string reason = e.what();
    const std::string prefix = path + ": ";
    if (StartsWith(reason, prefix)) reason.erase(0, prefix.size());
    throw FileCommandError(std::string("Takvim "_w) + Quoted(path) + std::string(" dosyasına yazılamadı: "_w) + reason +
                           ".");
  }
  return {static_cast<int>(meetings.meetings.size()), meetings.left_out};
}

std::string WithCalendarExtension(const std::string& path) {
  return EndsWithIgnoringCase(path, ".ics") ? path : path + ".ics";
}

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
  if (EndsWithIgnoringCase(path, ".png")) return PictureFormat::kPng;
  if (EndsWithIgnoringCase(path, ".pdf")) return PictureFormat::kPdf;
  return std::nullopt;
}

std::string WithPictureExtension(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  return name.find('.') == std::string_view::npos ? path + ".png" : path;
}

std::string PictureFormatText(const std::string& path) {
  return Quoted(path) + std::string(" kaydedilemedi: resim yalnızca .png ya da .pdf uzantısıyla kaydedilebilir."_w);
}

std::string PictureFailedText(const std::string& path, const std::string& reason) {
  return std::string("Resim "_w) + Quoted(path) + std::string(" dosyasına yazılamadı: "_w) + reason + ".";
}

}  // namespace kiremo::files
