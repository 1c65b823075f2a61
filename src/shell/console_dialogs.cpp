#include "shell/console_dialogs.h"

#include "text/cp1254.h"
#include "text/program.h"

namespace kiremo::shell {

void ConsoleDialogs::Message(const std::string& caption, const std::string& text, ui::Icon) {
  std::fprintf(out_, "%s: %s\n", Cp1254ToUtf8(caption).c_str(), Cp1254ToUtf8(text).c_str());
}

ui::SaveChoice ConsoleDialogs::AskSaveChanges(const std::string& caption, const std::string& text) {
  Message(caption, text, ui::Icon::Warning);
  return ui::SaveChoice::Discard;
}

bool ConsoleDialogs::AskApplyUpdates(const std::string& caption, const std::string& text) {
  Message(caption, text, ui::Icon::Warning);
  return false;
}

void ConsoleDialogs::StandardError(const std::string& text) { Message(ProgramTitle(), text, ui::Icon::Error); }

}  // namespace kiremo::shell
