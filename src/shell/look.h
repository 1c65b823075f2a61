#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace kiremo::shell {

// The windows' look: flat buttons with a gradient face and a bold blue
// caption; combo boxes, edits and check boxes in a grooved frame that turns
// blue under the mouse pointer. The widget the keyboard works in has a
// black frame of the same width, so nothing inside it moves.
QString WindowStyleSheet();

// The windows' base font: the system's family at 8 points.
QFont WindowFont();

// The buttons' caption font: bold, 9 points.
QFont ButtonFont();

// Narrows the widget's font, where the system's font is wider than the
// window was drawn for, until `text` fits into `width` pixels: first the
// condensed faces, then smaller sizes.
void FitText(QWidget* widget, const QString& text, int width);

}  // namespace kiremo::shell
