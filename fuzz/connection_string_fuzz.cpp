// Any bytes as a connection string, and any bytes as the program folder of
// one: parsing either refuses with a DatabaseError or gives back exactly the
// path and the password the string was made of.
#include <cstddef>
#include <cstdint>

#include "catalogue/catalogue_files.h"
#include "fuzz_support.h"
#include "text/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  const std::string_view text = fuzz::Bytes(data, size);

  try {
    const catalogue::ConnectionTarget target = catalogue::ParseConnectionString(text);
    // The only strings taken are those of the program's shape.
    std::string made = catalogue::MakeConnectionString(target.path, "");
    made.resize(made.size() - catalogue::kPassword.size() - 1);
    KIREMO_EXPECT(made + target.password + '"' == text);
  } catch (const DatabaseError&) {
  }

  for (const std::string_view file : {catalogue::kMainCatalogue, catalogue::kTempCatalogue}) {
    const catalogue::ConnectionTarget target =
        catalogue::ParseConnectionString(catalogue::MakeConnectionString(text, file));
    KIREMO_EXPECT(target.path == std::string(text) + std::string(file));
    KIREMO_EXPECT(target.password == catalogue::kPassword);
  }
  return 0;
}
