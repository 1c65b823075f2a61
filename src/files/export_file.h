#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "files/calendar_meetings.h"
#include "files/calendar_term.h"
#include "files/plan_io.h"
#include "text/cp1254.h"

// The week leaving the program: the calendar file, and what every export
// (calendar, picture, print) says when the plan holds nothing to export.
namespace kiremo::files {

inline constexpr std::string_view kCalendarFilter = "Takvim Dosyaları (*.ics)|*.ics"_w;
inline constexpr std::string_view kPictureFilter = "PNG Resmi (*.png)|*.png|PDF Belgesi (*.pdf)|*.pdf"_w;

// A plan without a committed course, or whose courses have no meeting to
// show: nothing is written. The message is the whole box text.
class NothingToExport : public FileCommandError {
 public:
  using FileCommandError::FileCommandError;
};

// The text of NothingToExport for a plan without a committed course.
std::string NoCommittedCourseText();

// NothingToExport unless some meeting can go into a calendar.
void RequireCalendarMeetings(const CalendarMeetings& meetings);

// The term dialog's note on the meetings a calendar leaves out; empty for none.
std::string LeftOutText(int left_out);

struct CalendarWritten {
  int events = 0;
  int left_out = 0;
};

// Writes the meetings as an iCalendar file (beside the file, then renamed
// over it). NothingToExport when no meeting can be written, FileCommandError
// with the reason when the file cannot be written; no file is made then.
CalendarWritten WriteCalendarFile(const std::string& path, const CalendarMeetings& meetings, const CalendarTerm& term,
                                  std::time_t stamp);

// The path with ".ics" added unless it ends in it (letter case ignored).
std::string WithCalendarExtension(const std::string& path);

enum class PictureFormat { kPng, kPdf };

// By the extension, letter case ignored: ".png" or ".pdf"; nothing for any other.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// A name typed without any extension gets ".png"; others stay as they are.
std::string WithPictureExtension(const std::string& path);

// The box text for a picture name with an extension other than .png and .pdf.
std::string PictureFormatText(const std::string& path);

// The box text for a picture that could not be written, and the reason.
std::string PictureFailedText(const std::string& path, const std::string& reason);

}  // namespace kiremo::files
