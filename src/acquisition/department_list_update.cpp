#include "acquisition/department_list_update.h"

#include "acquisition/messages.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

std::vector<std::string> DepartmentCodesOfIndexPage(std::string_view page) {
  const std::vector<std::string_view> pieces = ExplodeViews(page, "</option>");
  std::vector<std::string> codes;
  for (std::size_t k = 1; k < pieces.size(); ++k) {
    const std::size_t at = pieces[k].find("\">");
    if (at == std::string_view::npos) continue;
    const std::string_view code = TrimView(pieces[k].substr(at + 2, 3));
    // The list file holds one code per line: a line break inside ends it.
    codes.push_back(Trim(code.substr(0, code.find_first_of("\r\n"))));
  }
  return codes;
}

std::vector<std::string> BolumKoduGuncelle(const std::string& program_folder, std::string_view page,
                                           UpdateReport& report) {
  std::vector<std::string> codes = DepartmentCodesOfIndexPage(page);
  if (codes.empty()) return codes;
  catalogue::WriteDepartmentList(program_folder + std::string(catalogue::kDepartmentListNew), codes);
  report.Status(std::string(kDepartmentListUpdated));
  return codes;
}

}  // namespace kiremo::acquisition
