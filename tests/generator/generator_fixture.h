#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/database.h"
#include "generator/generator.h"
#include "planner/planner.h"
#include "view/memory_view.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"

namespace kiremo::generator::testing {

using testing_support::Section;

// A program folder with a catalogue, the window in memory, the planner and
// the generator wired as the window wires them.
class GeneratorWorld : public ::testing::Test {
 protected:
  GeneratorWorld()
      : catalogue(folder.Path()),
        planner(view, query1, folder.Path(), "http://forum.example/"),
        generator(planner, view, query1) {
    planner::ResetHooks hooks;
    hooks.clear_candidates = [this] { generator.ClearCandidates(); };
    planner.SetResetHooks(std::move(hooks));
  }

  // Connects the query and fills the department lists, as start-up does.
  void Start() {
    query1.SetConnectionString(catalogue.ConnectionString());
    planner.Sifirla();
  }

  // Chooses the department and the course in a row, as the student does.
  void Choose(int row, const std::string& department, const std::string& course) {
    SelectItem(view.DepartmentCombo(row), department);
    planner.DersKoduEkle(row);
    SelectItem(view.CourseCombo(row), course);
    planner.AcilanDersEkle(row);
  }

  static void SelectItem(ui::ChoiceList& list, const std::string& text) {
    for (int k = 0; k < list.Count(); ++k) {
      if (list.Item(k) == text) return list.SetItemIndex(k);
    }
    FAIL() << "no item " << text;
  }

  // The CRNs of alternative k's committed rows, in row order.
  std::vector<std::string> CommittedCrns() const {
    std::vector<std::string> crns;
    for (int row = 1; row <= 10; ++row) {
      if (!planner.Dersler[row].CRN.empty()) crns.push_back(planner.Dersler[row].CRN);
    }
    return crns;
  }

  std::vector<std::string> ResultItems() {
    std::vector<std::string> items;
    for (int k = 0; k < view.ComboBox31().Count(); ++k) items.push_back(view.ComboBox31().Item(k));
    return items;
  }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture catalogue;
  ui::MemoryView view;
  catalogue::CatalogueQuery query1;
  planner::Planner planner;
  Generator generator;
};

}  // namespace kiremo::generator::testing
