#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquisition/text/cp1254.h"
#include "catalogue/database.h"
#include "planner/planner.h"
#include "shell/ui/memory_view.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"

namespace kiremo::planner::testing {

using testing_support::CatalogueFixture;
using testing_support::Section;
using testing_support::TempFolder;

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

inline constexpr ui::Colour kPreviewColour{227, 208, 122};
inline constexpr ui::Colour kRed{255, 0, 0};

inline std::string W(std::string_view cp1254) { return std::string(cp1254); }

}  // namespace kiremo::planner::testing
