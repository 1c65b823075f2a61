#include "app/view_report.h"

#include "text/cp1254.h"

namespace kiremo::app {

std::string FetchingStatus(std::string_view what) { return std::string(what) + std::string(" (vazgeçmek için Esc)"_w); }

void ViewReport::Status(const std::string& text) { view_.StatusBar().SetText(text); }

void ViewReport::Fetching(const std::string& what) { view_.StatusBar().SetText(FetchingStatus(what)); }

void ViewReport::Show(const Notice& notice) { view_.Dialog().Message(notice.caption, notice.text, notice.icon); }

void ViewReport::StandardError(const std::string& text) { view_.Dialog().StandardError(text); }

}  // namespace kiremo::app
