#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp1254.h"
#include "catalogue/database.h"
#include "planner/planner.h"
#include "view/memory_view.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"

namespace kiremo::planner::testing {

using testing_support::CatalogueFixture;
using testing_support::Section;
using testing_support::TempFolder;

inline std::string W(std::string_view cp1254) { return std::string(cp1254); }

inline constexpr const char* kForum = "http://127.0.0.1:9/forum/";

// A program folder with a catalogue, the window in memory and the planner
// on it, reset as at start-up. Tests fill the catalogue before Start().
class PlannerTest : public ::testing::Test {
 protected:
  PlannerTest() : store(folder.Path()), query1(store.ConnectionString()) {}

  void Start() { planner.Sifirla(); }

  // The student picks items by their text, as the window routes it.
  void PickDepartment(int row, const std::string& code) {
    Pick(Departments(row), code);
    planner.DersKoduEkle(row);
  }
  void PickCourse(int row, const std::string& code) {
    Pick(Codes(row), code);
    planner.AcilanDersEkle(row);
  }
  // The section whose item starts with the CRN.
  void PickSection(int row, const std::string& crn) {
    ui::MemoryChoiceList& sections = Sections(row);
    for (int k = 0; k < sections.Count(); ++k) {
      if (sections.Item(k).rfind(crn + ":", 0) == 0) {
        sections.SetItemIndex(k);
        planner.SectionChosen(row);
        return;
      }
    }
    FAIL() << "no section " << crn;
  }
  // Department, course and section chosen, then "Ekle".
  void Commit(int row, const std::string& department, const std::string& course, const std::string& crn) {
    PickDepartment(row, department);
    PickCourse(row, course);
    PickSection(row, crn);
    planner.KaydetClick(row);
  }

  int Cell(int column, int row) const { return planner.Hucreler[column][row]; }
  ui::Colour Colour(int column, int row) { return view.Grid1().CellColour(column, row); }
  std::string Text(int column, int row) { return view.Grid1().CellText(column, row); }
  bool Ekle(int row) { return view.Kaydet(row).Enabled(); }
  ui::MemoryChoiceList& Departments(int row) { return view.ComboBox(3 * row - 2); }
  ui::MemoryChoiceList& Codes(int row) { return view.ComboBox(3 * row - 1); }
  ui::MemoryChoiceList& Sections(int row) { return view.ComboBox(3 * row); }
  ui::MemoryChoiceList& Teachers(int row) { return view.HocaCombo(row); }

  TempFolder folder;
  CatalogueFixture store;
  catalogue::CatalogueQuery query1;
  ui::MemoryView view;
  Planner planner{view, query1, folder.Path(), kForum};

 private:
  static void Pick(ui::MemoryChoiceList& list, const std::string& text) {
    for (int k = 0; k < list.Count(); ++k) {
      if (list.Item(k) == text) {
        list.SetItemIndex(k);
        return;
      }
    }
    FAIL() << "no item " << text;
  }
};

// One department of sections made for the grid: single meetings at the
// edges of the day, overlaps, a "BO" meeting last and in the middle, and two
// meetings on one day.
class TermTest : public PlannerTest {
 protected:
  void SetUp() override {
    store.Department(
        "ELK",
        {Section("100", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D101", "ELK", "Devre Teorisi"),
         Section("101", "ELK 101", "Ali Veli", "Pazartesi", "0930/1129"),
         Section("102", "ELK 101", "Can Er", "Sali", "2130/2229"),
         Section("103", "ELK 101", "Can Er", W("Çarşamba"_w), "2030/2229"),
         Section("104", "ELK 101", "Can Er", W("Perşembe"_w), "1230/1329", W("Boş"_w)),
         Section("200", "ELK 202", "Deniz Su", "Pazartesi", "0830/0929"),
         Section("201", "ELK 202", "Deniz Su", "Cuma", "0830/0929"),
         Section("300", "ELK 303", "Ece Ay", W("Pazartesi|Boş"_w), "0830/0929|1030/1129", "EEB|MED", "D1|D2"),
         Section("301", "ELK 303", "Ece Ay", W("Pazartesi|Boş|Cuma"_w), "0830/0929|1030/1129|1330/1529",
                 "A|B|C", "1|2|3"),
         Section("302", "ELK 303", "Ece Ay", "Pazartesi|Pazartesi", "0830/1029|1030/1229", "A|B", "1|2")});
    Start();
  }
};

inline constexpr ui::Colour kPreviewColour{227, 208, 122};
inline constexpr ui::Colour kRed{255, 0, 0};

}  // namespace kiremo::planner::testing
