#pragma once

#include <string>

// Where the files of the catalogue pair really are, and whether the switch
// can put a new file there.
namespace kiremo::catalogue {

// The file a name stands for: the name itself, or, when it is a symbolic
// link, the file it leads to, link after link (the last may lead to a file
// not yet there). A switch replaces that file in its own folder, so that the
// link stays a link. IoError for a chain of links that never ends.
std::string FinalTarget(const std::string& name);

// Checks, before anything moves, that `fresh` can be renamed over what
// `name` stands for: not a folder, in a folder that can be written, and on
// the same file system as `fresh` (a rename is one step only there).
// Returns the file to rename over; IoError saying what stands in the way.
std::string CheckSwitchTarget(const std::string& fresh, const std::string& name);

// A path as a student reads it in a message: in quotes, Windows-1254.
std::string QuotedPath(const std::string& path);

}  // namespace kiremo::catalogue
