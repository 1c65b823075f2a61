#include "cli/index_page.h"

#include "acquisition/text/text_helpers.h"

namespace kiremo::cli {

std::vector<std::string> DepartmentCodesOfIndexPage(std::string_view page) {
  std::vector<std::string> codes;
  const std::vector<std::string_view> pieces = ExplodeViews(page, "</option>");
  for (std::size_t k = 1; k < pieces.size(); ++k) {
    const std::size_t at = pieces[k].find("\">");
    if (at == std::string_view::npos) continue;
    std::string code = Trim(pieces[k].substr(at + 2, 3));
    if (!code.empty()) codes.push_back(std::move(code));
  }
  return codes;
}

}  // namespace kiremo::cli
