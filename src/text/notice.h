#pragma once

#include <string>

namespace kiremo {

enum class Icon { None, Error, Warning, Information };

// What a step tells the student in a message box with an OK button: the
// window shows it, kiremo-cli prints it. Texts are Windows-1254.
struct Notice {
  std::string caption;
  std::string text;
  Icon icon = Icon::None;
  friend bool operator==(const Notice&, const Notice&) = default;
};

}  // namespace kiremo
