#pragma once

#include <array>
#include <string>
#include <string_view>

#include "files/crn_texts.h"
#include "planner/plan_snapshot.h"
#include "planner/planner.h"
#include "text/cp1254.h"
#include "text/errors.h"

// Schedule files, the CRN list and the spreadsheet as the window's file
// commands use them. A failure is a FileCommandError whose message is the
// whole text of the "HATA" box the student gets.
namespace kiremo::files {

inline constexpr std::string_view kPlanFilter = "Ders Programları (*.dkf)|*.dkf"_w;
inline constexpr std::string_view kWorkbookFilter = "Excel Dosyaları (*.xlsx)|*.xlsx"_w;
// The last line of the box of a plan that could not be opened.
inline constexpr std::string_view kPlanKept = "Ekrandaki ders programı değiştirilmedi."_w;

class FileCommandError : public Error {
 public:
  using Error::Error;
};

// Reads and checks a whole schedule file: one that cannot be read, holds no
// plan, or holds a meeting that cannot be painted is refused before anything
// changes. Only a plain file of at most 16 MiB is read.
planner::PlanSnapshot ReadPlanFile(const std::string& path);

// Writes the plan beside the file and renames it over it; an existing file
// of that name stays as it was when the plan cannot be written.
void WritePlanFile(const std::string& path, const planner::PlanSnapshot& plan);

// Writes the grid as a workbook.
void WriteWorkbookFile(const std::string& path, const planner::Planner& planner);

// The committed rows' CRNs, rows 1..10.
RowCrns CommittedCrns(const planner::Planner& planner);

}  // namespace kiremo::files
