#pragma once

#include <array>
#include <span>
#include <string_view>

// The invented departments of the demo term. Texts are Windows-1254.
namespace kiremo::demo {

enum class DepartmentKind {
  kEngineering,  // many courses of a few sections, a graduation project
  kScience,      // first-year courses of many sections taken by everybody
  kService,      // a few courses of many sections, mostly open to all
  kSocial,       // many courses of a few sections
  kEmpty,        // its page has the header row only
};

struct DepartmentInfo {
  std::string_view code;
  std::string_view name;
  std::string_view building;  // where most of its meetings are
  DepartmentKind kind;
  std::array<std::string_view, 5> topics;  // stems of its course titles
  std::string_view related;                // codes of departments that also take its courses, blank-separated
};

// In the order of the department index page.
std::span<const DepartmentInfo> DemoDepartments();

std::span<const std::string_view> DemoBuildings();

}  // namespace kiremo::demo
