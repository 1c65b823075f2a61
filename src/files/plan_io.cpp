#include "files/plan_io.h"

#include "catalogue/file_system.h"
#include "files/dkf_format.h"
#include "files/sheet_export.h"
#include "files/workbook_writer.h"
#include "planner/meetings.h"
#include "text/text_helpers.h"

namespace kiremo::files {

namespace {

// A schedule file is a few kilobytes; anything this large is some other
// file chosen by mistake, and reading it whole would only stall the window.
constexpr std::size_t kLargestPlanFile = 16 * 1024 * 1024;

// The system's reason of an IoError whose message starts with the path.
std::string ReasonOf(const IoError& error, const std::string& path) {
  const std::string_view message = error.what();
  const std::string prefix = path + ": ";
  return std::string(StartsWith(message, prefix) ? message.substr(prefix.size()) : message);
}

// The whole file; IoError with the system's reason alone. Only a plain file
// is read: a pipe or a device could keep the window waiting for ever.
std::string ReadPlanBytes(const std::string& path) {
  try {
    return ReadWholeFile(path, kLargestPlanFile);
  } catch (const FileShapeError& e) {
    if (e.Kind() == FileShapeError::Shape::TooLarge) {
      throw PlanFormatError(std::string("dosya bir ders programı için fazla büyük"_w));
    }
    throw PlanFormatError(std::string("sıradan bir dosya değil"_w));
  } catch (const IoError& e) {
    throw IoError(ReasonOf(e, path), e.SystemError());
  }
}

std::string Quoted(const std::string& path) { return "\"" + Utf8ToCp1254(path) + "\""; }

// Every meeting that loading will paint must give a day and two hours; the
// first that does not is the ConversionError painting would raise halfway.
void CheckPaintable(const planner::PlanSnapshot& plan) {
  for (const auto& row : plan.rows) {
    if (!row) continue;
    planner::TDers ders;
    ders.BlokSayisi = row->BlokSayisi;
    for (const planner::StoredMeeting& meeting : row->meetings) {
      ders.Gunler.push_back(meeting.Gun);
      ders.Saatler.push_back(meeting.Saat);
    }
    for (int n = 0, count = planner::PaintedMeetings(ders); n < count; ++n) planner::SpanOf(ders, n);
  }
}

}  // namespace

planner::PlanSnapshot ReadPlanFile(const std::string& path) {
  try {
    planner::PlanSnapshot plan = DecodePlan(ReadPlanBytes(path));
    CheckPaintable(plan);
    return plan;
  } catch (const IoError& e) {
    throw FileCommandError(Quoted(path) + std::string(" dosyası okunamadı: "_w) + e.what() + ".\n" +
                           std::string(kPlanKept));
  } catch (const Error& e) {
    throw FileCommandError(Quoted(path) + std::string(" bir ders programı dosyası değil ya da bozuk: "_w) + e.what() +
                           ".\n" + std::string(kPlanKept));
  }
}

void WritePlanFile(const std::string& path, const planner::PlanSnapshot& plan) {
  const std::string bytes = EncodePlan(plan);
  try {
    WriteFileAtomically(path, bytes);
  } catch (const IoError& e) {
    throw FileCommandError(std::string("Ders programı "_w) + Quoted(path) +
                           std::string(" dosyasına kaydedilemedi: "_w) + ReasonOf(e, path) + ".");
  }
}

void WriteWorkbookFile(const std::string& path, const planner::Planner& planner) {
  try {
    WriteWorkbook(path, ExportSheet(planner));
  } catch (const Error& e) {
    throw FileCommandError(std::string("Excel dosyası "_w) + Quoted(path) + std::string(" yazılamadı: "_w) + e.what() +
                           ".");
  }
}

RowCrns CommittedCrns(const planner::Planner& planner) {
  RowCrns crns;
  for (int row = 1; row <= planner::kRows; ++row) crns[row - 1] = planner.Ders(row).CRN;
  return crns;
}

}  // namespace kiremo::files
