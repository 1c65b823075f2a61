// Any bytes as a department's schedule page, stored by the quick update and
// then read by everything that reads the catalogue: the course rows, the
// preview and the "Ekle" button, the grid's details line, removal, the
// lookups, the generator, the CRN texts and the spreadsheet export. Each
// event runs through the program's own entry points on a window in memory;
// a stored section may cause only the errors Expected() names, shown in the
// standard error box.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "acquisition/queue_dispatcher.h"
#include "app/app.h"
#include "catalogue/file_system.h"
#include "fuzz_support.h"
#include "support/catalogue_fixture.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"
#include "view/memory_view.h"

namespace {

using namespace kiremo;

constexpr const char* kSchedule = "http://schedule.fuzz";
constexpr const char* kSite = "http://site.fuzz";

// The schedule server: every address gives the page under test. The site
// of the version check answers nothing. A fetch of the input before may
// still be running on its worker thread when the next input is set.
class PageFetcher : public acquisition::Fetcher {
 public:
  void SetPage(std::string bytes) {
    const std::lock_guard lock(mutex_);
    page_ = std::move(bytes);
  }
  bool answers = true;

 private:
  std::string DoGet(const std::string&, std::stop_token) override {
    if (!answers) throw acquisition::FetchError("no connection");
    const std::lock_guard lock(mutex_);
    return page_;
  }

  std::mutex mutex_;
  std::string page_;
};

// Keeps a search short: a page of many sections can hold millions of
// timetables, which the window would let the student stop.
class ShortSearch : public generator::SearchMonitor {
 public:
  bool Poll(const generator::SearchProgress& progress) override { return progress.nodes > 20000; }
  void Finished() override {}
};

// A program folder whose department list holds ELK and MAT, automatic update
// on, and the program started on it.
struct Program {
  Program()
      : folder(fuzz::ScratchFolder() + "program/"),
        store(folder),
        app((Prepare(), view), dispatcher,
            app::StartupOptions{folder, folder + "kiremo", "",
                                app::XdgFolders{fuzz::ScratchFolder() + "data", fuzz::ScratchFolder() + "config"},
                                app::NetworkParts{pages, site, acquisition::Hosts{kSchedule, kSite}}}) {
    site.answers = false;
    app.SetSearchMonitor(&short_search);
    app.FormCreate();
  }

  void Prepare() {
    store.Department("ELK");
    store.Department("MAT", {testing_support::Section("30001", "MAT 101", "Ece Ay", "Cuma", "0930/1129", "FEB", "F1")});
    WriteFileAtomically(folder + "config.ini", "[ayarlar]\nbolum_kodu=ELK\notomatik_guncelleme=1\n");
  }

  std::string folder;
  testing_support::CatalogueFixture store;
  PageFetcher pages;
  PageFetcher site;
  ShortSearch short_search;
  ui::MemoryView view;
  acquisition::QueueDispatcher dispatcher;
  app::App app;
};

Program& TheProgram() {
  static Program program;
  return program;
}

// Picks item k of a combo box as the student does, raising its event.
void Pick(Program& p, int combo, int k) {
  p.view.ComboBox(combo).SetItemIndex(k);
  const int row = (combo + 2) / 3;
  switch (combo % 3) {
    case 1: p.app.DepartmentChosen(row); break;
    case 2: p.app.CourseChosen(row); break;
    default: p.app.SectionChosen(row); break;
  }
}

// The errors a stored section may cause: a time or day entry that is not a
// number, and a failing read of the catalogue when a course code's first
// three characters name no table (the generator reads a course's sections
// from the table its code names).
bool Expected(const std::string& error) {
  return EndsWith(error, "' is not a valid integer value") || StartsWith(error, "Ders bilgileri okunamadı: "_w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiremo;
  Program& p = TheProgram();
  p.pages.SetPage(std::string(fuzz::Bytes(data, size)));
  // ELK starts empty: a page without a section table leaves the table as it
  // was, and no input may depend on the one before it.
  catalogue::Database& db = p.app.Query1().Db();
  db.DropTable("ELK");
  db.CreateTable("ELK");
  p.app.Sifirla();
  p.view.Dialog().messages.clear();
  p.view.Dialog().errors.clear();

  // Row 1 chooses ELK: the page becomes its table. The other rows take the
  // first course codes of that table, and each previews a few sections and
  // adds the last one it previewed.
  const int elk = p.view.ComboBox(1).IndexOf("ELK");
  KIREMO_EXPECT(elk > 0);
  Pick(p, 1, elk);
  const int codes = p.view.ComboBox(2).Count();
  for (int row = 1; row <= 3 && row < codes; ++row) {
    if (row > 1) {
      p.view.ComboBox(3 * row - 2).SetItemIndex(elk);
      p.app.Plan().DersKoduEkle(row);  // chosen by code: no second fetch
    }
    Pick(p, 3 * row - 1, row);
    const int sections = p.view.ComboBox(3 * row).Count();
    for (int k = 1; k < sections && k <= 4; ++k) Pick(p, 3 * row, k);
    p.app.KaydetClick(row);
    p.app.ButtonClick(row);
    p.app.popDersClick();
    p.app.popHocaClick();
  }

  for (int day = 1; day <= 5; ++day) {
    for (int slot = 1; slot <= 14; ++slot) p.app.Grid1SelectCell(day, slot);
  }
  p.app.CRNListeKopyalaClick();
  p.app.CRNScriptKopyalaClick();
  // A workbook is a dozen files written through the system's temporary
  // folder: one input in eight is enough to keep the export in play.
  if (size % 8 == 0) {
    p.view.Dialog().next_save_names.push_back(fuzz::ScratchFolder() + "plan.xlsx");
    p.app.menuExcelClick();
  }

  p.app.btnYerlestirClick();
  if (p.view.ComboBox31().Count() > 1) {
    p.view.ComboBox31().SetItemIndex(1);
    p.app.ComboBox31Change();
  }
  p.app.Grid1SelectCell(1, 1);
  p.app.btnCikarClick();

  for (const std::string& error : p.view.Dialog().errors) {
    if (!Expected(error)) {
      std::fputs("error box: ", stderr);
      std::fwrite(error.data(), 1, error.size(), stderr);
      std::fputc('\n', stderr);
    }
    KIREMO_EXPECT(Expected(error));
  }
  return 0;
}
