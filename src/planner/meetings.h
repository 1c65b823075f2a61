#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "planner/tders.h"

// The weekly meetings of a section: from the catalogue's per-meeting texts
// into the lists of a row record, and from the record into grid cells.
namespace kiremo::planner {

// "1".."5" for the day codes "PA", "SA", "ÇA", "PE", "CU" (the first two
// characters of a day entry, ASCII letters upper-cased); empty for any other
// code, "BO" included.
std::string DayNumber(std::string_view day_entry);

// "SS:EE" from a time entry "SSMM/EEMM": characters 1-2, ":", characters
// 6-7. A shorter entry gives shorter pieces.
std::string HoursEntry(std::string_view time_entry);

struct MeetingLists {
  std::vector<std::string> Binalar;
  std::vector<std::string> Gunler;
  std::vector<std::string> Saatler;
  std::vector<std::string> Derslikler;
  int BlokSayisi = 0;
};

// Meetings 0..blok-1 of a catalogue row (the texts split at "|"; a missing
// piece reads as empty):
// - a meeting with a weekday goes into all four lists and is painted;
// - the last meeting without a weekday ("BO") keeps its building, hours and
//   room but has no day, and is not painted;
// - an earlier meeting without a weekday is left out of all four lists, so
//   that index n describes the same meeting in every list.
// BlokSayisi counts the painted meetings, which is the size of Gunler.
MeetingLists SplitMeetings(std::string_view bina, std::string_view gun, std::string_view saat, std::string_view derslik,
                           int blok);

// How many meetings a walk visits: BlokSayisi, but never past the end of
// Gunler or Saatler (a plan file may hold any count).
int PaintedMeetings(const TDers& ders);

// Where meeting n lies: its day number and its hours, start included, end
// excluded.
struct MeetingSpan {
  int day = 0;
  int start_hour = 0;
  int end_hour = 0;
};

// The integer values of Gunler[n] and of characters 1-2 and 4-5 of
// Saatler[n]; ConversionError when one is not a number.
MeetingSpan SpanOf(const TDers& ders, int n);

// The same, nothing when an entry is not a number.
std::optional<MeetingSpan> SpanOfOrNone(const TDers& ders, int n);

// Characters [start, start + count) of a text, fewer or none near its end.
std::string_view Chars(std::string_view text, std::size_t start, std::size_t count);

}  // namespace kiremo::planner
