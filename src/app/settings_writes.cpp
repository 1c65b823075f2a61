#include "app/settings_writes.h"

#include "app/stored_settings.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kCaption = "Ayarlar"_w;
constexpr std::string_view kNotKept = "\nBu açılışta değiştirdiğin ayarlar bir sonraki açılışa kalmayacak."_w;

}  // namespace

void SettingsWrites::DepartmentCodeChanged() {
  try {
    WriteDepartmentCode(view_, settings_);
  } catch (const IoError& e) {
    view_.StatusBar().SetText(e.what());
  }
}

void SettingsWrites::WriteAtClose() {
  try {
    WriteSettingsAtClose(view_, settings_);
  } catch (const IoError& e) {
    if (told_in_box_) return;
    told_in_box_ = true;
    view_.Dialog().Message(std::string(kCaption), e.what() + std::string(kNotKept), Icon::Warning);
  }
}

}  // namespace kiremo::app
