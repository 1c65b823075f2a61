// Any bytes as a department's schedule page: the cutter must end, read only
// the page, and give sections whose values are cleaned as stored values are
// and whose CRNs are five digits.
#include <cstddef>
#include <cstdint>

#include "acquisition/page_cutter.h"
#include "fuzz_support.h"
#include "text/text_helpers.h"

namespace {

bool Cleaned(const std::string& value) {
  return kiremo::TrimView(value).size() == value.size() && value.find('\n') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  const std::string_view page = fuzz::Bytes(data, size);

  const std::vector<std::string> cells = acquisition::CellList(page);
  const auto table = acquisition::SectionsOfCells(cells);
  KIREMO_EXPECT(table.has_value() == (cells.size() >= 27));
  if (!table) return 0;
  // One section or one refused row per complete data row at most; the
  // header row is never one.
  KIREMO_EXPECT(table->sections.size() + static_cast<std::size_t>(table->refused_rows) <= cells.size() / 14);
  for (const catalogue::SectionValues& s : table->sections) {
    for (const std::string* value :
         {&s.crn, &s.ders_kodu, &s.ders_adi, &s.ogretmen, &s.bina, &s.gun, &s.saat, &s.derslik, &s.alabilenler}) {
      KIREMO_EXPECT(Cleaned(*value));
    }
    // Only a CRN of five digits is ever stored: it ends up in the add/drop script.
    KIREMO_EXPECT(acquisition::IsCrn(s.crn));
    KIREMO_EXPECT(s.blok == static_cast<int>(s.saat.size() / 9));
  }
  KIREMO_EXPECT(acquisition::CutSchedulePage(page) == table->sections);
  return 0;
}
