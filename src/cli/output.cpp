#include "cli/output.h"

#include "text/cp1254.h"

namespace kiremo::cli {

void PrintLine(std::ostream& out, std::string_view cp1254_text) { out << Cp1254ToUtf8(cp1254_text) << '\n'; }

nlohmann::json JsonText(std::string_view cp1254_text) { return Cp1254ToUtf8(cp1254_text); }

nlohmann::json JsonTexts(const std::vector<std::string>& cp1254_texts) {
  nlohmann::json list = nlohmann::json::array();
  for (const std::string& text : cp1254_texts) list.push_back(JsonText(text));
  return list;
}

void PrintJson(std::ostream& out, const nlohmann::json& value) { out << value.dump(2) << '\n'; }

bool ReportNotices(const std::vector<Notice>& notices, std::size_t first, std::ostream& err) {
  bool failed = false;
  for (std::size_t k = first; k < notices.size(); ++k) {
    PrintLine(err, notices[k].caption + ": " + notices[k].text);
    failed = failed || notices[k].caption == "HATA";
  }
  return failed;
}

}  // namespace kiremo::cli
