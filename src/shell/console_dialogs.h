#pragma once

#include <cstdio>

#include "view/widgets.h"

namespace kiremo::shell {

// Boxes written as lines on a terminal and file dialogs that are cancelled:
// for a window drawn without anyone in front of it, where a modal box would
// wait for ever.
class ConsoleDialogs : public ui::Dialogs {
 public:
  explicit ConsoleDialogs(std::FILE* out) : out_(out) {}

  void Message(const std::string& caption, const std::string& text, ui::Icon icon) override;
  void StandardError(const std::string& text) override;
  std::optional<std::string> AskOpenFile(const std::string&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override { return std::nullopt; }
  // Nobody answers: the question is written and the work is not kept.
  ui::SaveChoice AskSaveChanges(const std::string& caption, const std::string& text) override;
  // Written, and nothing applied.
  bool AskApplyUpdates(const std::string& caption, const std::string& text) override;

 private:
  std::FILE* out_;
};

}  // namespace kiremo::shell
