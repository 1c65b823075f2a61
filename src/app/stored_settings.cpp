#include "app/stored_settings.h"

#include "text/text_helpers.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kSection = "ayarlar";
constexpr std::string_view kDepartmentCode = "bolum_kodu";
constexpr std::string_view kUseDepartmentCode = "bolum_kodu_dikkate_al";
constexpr std::string_view kAutomaticUpdate = "otomatik_guncelleme";
constexpr std::string_view kFirstHour = "saat_alt_limit";
constexpr std::string_view kLastHour = "saat_ust_limit";
constexpr std::string_view kUnwantedBuildings = "istenmeyen_binalar";

// The default of the text keys; it means the key is absent. Compared exactly.
constexpr std::string_view kAbsentText = "hata";

}  // namespace

StoredSettings ReadStoredSettings(const IniFile& settings) {
  StoredSettings stored;
  auto text = [&](std::string_view key) -> std::optional<std::string> {
    std::string value = settings.ReadString(kSection, key, kAbsentText);
    if (value == kAbsentText) return std::nullopt;
    return value;
  };
  stored.bolum_kodu = text(kDepartmentCode);
  stored.bolum_kodu_dikkate_al = settings.ReadBool(kSection, kUseDepartmentCode, true);
  stored.otomatik_guncelleme = settings.ReadBool(kSection, kAutomaticUpdate, false);
  stored.saat_alt_limit = settings.ReadInteger(kSection, kFirstHour, 0);
  stored.saat_ust_limit = settings.ReadInteger(kSection, kLastHour, 0);
  stored.istenmeyen_binalar = text(kUnwantedBuildings);
  return stored;
}

generator::GeneratorPanel StoredPanel(const IniFile& settings) {
  generator::GeneratorPanel panel;
  try {
    const StoredSettings stored = ReadStoredSettings(settings);
    if (stored.bolum_kodu) panel.own_department = *stored.bolum_kodu;
    panel.own_department_only = stored.bolum_kodu_dikkate_al;
    if (stored.saat_alt_limit != 0) panel.first_hour = std::to_string(stored.saat_alt_limit);
    if (stored.saat_ust_limit != 0) panel.end_hour = std::to_string(stored.saat_ust_limit);
    if (stored.istenmeyen_binalar) panel.unwanted_buildings = *stored.istenmeyen_binalar;
  } catch (const std::exception&) {
    // As in the window: the settings step is silent.
  }
  return panel;
}

void ApplyStoredSettings(ui::MainView& view, const IniFile& settings) {
  view.CheckBox1().SetChecked(true);
  view.EditSt().SetText("9");
  view.EditEnd().SetText("19");
  view.Edit2().SetText("MKB,ISB,MMB,GDB");
  try {
    const StoredSettings stored = ReadStoredSettings(settings);
    if (stored.bolum_kodu) view.Edit1().SetText(*stored.bolum_kodu);
    view.CheckBox1().SetChecked(stored.bolum_kodu_dikkate_al);
    view.MenuOtomatik().SetChecked(stored.otomatik_guncelleme);
    if (stored.saat_alt_limit != 0) view.EditSt().SetText(std::to_string(stored.saat_alt_limit));
    if (stored.saat_ust_limit != 0) view.EditEnd().SetText(std::to_string(stored.saat_ust_limit));
    if (stored.istenmeyen_binalar) view.Edit2().SetText(*stored.istenmeyen_binalar);
  } catch (const std::exception&) {
    // The settings step of the reset is silent by design.
  }
}

void WriteDepartmentCode(ui::MainView& view, IniFile& settings) {
  settings.WriteString(kSection, kDepartmentCode, Trim(UpperAscii(view.Edit1().Text())));
}

void WriteSettingsAtClose(ui::MainView& view, IniFile& settings) {
  WriteDepartmentCode(view, settings);
  settings.WriteBool(kSection, kUseDepartmentCode, view.CheckBox1().Checked());
  settings.WriteBool(kSection, kAutomaticUpdate, view.MenuOtomatik().Checked());
  settings.WriteString(kSection, kUnwantedBuildings, Trim(view.Edit2().Text()));
  settings.WriteInteger(kSection, kFirstHour, StrToInt(Trim(view.EditSt().Text())));
  settings.WriteInteger(kSection, kLastHour, StrToInt(Trim(view.EditEnd().Text())));
}

}  // namespace kiremo::app
