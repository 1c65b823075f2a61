#pragma once

#include <QWidget>

#include "view/widgets.h"

namespace kiremo::shell {

// A course row's colour marker: a rounded rectangle with a black outline,
// white until the row holds a committed section.
class ShapeWidget : public QWidget, public ui::Swatch {
  Q_OBJECT

 public:
  explicit ShapeWidget(QWidget* parent);
  ui::Colour Fill() const override { return fill_; }
  void SetFill(ui::Colour colour) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::Colour fill_ = ui::kWhite;
};

}  // namespace kiremo::shell
