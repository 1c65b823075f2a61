#include "app/plan_commands.h"

#include "files/plan_io.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::app {

namespace {

// The name with the extension of its kind, so that the open dialog's filter
// lists the file.
std::string WithExtension(const std::string& path, std::string_view extension) {
  const bool has = path.size() > extension.size() &&
                   SameTextIgnoringCase(std::string_view(path).substr(path.size() - extension.size()), extension);
  return has ? path : path + std::string(extension);
}

}  // namespace

bool PlanCommands::Save() {
  const auto path = view_.Dialog().AskSaveFile(std::string(files::kPlanFilter));
  return path && SaveFile(WithExtension(*path, ".dkf"));
}

bool PlanCommands::SaveFile(const std::string& path) {
  try {
    files::WritePlanFile(path, planner_.Snapshot());
  } catch (const files::FileCommandError& e) {
    Fail(e.what());
    return false;
  }
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
  return true;
}

void PlanCommands::CRNListeKopyalaClick() { view_.Clip().SetText(files::CrnListText(files::CommittedCrns(planner_))); }

void PlanCommands::CRNScriptKopyalaClick() {
  view_.Clip().SetText(files::CrnScriptText(files::CommittedCrns(planner_)));
}

void PlanCommands::ExcelExport() {
  const auto path = view_.Dialog().AskSaveFile(std::string(files::kWorkbookFilter));
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
