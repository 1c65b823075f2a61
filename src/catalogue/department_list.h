#pragma once

#include <string>
#include <vector>

// The department list file: one code per line, lines ended by CR LF, bytes
// as the schedule server wrote them.
namespace kiremo::catalogue {

// Every line, unchanged; a CR LF, a lone LF or a lone CR ends a line, and a
// last line without an end counts. IoError when the file cannot be read
// (or is not a regular file of at most 1 MB).
std::vector<std::string> ReadDepartmentList(const std::string& path);

// The lines, each followed by CR LF, written beside the file and renamed
// over it. IoError on failure; the old file then stays.
void WriteDepartmentList(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kiremo::catalogue
