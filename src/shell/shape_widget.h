#pragma once

#include <QWidget>

#include "view/widgets.h"

namespace kiremo::shell {

// A course row's colour marker: a rounded rectangle with a black outline,
// white until the row holds a committed section; outlined in orange while the
// section is out of date with the catalogue.
class ShapeWidget : public QWidget, public ui::Swatch {
  Q_OBJECT

 public:
  explicit ShapeWidget(QWidget* parent);
  ui::Colour Fill() const override { return fill_; }
  void SetFill(ui::Colour colour) override;
  std::string Warning() const override { return warning_; }
  // A thick orange outline, and the reason as the tooltip.
  void SetWarning(const std::string& reason) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::Colour fill_ = ui::kWhite;
  std::string warning_;
};

}  // namespace kiremo::shell
