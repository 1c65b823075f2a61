#include "app/version_check_setting.h"

namespace kiremo::app {

namespace {
constexpr std::string_view kSection = "ayarlar";
}  // namespace

bool VersionCheckAtStart(const IniFile& settings, bool installed) {
  return !installed || settings.ReadBool(kSection, kVersionCheckKey, false);
}

void StoreVersionCheckAtStart(IniFile& settings, bool on) { settings.WriteBool(kSection, kVersionCheckKey, on); }

}  // namespace kiremo::app
