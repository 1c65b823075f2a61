#pragma once

#include <string>

#include "files/crn_texts.h"
#include "planner/planner.h"
#include "view/main_view.h"

// The window's file commands: "Kaydet" and "Aç" (schedule files), the two
// CRN clipboard commands and "Excel'e aktar". Each reports its own failures
// in a "HATA" box and leaves the plan on screen as it was.
namespace kiremo::app {

class PlanCommands {
 public:
  PlanCommands(planner::Planner& planner, ui::MainView& view) : planner_(planner), view_(view) {}

  // Asks for a name, the dialog starting at `start` (a file to offer, or a
  // folder ending in "/"), and writes the plan there (".dkf" added when the
  // name lacks it); false when the student cancelled or it could not be
  // written.
  bool Save(const std::string& start = {});
  // Writes the plan to the named file; false after a "HATA" box when it
  // cannot be written (an existing file of that name is then unchanged).
  bool SaveFile(const std::string& path);

  // Loads the start-up file when there is one (and empties it), otherwise
  // asks for a name; false when nothing was loaded.
  bool Load(std::string& startup_file);
  // Replaces the plan by the file's. A file that cannot be read or holds no
  // plan is reported in a "HATA" box before anything changes, and false is
  // returned; the plan on screen is kept.
  bool LoadFile(const std::string& path);
  // The plan file last written or read, as it was named.
  const std::string& LastFile() const { return last_file_; }

  // The committed rows' CRNs to the clipboard, said on the status line;
  // with no committed course the clipboard keeps what it had.
  void CRNListeKopyalaClick();
  void CRNScriptKopyalaClick();

  // Asks for a name and writes the grid there as a workbook (".xlsx" added
  // when the name lacks it).
  void ExcelExport();
  bool ExportFile(const std::string& path);

 private:
  void Fail(const std::string& text);
  void CopyCrns(std::string (*text_of)(const files::RowCrns&), std::string_view what);

  planner::Planner& planner_;
  ui::MainView& view_;
  std::string last_file_;
};

}  // namespace kiremo::app
