#pragma once

#include <QMenuBar>

#include "app/app.h"

namespace kiremo::shell {

// An installed program's "Program" menu gets "Açılışta yeni sürümü denetle",
// checked as config.ini says; a click flips the stored choice. A copy run
// from its own folder always checks and gets no item.
void AddVersionCheckItem(QMenuBar& bar, app::App& app);

}  // namespace kiremo::shell
