#pragma once

#include <string>

namespace kiremo {

// The system's reason for a failed call (an errno value) as the student
// reads it in a box: Turkish for the reasons a file operation commonly
// meets, the system's own text otherwise; Windows-1254.
std::string ErrnoText(int errnum);

}  // namespace kiremo
