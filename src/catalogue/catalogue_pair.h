#pragma once

#include <string>

#include "text/errors.h"

// The catalogue and the department list are one state: the list names the
// departments whose tables the catalogue holds. An update builds the new
// pair beside the old one (DataBase/tempdb.dbs and DataBase/temp.dat) and
// switches both in at its end; a program killed at any moment leaves the
// old pair, or a switch that the next writer (or reader) completes.
namespace kiremo::catalogue {

// A switch that could not be made, told in the student's words: what was
// put in place and what was not.
class SwitchError : public IoError {
 public:
  SwitchError(const std::string& message, bool begun) : IoError(message), begun_(begun) {}
  // The new catalogue is in place but the new list is not: the switch stays
  // marked, for the next writer or reader to complete.
  bool Begun() const { return begun_; }

 private:
  bool begun_;
};

// Switches the new pair in. The new catalogue's log is folded into its file
// first (its writers have closed their connections), and every file the
// switch replaces is checked before anything moves: a link at
// DataBase/dbase.dbs or DataBase/kodlar.dat is written through (the file it
// leads to is replaced in its own folder, and the link stays), while a
// folder in the way, a folder that cannot be written or a link to another
// file system refuses the switch. Then, with readers kept out: a marker
// that the switch has begun, the new catalogue renamed over the main one,
// the new list over the old one, a main catalogue set aside as damaged
// removed, the marker removed. The caller holds the folder's lock.
// SwitchError when it cannot be made (nothing moved, or only the
// catalogue: see Begun), DiskFullError when the marker finds no room,
// DatabaseError when the new catalogue's log cannot be folded in.
void SwitchInNewPair(const std::string& program_folder);

// For the holder of the lock, before anything else: completes a switch that
// a killed program began, or else removes what an unfinished update left
// (a new catalogue with its logs, a new list, the temporaries of their
// writes) and puts a main catalogue set aside as damaged back. True when a
// switch was completed; SwitchError when a begun one cannot be.
bool TidyCatalogueFolder(const std::string& program_folder);

// Removes the new pair (the temporary catalogue with its logs and the new
// department list) and puts a main catalogue set aside as damaged back;
// what is not there is no failure. A switch that has begun is left for
// completion.
void RemoveNewPair(const std::string& program_folder);

// An update that cannot start from the main catalogue sets it aside as
// DataBase/dbase.dbs.bozuk (beside the file a link leads to), where it
// stays until the switch removes it, or until an update that ends without
// a switch puts it back. True when there was a file to set aside; IoError
// when it could not be moved.
bool SetAsideMainCatalogue(const std::string& program_folder);

// What is left of a switch that a killed program began, once a reader has
// tried to complete it.
struct UnfinishedSwitch {
  std::string reason;    // why it is not complete; empty when none is left
  bool waiting = false;  // an update holds the lock and may complete it soon
};

// For readers, which take no writer's lock: completes a switch a killed
// program began, if nobody holds the lock and the folder can be written.
// Never fails: says why a begun switch is still not complete (the folder is
// read-only, an update holds the lock, a file is in the way).
UnfinishedSwitch CompleteInterruptedSwitch(const std::string& program_folder) noexcept;

}  // namespace kiremo::catalogue
