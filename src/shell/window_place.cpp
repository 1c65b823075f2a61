#include "shell/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace kiremo::shell {

app::WindowPlacement PlacementOf(const QWidget& window, const QRect& last_normal) {
  QRect normal = window.normalGeometry();
  if (!normal.isValid()) normal = last_normal.isValid() ? last_normal : window.geometry();
  return {normal.left(), normal.top(), normal.width(), normal.height(), window.isMaximized()};
}

bool PlaceWindow(QWidget& window, const app::WindowPlacement& placement) {
  const QRect stored(placement.left, placement.top, placement.width, placement.height);
  QScreen* screen = QGuiApplication::screenAt(stored.center());
  if (screen == nullptr) return false;
  const QRect room = screen->availableGeometry();
  const QSize size = stored.size().boundedTo(room.size()).expandedTo(window.minimumSize());
  const int left = std::clamp(stored.left(), room.left(), std::max(room.left(), room.right() + 1 - size.width()));
  const int top = std::clamp(stored.top(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
  window.setGeometry(QRect(QPoint(left, top), size));
  return true;
}

}  // namespace kiremo::shell
