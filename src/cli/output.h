#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "text/notice.h"

// Terminal output: the program's Windows-1254 texts are written as UTF-8,
// in lines or as JSON.
namespace kiremo::cli {

// One line of text, converted to UTF-8.
void PrintLine(std::ostream& out, std::string_view cp1254_text);

// A JSON string value of a Windows-1254 text.
nlohmann::json JsonText(std::string_view cp1254_text);
nlohmann::json JsonTexts(const std::vector<std::string>& cp1254_texts);

void PrintJson(std::ostream& out, const nlohmann::json& value);

// The boxes from `first` on, as "CAPTION: text" lines; true when one of
// them reported a failure (a "HATA" box).
bool ReportNotices(const std::vector<Notice>& notices, std::size_t first, std::ostream& err);

}  // namespace kiremo::cli
