#pragma once

#include <string>

// The catalogue and the department list are one state: the list names the
// departments whose tables the catalogue holds. An update builds the new
// pair beside the old one (DataBase/tempdb.dbs and DataBase/temp.dat) and
// switches both in at its end; a program killed at any moment leaves the
// old pair, or a switch that the next writer (or reader) completes.
namespace kiremo::catalogue {

// Switches the new pair in: a marker that the switch has begun, the new
// catalogue renamed over the main one, the new list over the old one, the
// marker removed. The new catalogue's log is folded into its file first;
// its writers have closed their connections. The caller holds the folder's
// lock. IoError or DatabaseError when the switch cannot begin (the old pair
// then stays) or a rename fails after it began (the next writer or reader
// completes it).
void SwitchInNewPair(const std::string& program_folder);

// For the holder of the lock, before anything else: completes a switch that
// a killed program began, or else removes what an unfinished update left
// (a new catalogue with its logs, a new list). True when a switch was
// completed.
bool TidyCatalogueFolder(const std::string& program_folder);

// Removes the new pair (the temporary catalogue with its logs and the new
// department list); what is not there is no failure. A switch that has
// begun is left for completion.
void RemoveNewPair(const std::string& program_folder);

// For readers, which take no lock: completes a switch a killed program
// began, if nobody holds the lock and the folder can be written. Never
// fails.
void CompleteInterruptedSwitch(const std::string& program_folder) noexcept;

}  // namespace kiremo::catalogue
