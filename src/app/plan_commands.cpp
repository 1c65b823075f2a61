#include "app/plan_commands.h"

#include <algorithm>

#include "files/plan_io.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kNothingToCopy = "Kopyalanacak CRN yok: önce bir ders ekle."_w;
// After the number of committed courses.
constexpr std::string_view kListCopied =
    " dersin CRN listesi belleğe kopyalandı; CTRL+V ile istediğin yere yapıştırabilirsin."_w;
constexpr std::string_view kScriptCopied = " dersin CRN'lerini dolduracak JS kodu belleğe kopyalandı."_w;

// The name with the extension of its kind, so that the open dialog's filter
// lists the file.
std::string WithExtension(const std::string& path, std::string_view extension) {
  const bool has = path.size() > extension.size() &&
                   SameTextIgnoringCase(std::string_view(path).substr(path.size() - extension.size()), extension);
  return has ? path : path + std::string(extension);
}

}  // namespace

bool PlanCommands::Save(const std::string& start) {
  const auto path = view_.Dialog().AskSaveFile(std::string(files::kPlanFilter), start);
  return path && SaveFile(WithExtension(*path, ".dkf"));
}

bool PlanCommands::SaveFile(const std::string& path) {
  try {
    files::WritePlanFile(path, planner_.Snapshot());
  } catch (const files::FileCommandError& e) {
    Fail(e.what());
    return false;
  }
  last_file_ = path;
  return true;
}

bool PlanCommands::Load(std::string& startup_file) {
  std::string path;
  if (!startup_file.empty()) {
    path = std::move(startup_file);
    startup_file.clear();
  } else {
    const auto chosen = view_.Dialog().AskOpenFile(std::string(files::kPlanFilter));
    if (!chosen) return false;
    path = *chosen;
  }
  return LoadFile(path);
}

bool PlanCommands::LoadFile(const std::string& path) {
  planner::PlanSnapshot plan;
  try {
    plan = files::ReadPlanFile(path);
  } catch (const files::FileCommandError& e) {
    Fail(e.what());
    return false;
  }
  planner_.Restore(plan, Utf8ToCp1254(path));
  last_file_ = path;
  return true;
}

void PlanCommands::CRNListeKopyalaClick() { CopyCrns(files::CrnListText, kListCopied); }

void PlanCommands::CRNScriptKopyalaClick() { CopyCrns(files::CrnScriptText, kScriptCopied); }

void PlanCommands::CopyCrns(std::string (*text_of)(const files::RowCrns&), std::string_view what) {
  const files::RowCrns crns = files::CommittedCrns(planner_);
  const auto count = std::count_if(crns.begin(), crns.end(), [](const std::string& crn) { return !crn.empty(); });
  // An empty plan leaves whatever the student copied before on the clipboard.
  if (count == 0) return planner_.SetStatus(std::string(kNothingToCopy));
  std::string text;
  try {
    text = text_of(crns);
  } catch (const files::ScriptCrnError& e) {
    return Fail(e.what());  // the clipboard keeps what it held
  }
  view_.Clip().SetText(text);
  planner_.SetStatus(std::to_string(count) + std::string(what));
}

void PlanCommands::ExcelExport() {
  const auto path = view_.Dialog().AskSaveFile(std::string(files::kWorkbookFilter), {});
  if (path) ExportFile(WithExtension(*path, ".xlsx"));
}

bool PlanCommands::ExportFile(const std::string& path) {
  try {
    files::WriteWorkbookFile(path, planner_);
  } catch (const files::FileCommandError& e) {
    Fail(e.what());
    return false;
  }
  return true;
}

void PlanCommands::Fail(const std::string& text) { view_.Dialog().Message("HATA", text, Icon::Error); }

}  // namespace kiremo::app
