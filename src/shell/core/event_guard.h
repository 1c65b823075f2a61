#pragma once

#include <exception>
#include <string>

#include "acquisition/text/cp1254.h"
#include "shell/ui/widgets.h"

namespace kiremo::shell {

// Runs the work of one event. An error that nothing else caught ends it and
// is shown in the standard error box; the window stays usable.
template <typename Work>
void RunGuarded(ui::Dialogs& dialogs, Work&& work) {
  try {
    work();
  } catch (const std::exception& e) {
    dialogs.StandardError(e.what());
  } catch (...) {
    dialogs.StandardError(std::string("Beklenmeyen bir hata oluştu."_w));
  }
}

}  // namespace kiremo::shell
