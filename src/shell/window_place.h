#pragma once

#include <QWidget>

#include "app/window_placement.h"

namespace kiremo::shell {

// The window's placement to store: its rectangle as it is when not
// maximised, and whether it is maximised. A window maximised by the window
// manager may leave the toolkit without its normal rectangle: `last_normal`,
// the last one seen, stands in then.
app::WindowPlacement PlacementOf(const QWidget& window, const QRect& last_normal);

// Puts the window at the stored rectangle, not smaller than its minimum
// and inside the screen that holds the rectangle's middle; false, with the
// window untouched, when no screen of the desktop holds it any more (a
// monitor taken away).
bool PlaceWindow(QWidget& window, const app::WindowPlacement& placement);

}  // namespace kiremo::shell
