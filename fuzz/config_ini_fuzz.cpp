// Any bytes as "config.ini": the reset applies what it can read and keeps
// the reset texts for the rest; writing one key, as a change of the
// department code does, keeps every other key's value; and the settings
// written at the close read back as the window had them.
#include <cstddef>
#include <cstdint>

#include "app/ini_file.h"
#include "app/stored_settings.h"
#include "catalogue/file_system.h"
#include "fuzz_support.h"
#include "text/errors.h"
#include "text/text_helpers.h"
#include "view/memory_view.h"

namespace {

using namespace kiremo;

constexpr std::string_view kSection = "ayarlar";
constexpr std::string_view kKeys[] = {"bolum_kodu",     "bolum_kodu_dikkate_al", "otomatik_guncelleme",
                                      "saat_alt_limit", "saat_ust_limit",        "istenmeyen_binalar"};

// Every key as it reads now; "\1" for an absent one.
std::vector<std::string> Values(const app::IniFile& ini) {
  std::vector<std::string> values;
  for (const std::string_view key : kKeys) values.push_back(ini.ReadString(kSection, key, "\1"));
  return values;
}

// The text an hour field may get from the reset: the reset text or a
// non-zero whole number.
bool HourText(const std::string& text, std::string_view reset_text) {
  return text == reset_text || (StrToIntDef(text, 0) != 0 && std::to_string(StrToIntDef(text, 0)) == text);
}

// A value is one line of the file: it cannot hold a line-break character.
std::string AsOneLine(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

struct Widgets {
  std::string edit1, edit2, first_hour, last_hour;
  bool use_department = false, automatic = false;
  bool operator==(const Widgets&) const = default;
};

Widgets Read(ui::MemoryView& view) {
  return {view.Edit1().Text(),   view.Edit2().Text(),        view.EditSt().Text(),
          view.EditEnd().Text(), view.CheckBox1().Checked(), view.MenuOtomatik().Checked()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  const std::string path = fuzz::ScratchFolder() + "config.ini";
  WriteFileAtomically(path, fuzz::Bytes(data, size));
  app::IniFile ini(path);

  ui::MemoryView view;
  app::ApplyStoredSettings(view, ini);
  KIREMO_EXPECT(HourText(view.EditSt().Text(), "9"));
  KIREMO_EXPECT(HourText(view.EditEnd().Text(), "19"));

  // Edit1's change writes one key; the others read as before.
  const std::vector<std::string> before = Values(ini);
  try {
    app::WriteDepartmentCode(view, ini);
  } catch (const IoError&) {
    return 0;  // a file that cannot be read back is not rewritten
  }
  const std::vector<std::string> after = Values(ini);
  KIREMO_EXPECT(after[0] == Trim(AsOneLine(UpperAscii(view.Edit1().Text()))));
  for (std::size_t k = 1; k < after.size(); ++k) KIREMO_EXPECT(after[k] == before[k]);

  // The close writes all six; the next reset shows the window as it was.
  const Widgets closed = Read(view);
  app::WriteSettingsAtClose(view, ini);
  ui::MemoryView next;
  app::ApplyStoredSettings(next, ini);
  Widgets expected = closed;
  expected.edit1 = Trim(AsOneLine(UpperAscii(closed.edit1)));
  expected.edit2 = Trim(AsOneLine(closed.edit2));
  KIREMO_EXPECT(Read(next) == expected);
  return 0;
}
