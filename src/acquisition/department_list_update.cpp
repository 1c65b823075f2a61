#include "acquisition/department_list_update.h"

#include "acquisition/addresses.h"
#include "acquisition/messages.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
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

void BolumKoduGuncelle(const std::string& program_folder, const std::string& schedule_host, Fetcher& fetcher,
                       UpdateReport& report) {
  std::string page;
  try {
    page = fetcher.Get(DepartmentIndexUrl(schedule_host));
  } catch (const FetchError&) {
    report.Show({std::string(kCaptionError), std::string(kConnectionFailed), Icon::None});
    return;
  }
  const std::vector<std::string> codes = DepartmentCodesOfIndexPage(page);
  // A page without options is the server's error page, not an empty term:
  // the list we have is worth more than none.
  if (codes.empty()) return;

  // The new list is complete on disk before it takes the old one's place.
  const std::string fresh = program_folder + std::string(catalogue::kDepartmentListNew);
  catalogue::WriteDepartmentList(fresh, codes);
  ReplaceFile(fresh, program_folder + std::string(catalogue::kDepartmentList));
  report.Status(std::string(kDepartmentListUpdated));
}

}  // namespace kiremo::acquisition
