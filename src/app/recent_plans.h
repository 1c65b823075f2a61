#pragma once

#include <string>
#include <vector>

#include "app/ini_file.h"

namespace kiremo::app {

// "Son açılanlar": the plan files opened or saved last, newest first, kept
// in the settings file so that they outlive the session.
class RecentPlans {
 public:
  static constexpr std::size_t kMostPlans = 8;

  explicit RecentPlans(IniFile& settings) : settings_(settings) {}

  std::vector<std::string> Files() const;
  // The file goes to the top of the list (once).
  void Add(const std::string& file);
  void Remove(const std::string& file);

 private:
  // A settings file that cannot be written keeps the list it had: the list
  // is a convenience, not worth a message.
  void Store(const std::vector<std::string>& files);

  IniFile& settings_;
};

}  // namespace kiremo::app
