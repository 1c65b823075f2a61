#pragma once

#include <exception>
#include <string>

#include "text/cp1254.h"
#include "view/widgets.h"

namespace kiremo::app {

// Made outside the template: clang 14 leaves a "..."_w inside a function
// template as a call that nothing defines.
inline constexpr std::string_view kUnexpectedError = "Beklenmeyen bir hata oluştu."_w;

// Runs the work of one event. An error that nothing else caught ends it and
// is shown in the standard error box; the window stays usable.
template <typename Work>
void RunGuarded(ui::Dialogs& dialogs, Work&& work) {
  try {
    work();
  } catch (const std::exception& e) {
    dialogs.StandardError(e.what());
  } catch (...) {
    dialogs.StandardError(std::string(kUnexpectedError));
  }
}

}  // namespace kiremo::app
