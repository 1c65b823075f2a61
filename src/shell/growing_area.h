#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace kiremo::shell {

// The window's widgets beyond its design size: the section lists and the
// grid take the extra width, the grid's rows the extra height; what lies
// right of them moves right, what lies under the grid moves down, and
// every other widget keeps its place and size. At the design size every
// widget stands exactly where it was built.
class GrowingArea {
 public:
  // Reads the widgets of `area` (its direct children) at their design places.
  explicit GrowingArea(QWidget* area);

  // Lays the area out for the room it has: its design size at least.
  void Fit(QSize room);

 private:
  enum Follow : unsigned { kStay = 0, kRight = 1, kHalfRight = 2, kDown = 4, kWider = 8, kTaller = 16 };
  struct Placed {
    QWidget* widget;
    QRect design;
    unsigned follow;
  };
  static unsigned FollowOf(const QWidget* widget, const QRect& design);

  QWidget* area_;
  QSize design_;
  std::vector<Placed> placed_;
};

}  // namespace kiremo::shell
