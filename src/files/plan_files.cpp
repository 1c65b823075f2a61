#include "files/plan_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "text/errors.h"
#include "text/text_helpers.h"
#include "catalogue/file_system.h"
#include "files/sheet_export.h"
#include "files/workbook_writer.h"
#include "planner/markers.h"
#include "planner/meetings.h"

namespace kiremo::files {

namespace {

constexpr int kRows = 10;
constexpr int kDays = 5;
constexpr int kSlots = 14;

// A schedule file is a few kilobytes; anything this large is some other
// file chosen by mistake, and reading it whole would only stall the window.
constexpr off_t kLargestPlanFile = 16 * 1024 * 1024;

constexpr std::string_view kPlanKept = "Ekrandaki ders programı değiştirilmedi."_w;

[[noreturn]] void TooLarge() { throw PlanFormatError(std::string("dosya bir ders programı için fazla büyük"_w)); }

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// The whole file; IoError with the system's reason alone. Only a plain file
// is read: a pipe or a device could keep the window waiting for ever.
std::string ReadPlanBytes(const std::string& path) {
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) throw IoError(SystemReason());
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) throw IoError(SystemReason());
  if (S_ISDIR(info.st_mode)) throw IoError(Utf8ToCp1254(std::strerror(EISDIR)));
  if (!S_ISREG(info.st_mode)) throw PlanFormatError(std::string("sıradan bir dosya değil"_w));
  if (info.st_size > kLargestPlanFile) TooLarge();
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n == 0) return bytes;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw IoError(SystemReason());
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > static_cast<std::size_t>(kLargestPlanFile)) TooLarge();
  }
}

// The system's reason of an IoError whose message starts with the path.
std::string ReasonOf(const IoError& error, const std::string& path) {
  const std::string_view message = error.what();
  const std::string prefix = path + ": ";
  return std::string(StartsWith(message, prefix) ? message.substr(prefix.size()) : message);
}

std::string Quoted(const std::string& path) { return "\"" + Utf8ToCp1254(path) + "\""; }

// Index of the first item the text matches, -1 for none.
int Find(const ui::ChoiceList& list, const std::string& text,
         const std::function<bool(std::string_view, std::string_view)>& same) {
  for (int k = 0; k < list.Count(); ++k) {
    if (same(list.Item(k), text)) return k;
  }
  return -1;
}

bool Exactly(std::string_view a, std::string_view b) { return a == b; }

planner::TDers RecordOf(const StoredRow& row) {
  planner::TDers ders;
  ders.DersKodu = row.DersKodu;
  ders.DersAdi = row.DersAdi;
  ders.CRN = row.CRN;
  ders.Ogretmen = row.Ogretmen;
  ders.BlokSayisi = row.BlokSayisi;
  for (const StoredMeeting& meeting : row.meetings) {
    ders.Binalar.push_back(meeting.Bina);
    ders.Gunler.push_back(meeting.Gun);
    ders.Saatler.push_back(meeting.Saat);
    ders.Derslikler.push_back(meeting.Derslik);
  }
  return ders;
}

// Every meeting that loading will paint must give a day and two hours; the
// first that does not is the ConversionError painting would raise halfway.
void CheckPaintable(const PlanFile& plan) {
  for (const auto& row : plan.rows) {
    if (!row) continue;
    const planner::TDers ders = RecordOf(*row);
    for (int n = 0, count = planner::PaintedMeetings(ders); n < count; ++n) planner::SpanOf(ders, n);
  }
}

std::string MarkedCrn(const ui::ChoiceList& sections) {
  for (int k = 0; k < sections.Count(); ++k) {
    const std::string item = sections.Item(k);
    if (EndsWith(item, planner::kKaydedildi)) return item.substr(0, 5);
  }
  return {};
}

}  // namespace

PlanFile CapturePlan(planner::Planner& planner, ui::MainView& view) {
  PlanFile plan;
  for (int n = 1; n <= 3 * kRows; ++n) plan.combos[n - 1] = view.ComboBox(n).Text();
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) {
      int value = planner.Hucreler[day][slot];
      // Preview marks are not part of the plan.
      if (value == 15) value = 0;
      if (value >= 16 && value <= 25) value -= 15;
      plan.cells[day - 1][slot - 1] = value;
    }
  }
  for (int row = 1; row <= kRows; ++row) {
    const planner::TDers& ders = planner.Dersler[row];
    if (ders.CRN.empty()) continue;
    StoredRow& stored = plan.rows[row - 1].emplace();
    stored.DersKodu = ders.DersKodu;
    stored.DersAdi = ders.DersAdi;
    stored.CRN = ders.CRN;
    stored.Ogretmen = ders.Ogretmen;
    stored.BlokSayisi = ders.BlokSayisi;
    auto at = [](const std::vector<std::string>& list, std::size_t j) { return j < list.size() ? list[j] : std::string(); };
    for (std::size_t j = 0; j < ders.Gunler.size(); ++j) {
      stored.meetings.push_back({at(ders.Binalar, j), ders.Gunler[j], at(ders.Saatler, j), at(ders.Derslikler, j)});
    }
  }
  for (int row = 1; row <= kRows; ++row) plan.committed[row - 1] = MarkedCrn(view.SectionCombo(row));
  return plan;
}

RowCrns CommittedCrns(const planner::Planner& planner) {
  RowCrns crns;
  for (int row = 1; row <= kRows; ++row) crns[row - 1] = planner.Dersler[row].CRN;
  return crns;
}

void PlanFiles::Save() {
  const auto path = view_.Dialog().AskSaveFile(std::string(kPlanFilter));
  if (path) SaveFile(*path);
}

bool PlanFiles::SaveFile(const std::string& path) {
  const std::string bytes = EncodePlan(CapturePlan(planner_, view_));
  try {
    WriteFileAtomically(path, bytes);
  } catch (const IoError& e) {
    Fail(std::string("Ders programı "_w) + Quoted(path) + std::string(" dosyasına kaydedilemedi: "_w) +
         ReasonOf(e, path) + ".");
    return false;
  }
  return true;
}

void PlanFiles::Load(std::string& startup_file) {
  std::string path;
  if (!startup_file.empty()) {
    path = std::move(startup_file);
    startup_file.clear();
  } else {
    const auto chosen = view_.Dialog().AskOpenFile(std::string(kPlanFilter));
    if (!chosen) return;
    path = *chosen;
  }
  LoadFile(path);
}

bool PlanFiles::LoadFile(const std::string& path) {
  PlanFile plan;
  try {
    plan = DecodePlan(ReadPlanBytes(path));
    CheckPaintable(plan);
  } catch (const IoError& e) {
    Fail(Quoted(path) + std::string(" dosyası okunamadı: "_w) + e.what() + ".\n" + std::string(kPlanKept));
    return false;
  } catch (const Error& e) {
    Fail(Quoted(path) + std::string(" bir ders programı dosyası değil ya da bozuk: "_w) + e.what() + ".\n" +
         std::string(kPlanKept));
    return false;
  }
  Apply(plan, path);
  return true;
}

void PlanFiles::Apply(const PlanFile& plan, const std::string& path) {
  planner_.Sifirla();

  // The combos, selected by code: no preview, no quick update.
  for (int row = 1; row <= kRows; ++row) {
    ui::ChoiceList& departments = view_.DepartmentCombo(row);
    departments.SetItemIndex(Find(departments, plan.combos[3 * row - 3], SameTextIgnoringCase));
    if (departments.ItemIndex() < 0) continue;
    planner_.DersKoduEkle(row);
    ui::ChoiceList& codes = view_.CourseCombo(row);
    codes.SetItemIndex(Find(codes, plan.combos[3 * row - 2], Exactly));
    if (codes.ItemIndex() < 0) continue;
    planner_.AcilanDersEkle(row);
    ui::ChoiceList& sections = view_.SectionCombo(row);
    sections.SetItemIndex(Find(sections, plan.combos[3 * row - 1], Exactly));
  }

  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) planner_.Hucreler[day][slot] = plan.cells[day - 1][slot - 1];
  }

  for (int row = 1; row <= kRows; ++row) {
    if (!plan.rows[row - 1]) continue;
    // The lists are replaced, not appended to: a record stored with an empty
    // CRN is not cleared by the reset and would grow with every load.
    planner_.Dersler[row] = RecordOf(*plan.rows[row - 1]);
    for (std::size_t n = 0; n < plan.rows[row - 1]->meetings.size(); ++n) planner_.ShapeGuncelle(row);
  }

  // The marker goes back on the section item that starts with the stored CRN.
  for (int row = 1; row <= kRows; ++row) {
    const std::string& crn = plan.committed[row - 1];
    if (crn.empty()) continue;
    ui::ChoiceList& sections = view_.SectionCombo(row);
    for (int k = 0; k < sections.Count(); ++k) {
      const std::string item = sections.Item(k);
      if (item.substr(0, 5) != crn) continue;
      sections.SetItem(k, item + std::string(planner::kKaydedildi));
      sections.SetItemIndex(k);
      break;
    }
  }

  for (int row = 1; row <= kRows; ++row) planner_.KaliciBoya(row);
  view_.Caption().SetText(view_.Caption().Text() + " - " + Utf8ToCp1254(path));
  planner_.Refresh();
}

void PlanFiles::CRNListeKopyalaClick() { view_.Clip().SetText(CrnListText(CommittedCrns(planner_))); }

void PlanFiles::CRNScriptKopyalaClick() { view_.Clip().SetText(CrnScriptText(CommittedCrns(planner_))); }

void PlanFiles::ExcelExport() {
  const auto path = view_.Dialog().AskSaveFile(std::string(kWorkbookFilter));
  if (path) ExportFile(*path);
}

bool PlanFiles::ExportFile(const std::string& path) {
  try {
    WriteWorkbook(path, ExportSheet(view_.Grid1(), planner_.Hucreler, planner_.Dersler));
  } catch (const Error& e) {
    Fail(std::string("Excel dosyası "_w) + Quoted(path) + std::string(" yazılamadı: "_w) + e.what() + ".");
    return false;
  }
  return true;
}

void PlanFiles::Fail(const std::string& text) { view_.Dialog().Message("HATA", text, ui::Icon::Error); }

}  // namespace kiremo::files
