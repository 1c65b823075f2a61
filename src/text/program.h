#pragma once

#include <string>
#include <string_view>

#include "text/cp1254.h"

namespace kiremo {

inline constexpr std::string_view kVersionText = "1.51";

// "ZEMÜ Kiremo " followed by the version text: the window caption and the
// about box's title line.
inline std::string ProgramTitle() {
  std::string title("ZEMÜ Kiremo "_w);
  title += kVersionText;
  return title;
}

}  // namespace kiremo
