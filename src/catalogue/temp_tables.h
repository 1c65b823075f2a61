#pragma once

#include <string>

#include "view/widgets.h"

namespace kiremo::catalogue {

// Prepares the temporary catalogue of a full update: copies the main
// catalogue unless a temporary one exists already, then gives every listed
// department an empty table (DROP errors ignored, CREATE errors raised) and
// says "Geçici Tablolar Yaratıldı" on the status line. IoError when the
// department list cannot be read, DatabaseError when the temporary
// catalogue cannot be opened or a table cannot be made.
void CreateTempTables(const std::string& program_folder, ui::TextLine& status);

}  // namespace kiremo::catalogue
