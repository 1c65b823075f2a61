#pragma once

#include <QWidget>

#include "view/widgets.h"

namespace kiremo::shell {

// Message boxes and file dialogs as modal Qt windows over the main window.
// A test hands in a stand-in first (for instance ui::MemoryDialogs), so that
// no test ever waits on a modal box.
class QtDialogs : public ui::Dialogs {
 public:
  explicit QtDialogs(QWidget* owner) : owner_(owner) {}

  // Every QtDialogs answers through `stand_in` while it is set; nullptr
  // brings the real boxes back.
  static void SetStandIn(ui::Dialogs* stand_in);

  void Message(const std::string& caption, const std::string& text, ui::Icon icon) override;
  void StandardError(const std::string& text) override;
  std::optional<std::string> AskOpenFile(const std::string& filter) override;
  std::optional<std::string> AskSaveFile(const std::string& filter, const std::string& start) override;
  ui::SaveChoice AskSaveChanges(const std::string& caption, const std::string& text) override;
  bool AskApplyUpdates(const std::string& caption, const std::string& text) override;

 private:
  QWidget* owner_;
};

// "Description (*.ext)|*.ext|..." as a file dialog's filter.
QString DialogFilter(const std::string& filter);
// The extension of the filter's first pattern ("dkf" for "...|*.dkf"), or
// empty.
QString DefaultSuffix(const std::string& filter);

}  // namespace kiremo::shell
