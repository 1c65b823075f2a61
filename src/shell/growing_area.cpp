#include "shell/growing_area.h"

#include <algorithm>

namespace kiremo::shell {

namespace {

// The design's bands and columns, in the area's coordinates.
constexpr int kGridTop = 285;       // the grid and the generator panel
constexpr int kBottomTop = 596;     // the buttons under them
constexpr int kSectionLeft = 210;   // the section lists ...
constexpr int kSectionRight = 560;  // ... and what stands right of them
constexpr int kGridRight = 583;     // the grid's right edge, "Sıfırla" under it

}  // namespace

GrowingArea::GrowingArea(QWidget* area) : area_(area), design_(area->size()) {
  for (QObject* child : area->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget == nullptr || widget->isWindow()) continue;
    placed_.push_back({widget, widget->geometry(), FollowOf(widget, widget->geometry())});
  }
}

unsigned GrowingArea::FollowOf(const QWidget* widget, const QRect& design) {
  if (design.top() >= kBottomTop) return design.right() >= kGridRight - 1 ? kDown | kRight : kDown;
  if (design.top() >= kGridTop) {
    if (widget->objectName() == QStringLiteral("Grid1")) return kWider | kTaller;
    return design.left() > kGridRight ? kRight : kStay;
  }
  // The course rows and their column labels.
  if (design.right() < kSectionLeft) return kStay;
  if (design.left() >= kSectionRight) return kRight;
  if (design.left() == kSectionLeft) return kWider;
  return kHalfRight;  // the section lists' label stays over their middle
}

void GrowingArea::Fit(QSize room) {
  const QSize size = room.expandedTo(design_);
  area_->resize(size);
  const int wider = size.width() - design_.width();
  const int taller = size.height() - design_.height();
  for (const Placed& placed : placed_) {
    QRect place = placed.design;
    if (placed.follow & kRight) place.translate(wider, 0);
    if (placed.follow & kHalfRight) place.translate(wider / 2, 0);
    if (placed.follow & kDown) place.translate(0, taller);
    if (placed.follow & kWider) place.setWidth(place.width() + wider);
    if (placed.follow & kTaller) place.setHeight(place.height() + taller);
    if (placed.widget->geometry() != place) placed.widget->setGeometry(place);
  }
}

}  // namespace kiremo::shell
