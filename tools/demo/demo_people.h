#pragma once

#include <span>
#include <string_view>

// Invented teachers' names and the titles that apostrophes appear in. Texts
// are Windows-1254.
namespace kiremo::demo {

std::span<const std::string_view> FirstNames();
std::span<const std::string_view> Surnames();

// Course titles with an apostrophe, shared by several departments.
std::span<const std::string_view> ApostropheTitles();

}  // namespace kiremo::demo
