// Any bytes as the schedule server's department index page: the codes it
// yields are written to the department list file and must read back as the
// same lines, one code per line; the departments an update takes from them
// are each one table, once.
#include <cstddef>
#include <cstdint>
#include <set>

#include "acquisition/department_list_update.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "fuzz_support.h"
#include "text/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  const std::string_view page = fuzz::Bytes(data, size);

  const std::vector<std::string> codes = acquisition::DepartmentCodesOfIndexPage(page);
  // The piece before the first "</option>" never gives a code.
  KIREMO_EXPECT(codes.size() <= static_cast<std::size_t>(SubStrCount(page, "</option>")));
  for (const std::string& code : codes) {
    KIREMO_EXPECT(code.size() <= 3);
    KIREMO_EXPECT(Trim(code) == code);
  }

  const std::string list = fuzz::ScratchFolder() + "kodlar.dat";
  catalogue::WriteDepartmentList(list, codes);
  KIREMO_EXPECT(catalogue::ReadDepartmentList(list) == codes);

  // What an update takes: each department once, no code it cannot name a
  // table with, and every code of the page either taken, refused or a
  // repeat of one taken.
  const acquisition::DepartmentIndex index = acquisition::TakeDepartments(codes);
  std::set<std::string> tables;
  for (const std::string& code : index.codes) {
    KIREMO_EXPECT(acquisition::IsDepartmentCode(code));
    KIREMO_EXPECT(tables.insert(catalogue::TableName(code)).second);
  }
  KIREMO_EXPECT(index.codes.size() + static_cast<std::size_t>(index.refused) <= codes.size());
  return 0;
}
