#pragma once

#include <optional>
#include <string>

#include "app/ini_file.h"
#include "generator/panel.h"
#include "view/main_view.h"

// The six settings of "config.ini", section "ayarlar": what each feeds in the
// window, when it is read and when it is written.
namespace kiremo::app {

inline constexpr std::string_view kSettingsFile = "config.ini";

// The stored values; nothing, or 0 for the hours, where the key is absent
// (or not a number).
struct StoredSettings {
  std::optional<std::string> bolum_kodu;
  bool bolum_kodu_dikkate_al = true;
  bool otomatik_guncelleme = false;
  int saat_alt_limit = 0;
  int saat_ust_limit = 0;
  std::optional<std::string> istenmeyen_binalar;
};

StoredSettings ReadStoredSettings(const IniFile& settings);

// The generator panel and the department filter as the reset leaves them:
// the design texts, then the stored values.
generator::GeneratorPanel StoredPanel(const IniFile& settings);

// The last step of the reset: the generator panel's reset texts, then every
// stored value that is present and valid. A failure while reading ends the
// step silently; the keys not yet applied keep the reset texts.
void ApplyStoredSettings(ui::MainView& view, const IniFile& settings);

// Edit1's text, upper-cased then trimmed, as "bolum_kodu".
void WriteDepartmentCode(ui::MainView& view, IniFile& settings);

// The six keys at the close of the window, in order. An hour field that is
// not a whole number raises ConversionError after the keys before it have
// been written.
void WriteSettingsAtClose(ui::MainView& view, IniFile& settings);

}  // namespace kiremo::app
