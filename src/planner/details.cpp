#include "planner/markers.h"
#include "planner/meetings.h"
#include "planner/planner.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

namespace {

// Replaces every occurrence from left to right; what was put in is not
// scanned again, so four blanks become two.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
    out.append(text.substr(start, at - start));
    out.append(to);
    start = at + from.size();
  }
  out.append(text.substr(start));
  return out;
}

const std::string& EntryOrEmpty(const std::vector<std::string>& list, int n) {
  static const std::string kNone;
  return n < static_cast<int>(list.size()) ? list[n] : kNone;
}

}  // namespace

void Planner::BilgiGoster(int grid_row, int grid_column) {
  const int v = OwnerOf(Cell(grid_column, grid_row));
  if (v == 0) {
    SetStatus({});
    return;
  }
  const int hour = HourOfSlot(grid_row);
  const TDers& ders = Ders(v);
  std::string line = " CRN : " + ders.CRN + "  [" + ders.DersAdi + "] - " + ders.Ogretmen;
  for (int n = 0, count = PaintedMeetings(ders); n < count; ++n) {
    const std::string& hours = ders.Saatler[n];
    const int start = StrToInt(Chars(hours, 0, 2));
    const int end = StrToInt(hours.size() >= 2 ? std::string_view(hours).substr(hours.size() - 2) : hours);
    if (start <= hour && hour < end && StrToInt(ders.Gunler[n]) == grid_column) {
      line += " - Bina : " + EntryOrEmpty(ders.Binalar, n) + " - Derslik : " + EntryOrEmpty(ders.Derslikler, n);
    }
  }
  SetStatus(line);
  details_row_ = v;
}

void Planner::BilgiAl(int row, int kind) {
  if (!IsCourseRow(row)) return;  // no "Bilgi" button pressed yet
  std::string address;
  if (kind == 1) {
    std::string code = Row(row).course.Text();
    if (code.empty() || code == kSecin) return;
    code = Trim(ReplaceAll(code, " ", ""));
    address = forum_url_ + "viewtopic.php?ders_kodu=" + code;
  } else if (kind == 0) {
    const std::string section = Row(row).section.Text();
    if (section.empty() || section == kSecin) return;
    const auto pieces = Explode(section, "::");
    if (pieces.size() < 2) return;
    std::string teacher = Trim(ReplaceAll(pieces[1], "  ", " "));
    teacher = Trim(ReplaceAll(teacher, "   ", " "));
    address = forum_url_ + "viewtopic.php?ou=" + URLEncode(teacher);
  } else {
    return;
  }
  if (observer_) observer_->OpenAddress(address);
}

}  // namespace kiremo::planner
