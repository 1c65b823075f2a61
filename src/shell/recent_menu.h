#pragma once

#include <QAction>
#include <QMenu>

#include "app/app.h"

namespace kiremo::shell {

// "Son açılanlar" in the menu "Dosya", before `before`: filled with the
// App's recent plans each time it opens; choosing one opens it.
QMenu* AddRecentMenu(QMenu& file, QAction* before, app::App& app);

}  // namespace kiremo::shell
