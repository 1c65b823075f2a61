#pragma once

#include <string>

#include "files/sheet_export.h"

namespace kiremo::files {

// Writes the cells as the first sheet of a new .xlsx workbook: every cell
// in font size 8, the heading row and column bold, body cells wrapped so
// that their line feeds show. Texts go in as UTF-8. The workbook is built
// in a private folder beside the target and then replaces it as every file
// of the program does (WriteFileAtomically); IoError (with the reason) when
// it cannot be written, and the target is then unchanged.
void WriteWorkbook(const std::string& path, const SheetCells& cells);

}  // namespace kiremo::files
