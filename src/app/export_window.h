#pragma once

#include <optional>
#include <string>

#include "files/calendar_term.h"
#include "files/week_picture.h"

namespace kiremo::app {

// What the week's exports need from the window beyond boxes and file
// dialogs: the term dialog, drawing the picture into a file, and printing.
class ExportWindow {
 public:
  virtual ~ExportWindow() = default;
  // Asks for the term's first day and its number of weeks, starting from
  // `initial`; `note` (empty or a sentence) is shown under them. Nothing
  // when the student cancels.
  virtual std::optional<files::CalendarTerm> AskCalendarTerm(const files::CalendarTerm& initial,
                                                             const std::string& note) = 0;
  // Draws the picture into the file, PNG or PDF by its extension. Error
  // with the reason when it cannot be written.
  virtual void SavePicture(const std::string& path, const files::WeekPicture& picture) = 0;
  // The print dialog, then the printer; nothing is printed when the student
  // cancels. Error with the reason when printing fails.
  virtual void Print(const files::WeekPicture& picture) = 0;
};

}  // namespace kiremo::app
