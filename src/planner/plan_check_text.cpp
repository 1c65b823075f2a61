#include <algorithm>

#include "planner/markers.h"
#include "planner/plan_check.h"
#include "text/cp1254.h"

namespace kiremo::planner {

namespace {

// Windows-1254 has no arrow.
constexpr std::string_view kArrow = " -> ";

std::string OrNone(const std::string& text) { return text.empty() ? std::string("yok") : text; }

std::string Phrase(std::string_view label, const std::string& old_text, const std::string& new_text) {
  return std::string(label) + OrNone(old_text) + std::string(kArrow) + OrNone(new_text);
}

const FieldChange* Find(const std::vector<FieldChange>& changes, int meeting, std::string_view field) {
  for (const FieldChange& change : changes) {
    if (change.meeting == meeting && change.field == field) return &change;
  }
  return nullptr;
}

// A meeting's day and hours together, "Salı 14:30-16:29 -> Çarşamba 10:30-12:29",
// when both moved; otherwise the one that did, the hours with their day
// ("Perşembe 10:30-12:29 -> 13:30-15:29").
std::string TimePhrase(const FieldChange* gun, const FieldChange* saat) {
  if (gun && saat) {
    return Phrase("", gun->old_text + " " + saat->old_text, gun->new_text + " " + saat->new_text);
  }
  if (gun) return Phrase("", gun->old_text, gun->new_text);
  // The hours alone moved: on which day.
  return Phrase(saat->day.empty() ? std::string("saat ") : saat->day + " ", saat->old_text, saat->new_text);
}

std::string ChangedLine(const CourseCheck& course) {
  std::string line = course.course + " (" + course.crn + "):";
  const char* separator = " ";
  auto add = [&](const std::string& phrase) {
    line += separator + phrase;
    separator = "; ";
  };
  if (const auto* name = Find(course.changes, 0, "ders_adi"))
    add(Phrase("ders adı "_w, name->old_text, name->new_text));
  if (const auto* who = Find(course.changes, 0, "ogretmen")) add(Phrase("öğretmen "_w, who->old_text, who->new_text));
  int meetings = 0;
  for (const FieldChange& change : course.changes) meetings = std::max(meetings, change.meeting);
  for (int n = 1; n <= meetings; ++n) {
    const FieldChange* gun = Find(course.changes, n, "gun");
    const FieldChange* saat = Find(course.changes, n, "saat");
    if (gun || saat) add(TimePhrase(gun, saat));
    if (const auto* bina = Find(course.changes, n, "bina")) add(Phrase("bina ", bina->old_text, bina->new_text));
    if (const auto* room = Find(course.changes, n, "derslik")) add(Phrase("derslik ", room->old_text, room->new_text));
  }
  return line;
}

std::string VanishedLine(const CourseCheck& course) {
  std::string line = course.course + " (" + course.crn + std::string(") artık açılmıyor"_w);
  if (!course.now_course.empty()) line += std::string(" (bu CRN şimdi "_w) + course.now_course + " dersinin)";
  if (course.locked) line += std::string("; bu şubeyi sabitlemiştin: "_w) + std::string(kLockGoneAdvice);
  return line;
}

std::string CourseOfRow(const PlanCheck& check, int row) {
  for (const CourseCheck& course : check.courses) {
    if (course.row == row) return course.course;
  }
  return std::to_string(row) + ". ders";
}

}  // namespace

std::string CheckText(const PlanCheck& check) {
  std::string text;
  for (const CourseCheck& course : check.courses) {
    if (course.status == CheckStatus::Changed) text += ChangedLine(course) + "\n";
    if (course.status == CheckStatus::Vanished) text += VanishedLine(course) + "\n";
  }
  for (const auto& [a, b] : check.clashes) {
    text += CourseOfRow(check, a) + " ile " + CourseOfRow(check, b) +
            std::string(" yeni bilgilerle aynı saatlere düşüyor\n"_w);
  }
  for (const CourseCheck& course : check.courses) {
    if (!course.now_busy.empty()) text += OverBusyText(course.course, course.crn, course.now_busy) + "\n";
  }
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace kiremo::planner
