#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/section_values.h"

// Cutting a department's schedule page into the sections to store.
namespace kiremo::acquisition {

// The page's cells: line feeds removed, every "<br>" (any case) made "|",
// the text from the first "CRN" on without its "C", cut at every "</td>".
std::vector<std::string> CellList(std::string_view page);

// A cell as it is stored: tags dropped, trimmed, and a cell that ends in "|"
// loses that "|" and every blank.
std::string CleanCell(std::string_view cell);

// The sections of a cell list in page order, cells cleaned. Nothing when the
// list has fewer than 27 cells (no complete data row): no section table.
std::optional<std::vector<catalogue::SectionValues>> SectionsOfCells(const std::vector<std::string>& cells);

// CellList followed by SectionsOfCells.
std::optional<std::vector<catalogue::SectionValues>> CutSchedulePage(std::string_view page);

}  // namespace kiremo::acquisition
