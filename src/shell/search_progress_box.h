#pragma once

#include <QProgressDialog>
#include <QWidget>
#include <memory>

#include "generator/search_observers.h"

namespace kiremo::shell {

// Keeps a long search of "Oluştur" from freezing the window: after half a
// second a modal box shows how many timetables were found, with a button
// that stops the search (what was found is kept).
class SearchProgressBox : public generator::SearchMonitor {
 public:
  explicit SearchProgressBox(QWidget* owner) : owner_(owner) {}
  ~SearchProgressBox() override;

  bool Poll(const generator::SearchProgress& progress) override;
  void Finished() override;

  // The box while it shows, for tests.
  QProgressDialog* Box() const { return box_.get(); }

 private:
  QWidget* owner_;
  std::unique_ptr<QProgressDialog> box_;
  double shown_until_ = 0;  // elapsed seconds of the last refresh
};

}  // namespace kiremo::shell
