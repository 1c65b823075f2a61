#include <map>

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

// A meeting's day and hours, "Salı 14:30-16:29"; empty for a meeting that
// is not there.
std::string When(const std::string& day, const std::string& hours) {
  return day.empty() || hours.empty() ? day + hours : day + " " + hours;
}

// A meeting's day and hours together, "Salı 14:30-16:29 -> Çarşamba 10:30-12:29",
// when both moved; otherwise the one that did, the hours with their day
// ("Perşembe 10:30-12:29 -> 13:30-15:29").
std::string TimePhrase(const FieldChange* gun, const FieldChange* saat) {
  if (gun && saat) return Phrase("", When(gun->old_text, saat->old_text), When(gun->new_text, saat->new_text));
  if (gun) return Phrase("", gun->old_text, gun->new_text);
  // The hours alone moved: on which day.
  return Phrase(saat->day.empty() ? std::string("saat ") : saat->day + " ", saat->old_text, saat->new_text);
}

// The changes of one meeting (or of the whole section, meeting 0).
struct MeetingChanges {
  const FieldChange* ders_adi = nullptr;
  const FieldChange* ogretmen = nullptr;
  const FieldChange* gun = nullptr;
  const FieldChange* saat = nullptr;
  const FieldChange* bina = nullptr;
  const FieldChange* derslik = nullptr;
};

// The changes by meeting in one pass, so that a row with many meetings costs
// no more than its count; the first change of a field counts.
std::map<int, MeetingChanges> ByMeeting(const std::vector<FieldChange>& changes) {
  std::map<int, MeetingChanges> meetings;
  for (const FieldChange& change : changes) {
    MeetingChanges& m = meetings[change.meeting];
    const FieldChange** slot = change.field == "ders_adi"   ? &m.ders_adi
                               : change.field == "ogretmen" ? &m.ogretmen
                               : change.field == "gun"      ? &m.gun
                               : change.field == "saat"     ? &m.saat
                               : change.field == "bina"     ? &m.bina
                               : change.field == "derslik"  ? &m.derslik
                                                            : nullptr;
    if (slot && !*slot) *slot = &change;
  }
  return meetings;
}

std::string ChangedLine(const CourseCheck& course) {
  std::string line = course.course + " (" + course.crn + "):";
  const char* separator = " ";
  auto add = [&](const std::string& phrase) {
    line += separator + phrase;
    separator = "; ";
  };
  for (const auto& [meeting, m] : ByMeeting(course.changes)) {
    if (meeting == 0) {
      if (m.ders_adi) add(Phrase("ders adı "_w, m.ders_adi->old_text, m.ders_adi->new_text));
      if (m.ogretmen) add(Phrase("öğretmen "_w, m.ogretmen->old_text, m.ogretmen->new_text));
    } else if (meeting > 0) {
      if (m.gun || m.saat) add(TimePhrase(m.gun, m.saat));
      if (m.bina) add(Phrase("bina ", m.bina->old_text, m.bina->new_text));
      if (m.derslik) add(Phrase("derslik ", m.derslik->old_text, m.derslik->new_text));
    }
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
