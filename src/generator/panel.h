#pragma once

#include <array>
#include <string>

namespace kiremo::generator {

// The generator panel and the department filter as the student left them,
// texts as the fields hold them.
struct GeneratorPanel {
  std::string first_hour = "9";                        // EditSt
  std::string end_hour = "19";                         // EditEnd
  std::array<bool, 5> free_days{};                     // chk1..chk5, Monday..Friday
  std::string unwanted_buildings = "MKB,ISB,MMB,GDB";  // Edit2
  bool own_department_only = true;                     // CheckBox1
  std::string own_department = "ELK";                  // Edit1
};

}  // namespace kiremo::generator
