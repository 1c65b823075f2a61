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

void ApplyStoredSettings(ui::MainView& view, const IniFile& settings) {
  view.CheckBox1().SetChecked(true);
  view.EditSt().SetText("9");
  view.EditEnd().SetText("19");
  view.Edit2().SetText("MKB,ISB,MMB,GDB");
  try {
    const std::string department = settings.ReadString(kSection, kDepartmentCode, kAbsentText);
    if (department != kAbsentText) view.Edit1().SetText(department);
    view.CheckBox1().SetChecked(settings.ReadBool(kSection, kUseDepartmentCode, true));
    view.MenuOtomatik().SetChecked(settings.ReadBool(kSection, kAutomaticUpdate, false));
    if (const int first = settings.ReadInteger(kSection, kFirstHour, 0); first != 0) {
      view.EditSt().SetText(std::to_string(first));
    }
    if (const int last = settings.ReadInteger(kSection, kLastHour, 0); last != 0) {
      view.EditEnd().SetText(std::to_string(last));
    }
    const std::string buildings = settings.ReadString(kSection, kUnwantedBuildings, kAbsentText);
    if (buildings != kAbsentText) view.Edit2().SetText(buildings);
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
