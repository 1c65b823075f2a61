#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/section_values.h"

// Cutting a department's schedule page into the sections to store.
namespace kiremo::acquisition {

// A department's section table: its sections in page order, and how many
// of its data rows were refused because their CRN is not five digits.
struct SectionTable {
  std::vector<catalogue::SectionValues> sections;
  int refused_rows = 0;
};

// Whether a text is a CRN: exactly five decimal digits. Anything else in
// that cell is not a section the registration system knows, and a CRN ends
// up inside the add/drop script, so it must never carry anything but digits.
bool IsCrn(std::string_view text);

// The page's cells: line feeds removed, every "<br>" (any case) made "|",
// the text from the first "CRN" on without its "C", cut at every "</td>".
std::vector<std::string> CellList(std::string_view page);

// A cell as it is stored: tags dropped, trimmed, and a cell that ends in "|"
// loses that "|" and every blank.
std::string CleanCell(std::string_view cell);

// The section table of a cell list, cells cleaned; a row whose CRN is not
// five digits is refused and counted. Nothing when the list has fewer than
// 27 cells (no complete data row): no section table.
std::optional<SectionTable> SectionsOfCells(const std::vector<std::string>& cells);

// CellList followed by SectionsOfCells.
std::optional<SectionTable> CutSectionTable(std::string_view page);

// The sections alone, for readers that do not report refused rows.
std::optional<std::vector<catalogue::SectionValues>> CutSchedulePage(std::string_view page);

// Whether a page was cut off after its table began: it holds "CRN", but
// what follows its last cell (or the "CRN", when no cell follows) is not
// the end of a page, a "</table>" and after it a "</html>" in any case. Its
// rows may be missing, however few cells it has. A page without "CRN" is
// never cut off by this measure.
bool PageCutOff(std::string_view page);

}  // namespace kiremo::acquisition
