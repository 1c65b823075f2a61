#pragma once

#include <string>

#include "acquisition/update_report.h"
#include "view/main_view.h"

namespace kiremo::app {

// The status line while a page is fetched off the window's thread: what is
// fetched, and how to give up on it.
std::string FetchingStatus(std::string_view what);

// The catalogue operations' report in the main window: progress in the
// status bar, notices in message boxes, unexpected failures in the standard
// error box.
class ViewReport : public acquisition::UpdateReport {
 public:
  explicit ViewReport(ui::MainView& view) : view_(view) {}

  void Status(const std::string& text) override;
  void Fetching(const std::string& what) override;
  void Show(const Notice& notice) override;
  void StandardError(const std::string& text) override;

 private:
  ui::MainView& view_;
};

}  // namespace kiremo::app
