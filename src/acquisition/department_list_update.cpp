#include "acquisition/department_list_update.h"

#include <algorithm>
#include <set>

#include "acquisition/messages.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "text/cp1254.h"
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

bool IsDepartmentCode(std::string_view code) {
  return std::none_of(code.begin(), code.end(), [](char c) {
    const char32_t unicode = Cp1254ToUnicode(static_cast<unsigned char>(c));
    // Undefined bytes come back as the C1 controls of their value.
    return unicode < 0x20 || (unicode >= 0x7F && unicode <= 0x9F);
  });
}

DepartmentIndex TakeDepartments(const std::vector<std::string>& codes) {
  DepartmentIndex index;
  std::set<std::string> tables;
  for (const std::string& code : codes) {
    if (!IsDepartmentCode(code)) {
      ++index.refused;
    } else if (tables.insert(catalogue::TableName(code)).second) {
      index.codes.push_back(code);
    }
  }
  return index;
}

void BolumKoduGuncelle(const std::string& program_folder, const std::vector<std::string>& codes, UpdateReport& report) {
  catalogue::WriteDepartmentList(program_folder + std::string(catalogue::kDepartmentListNew), codes);
  report.Status(std::string(kDepartmentListUpdated));
}

}  // namespace kiremo::acquisition
