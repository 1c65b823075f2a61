#pragma once

#include <QWidget>

#include "view/widgets.h"

namespace kiremo::shell {

// A course row's colour marker: a rounded rectangle with a black outline,
// white until the row holds a committed section; outlined in orange while the
// section is out of date with the catalogue; with a padlock while the row's
// section is locked; with a dotted frame while it has the keyboard focus.
class ShapeWidget : public QWidget, public ui::Swatch {
  Q_OBJECT

 public:
  explicit ShapeWidget(QWidget* parent);
  ui::Colour Fill() const override { return fill_; }
  void SetFill(ui::Colour colour) override;
  std::string Warning() const override { return warning_; }
  // A thick orange outline, and the reason as the tooltip.
  void SetWarning(const std::string& reason) override;
  std::string LockNote() const override { return lock_note_; }
  // A padlock drawn in the middle, and the note as (a line of) the tooltip.
  void SetLockNote(const std::string& note) override;

 signals:
  // A right click, or the menu key, on the marker; `at` in global coordinates.
  void menuAsked(const QPoint& at);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void UpdateTip();

  ui::Colour fill_ = ui::kWhite;
  std::string warning_;
  std::string lock_note_;
};

}  // namespace kiremo::shell
