#include "app/view_report.h"

namespace kiremo::app {

void ViewReport::Status(const std::string& text) { view_.StatusBar().SetText(text); }

void ViewReport::Show(const Notice& notice) { view_.Dialog().Message(notice.caption, notice.text, notice.icon); }

void ViewReport::StandardError(const std::string& text) { view_.Dialog().StandardError(text); }

}  // namespace kiremo::app
