// Any bytes as a schedule file opened with "Aç": loaded into the planner on
// a window in memory over a small catalogue. A file that is refused leaves
// the plan on screen untouched and says why in one "HATA" box; a file that
// is taken gives a plan that a save and a load bring back unchanged.
#include <cstddef>
#include <cstdint>

#include "app/plan_commands.h"
#include "app/plan_view.h"
#include "catalogue/file_system.h"
#include "files/dkf_format.h"
#include "fuzz_support.h"
#include "plan_texts.h"
#include "planner/planner.h"
#include "support/catalogue_fixture.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"
#include "view/memory_view.h"

namespace {

using namespace kiremo;
using testing_support::Section;

// The program folder, its catalogue and the window, made once per process.
struct Window {
  Window()
      : store(fuzz::ScratchFolder()),
        query1(store.ConnectionString()),
        planner(query1, store.Folder(), "http://forum.example/", "Plan"),
        shown(planner, view),
        files(planner, view) {
    planner.SetObserver(&shown);
    planner.SetDepartmentFilter([this] {
      return planner::DepartmentFilter{view.CheckBox1().Checked(), view.Edit1().Text()};
    });
    store.Department(
        "ELK",
        {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D101"),
         Section("21002", "ELK 101", "Can Er", "Sali|Cuma", "1330/1529|0830/0929", "EEB|MED", "D1|D2"),
         Section("21003", "ELK 102", "Deniz Su", std::string("Çarşamba|Bos"_w), "0930/1129|/", "EEB|--", "D1|--"),
         Section("21004", "ELK 102", "Ece Ay", std::string("Perşembe"_w), "2030/2229")});
    store.Department(
        "MAT", {Section("30001", "MAT 101", "Ece Ay", "Pazartesi", "0930/1029", "FEB", "F1", std::string("TÜM"_w))});
    store.Department(std::string("ÇEV"_w), {Section("40001", std::string("ÇEV 201"_w), "Fikri Su", "Cuma", "1430/1729",
                                                    "INB", "I1", std::string("ÇEV"_w))});
    planner.Sifirla();
  }

  testing_support::CatalogueFixture store;
  ui::MemoryView view;
  catalogue::CatalogueQuery query1;
  planner::Planner planner;
  app::PlanView shown;
  app::PlanCommands files;
};

Window& TheWindow() {
  static Window window;
  return window;
}

// What the student sees of the plan and what a save would write of it.
struct Screen {
  planner::CellStates cells;
  std::array<std::vector<std::string>, 30> items;
  std::array<int, 30> selected;
  std::string caption;
  std::string records;

  bool operator==(const Screen&) const = default;
};

std::string RecordText(const planner::TDers& ders) {
  std::string text = ders.DersKodu + '\0' + ders.DersAdi + '\0' + ders.CRN + '\0' + ders.Ogretmen + '\0' +
                     std::to_string(ders.BlokSayisi);
  for (const auto* list : {&ders.Binalar, &ders.Gunler, &ders.Saatler, &ders.Derslikler}) {
    text += '\1';
    for (const std::string& entry : *list) text += entry + '\0';
  }
  return text;
}

Screen Look(Window& w) {
  Screen screen;
  screen.cells = w.planner.Hucreler();
  for (int n = 1; n <= 30; ++n) {
    screen.items[n - 1] = w.view.ComboBox(n).Items();
    screen.selected[n - 1] = w.view.ComboBox(n).ItemIndex();
  }
  screen.caption = w.view.Caption().Text();
  for (int row = 1; row <= 10; ++row) screen.records += RecordText(w.planner.Ders(row)) + '\2';
  return screen;
}

bool KnownCellState(int value) { return (value >= 0 && value <= 10) || (value >= 15 && value <= 25); }

// Preview marks are not part of a saved plan.
void DropPreviewMarks(planner::CellStates& cells) {
  for (auto& day : cells) {
    for (int& value : day) {
      if (value == 15) value = 0;
      if (value >= 16 && value <= 25) value -= 15;
    }
  }
}

// Whether the file's plan survives a save: its texts fit in string items.
bool Storable(std::string_view bytes) {
  try {
    return fuzz::FitsTheFormat(files::DecodePlan(bytes));
  } catch (const files::PlanFormatError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  Window& w = TheWindow();
  w.planner.Sifirla();
  w.view.Dialog().messages.clear();
  const Screen before = Look(w);

  const std::string path = fuzz::ScratchFolder() + "plan.dkf";
  WriteFileAtomically(path, fuzz::Bytes(data, size));
  if (!w.files.LoadFile(path)) {
    KIREMO_EXPECT(Look(w) == before);
    KIREMO_EXPECT(w.view.Dialog().messages.size() == 1 && w.view.Dialog().messages[0].caption == "HATA");
    return 0;
  }
  KIREMO_EXPECT(w.view.Dialog().messages.empty());
  KIREMO_EXPECT(EndsWith(w.view.Caption().Text(), " - " + Utf8ToCp1254(path)));
  for (int day = 1; day <= 5; ++day) {
    for (int slot = 1; slot <= 14; ++slot) KIREMO_EXPECT(KnownCellState(w.planner.Cell(day, slot)));
  }

  if (!Storable(fuzz::Bytes(data, size))) return 0;

  // Saved and opened again, the plan is the same.
  Screen loaded = Look(w);
  const std::string again = fuzz::ScratchFolder() + "again.dkf";
  KIREMO_EXPECT(w.files.SaveFile(again));
  KIREMO_EXPECT(w.files.LoadFile(again));
  Screen reloaded = Look(w);
  reloaded.caption = loaded.caption;
  DropPreviewMarks(loaded.cells);
  DropPreviewMarks(reloaded.cells);
  KIREMO_EXPECT(reloaded == loaded);
  return 0;
}
