#include "catalogue/department_list.h"

#include "catalogue/file_system.h"

namespace kiremo::catalogue {

std::vector<std::string> ReadDepartmentList(const std::string& path) {
  const std::string bytes = ReadWholeFile(path, kDepartmentListLimit);
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.push_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

void WriteDepartmentList(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  WriteFileAtomically(path, bytes);
}

}  // namespace kiremo::catalogue
