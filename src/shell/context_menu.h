#pragma once

#include <QMenu>
#include <QPoint>

#include "app/menu_entry.h"

namespace kiremo::shell {

// Opens the entries as a context menu at `at` (global coordinates) without
// waiting for it: a chosen entry raises its event, and the menu deletes
// itself once closed. Nothing opens for no entries.
QMenu* PopupEntries(QWidget* parent, const app::MenuEntries& entries, const QPoint& at);

}  // namespace kiremo::shell
