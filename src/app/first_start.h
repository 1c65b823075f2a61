#pragma once

#include <string>

#include "text/notice.h"

// The first start of an installed program: its data folder in the user's
// home holds no catalogue yet.
namespace kiremo::app {

// When `data_folder` (ending in "/") has no catalogue, creates the empty
// catalogue and department list in DataBase/, so that the lists open empty
// and "Veri Al/Güncelle" has a catalogue to fill, and returns true.
// Raises IoError when they cannot be made.
bool PrepareEmptyCatalogue(const std::string& data_folder);

// How to fetch the first catalogue, shown in the window instead of empty
// lists without a word.
Notice NoCatalogueNotice();

}  // namespace kiremo::app
