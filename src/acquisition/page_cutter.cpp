#include "acquisition/page_cutter.h"

#include <algorithm>

#include "text/text_helpers.h"

namespace kiremo::acquisition {

namespace {

constexpr std::size_t kCellsPerRow = 14;
constexpr std::size_t kMinimumCells = 27;

bool IsLineBreakTag(std::string_view text, std::size_t at) {
  if (at + 4 > text.size() || text[at] != '<' || text[at + 3] != '>') return false;
  const char b = text[at + 1];
  const char r = text[at + 2];
  return (b == 'b' || b == 'B') && (r == 'r' || r == 'R');
}

// A page sent whole ends its table and then itself after the last cell.
bool EndsAsWholePage(std::string_view tail) {
  const std::string lower = LowerAscii(tail);
  const std::size_t table = lower.find("</table>");
  return table != std::string::npos && lower.find("</html>", table) != std::string::npos;
}

}  // namespace

bool IsCrn(std::string_view text) {
  return text.size() == 5 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> CellList(std::string_view page) {
  std::string unfolded;
  unfolded.reserve(page.size());
  for (const char c : page) {
    if (c != '\n') unfolded += c;
  }
  std::string text;
  text.reserve(unfolded.size());
  for (std::size_t i = 0; i < unfolded.size();) {
    if (IsLineBreakTag(unfolded, i)) {
      text += '|';
      i += 4;
    } else {
      text += unfolded[i++];
    }
  }
  std::string_view rest(text);
  const std::size_t crn = rest.find("CRN");
  if (crn != std::string_view::npos) rest.remove_prefix(crn + 1);
  return Explode(rest, "</td>");
}

std::string CleanCell(std::string_view cell) {
  const std::string stripped = Striptags(cell);
  std::string_view value = TrimView(stripped);
  if (value.empty() || value.back() != '|') return std::string(value);
  value.remove_suffix(1);
  value = TrimView(value);
  std::string cleaned;
  cleaned.reserve(value.size());
  for (const char c : value) {
    if (c != ' ') cleaned += c;
  }
  return cleaned;
}

std::optional<SectionTable> SectionsOfCells(const std::vector<std::string>& cells) {
  if (cells.size() < kMinimumCells) return std::nullopt;
  SectionTable table;
  for (std::size_t c = kCellsPerRow; c + 12 < cells.size(); c += kCellsPerRow) {
    const std::string first = CleanCell(cells[c]);
    if (StartsWith(first, "||S")) break;
    if (!IsCrn(first)) {
      ++table.refused_rows;
      continue;
    }
    catalogue::SectionValues section;
    section.crn = first;
    section.ders_kodu = CleanCell(cells[c + 1]);
    section.ders_adi = CleanCell(cells[c + 2]);
    section.ogretmen = CleanCell(cells[c + 3]);
    section.bina = CleanCell(cells[c + 4]);
    section.gun = CleanCell(cells[c + 5]);
    section.saat = CleanCell(cells[c + 6]);
    section.derslik = CleanCell(cells[c + 7]);
    section.alabilenler = CleanCell(cells[c + 11]);
    section.blok = static_cast<int>(section.saat.size() / 9);
    table.sections.push_back(std::move(section));
  }
  return table;
}

std::optional<SectionTable> CutSectionTable(std::string_view page) { return SectionsOfCells(CellList(page)); }

bool PageCutOff(std::string_view page) {
  const std::size_t crn = page.find("CRN");
  if (crn == std::string_view::npos) return false;
  const std::size_t last_cell = page.rfind("</td>");
  const std::size_t tail = last_cell == std::string_view::npos || last_cell < crn ? crn : last_cell + 5;
  return !EndsAsWholePage(page.substr(tail));
}

std::optional<std::vector<catalogue::SectionValues>> CutSchedulePage(std::string_view page) {
  std::optional<SectionTable> table = CutSectionTable(page);
  if (!table) return std::nullopt;
  return std::move(table->sections);
}

}  // namespace kiremo::acquisition
