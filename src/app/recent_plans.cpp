#include "app/recent_plans.h"

#include <algorithm>

#include "text/errors.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kSection = "ayarlar";

std::string Key(std::size_t k) { return "son_plan" + std::to_string(k + 1); }

// A line break would end the key's line in the settings file; a value is
// read trimmed, so a name with blanks at its ends would not come back.
bool Storable(const std::string& file) {
  return !file.empty() && file.find_first_of("\r\n") == std::string::npos &&
         static_cast<unsigned char>(file.front()) > ' ' && static_cast<unsigned char>(file.back()) > ' ';
}

}  // namespace

std::vector<std::string> RecentPlans::Files() const {
  std::vector<std::string> files;
  for (std::size_t k = 0; k < kMostPlans; ++k) {
    std::string file = settings_.ReadString(kSection, Key(k), "");
    if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) files.push_back(std::move(file));
  }
  return files;
}

void RecentPlans::Add(const std::string& file) {
  if (!Storable(file)) return;
  std::vector<std::string> files = Files();
  files.erase(std::remove(files.begin(), files.end(), file), files.end());
  files.insert(files.begin(), file);
  if (files.size() > kMostPlans) files.resize(kMostPlans);
  Store(files);
}

void RecentPlans::Remove(const std::string& file) {
  std::vector<std::string> files = Files();
  const auto kept = std::remove(files.begin(), files.end(), file);
  if (kept == files.end()) return;
  files.erase(kept, files.end());
  Store(files);
}

void RecentPlans::Store(const std::vector<std::string>& files) {
  try {
    for (std::size_t k = 0; k < kMostPlans; ++k) {
      const std::string value = k < files.size() ? files[k] : std::string();
      if (settings_.ReadString(kSection, Key(k), "") != value) settings_.WriteString(kSection, Key(k), value);
    }
  } catch (const Error&) {
    // The list stays as the file has it.
  }
}

}  // namespace kiremo::app
