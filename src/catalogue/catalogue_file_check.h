#pragma once

#include <string>

// What stands at a catalogue's path before the engine opens it.
namespace kiremo::catalogue {

// The engine opens whatever is at the path: a pipe would stall the first
// read for ever, and a file of no bytes (what a failed copy or a full disk
// leaves) it would take for an empty catalogue and write one into. Only a
// regular file with bytes in it passes, and a log beside it must be a
// regular file too. DamagedCatalogueError for a missing, empty or
// irregular file (or a missing catalogue folder), DatabaseError naming what
// else stands in the way: a catalogue folder that is no folder, a file the
// system will not show.
void CheckCatalogueFile(const std::string& path);

// Whether the file system of a folder has no free inode or block left for
// an ordinary user.
bool NoRoomLeft(const std::string& folder);

}  // namespace kiremo::catalogue
