#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/database.h"
#include "generator/generator.h"
#include "generator/result_texts.h"
#include "planner/colours.h"
#include "planner/planner.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"

namespace kiremo::generator::testing {

using testing_support::Section;

// Keeps the boxes the planner shows.
class ShownBoxes : public planner::PlanObserver {
 public:
  void ListsChanged(int) override {}
  void EkleChanged(int) override {}
  void SwatchChanged(int) override {}
  void CellTextChanged(int, int) override {}
  void CellsRecoloured() override {}
  void ConstraintsChanged() override {}
  void StatusChanged() override {}
  void CaptionChanged() override {}
  void Show(const Notice& notice) override { notices.push_back(notice); }
  void OpenAddress(const std::string&) override {}
  std::vector<Notice> notices;
};

// A program folder with a catalogue, the planner and the generator wired as
// the window wires them: the panel's values, a result list that lists what a
// generation says and the boxes it shows.
class GeneratorWorld : public ::testing::Test {
 protected:
  GeneratorWorld()
      : catalogue(folder.Path()),
        planner(query1, folder.Path(), "http://forum.example/", "Plan"),
        generator(planner, query1) {
    planner.SetObserver(&boxes);
    planner.SetDepartmentFilter([this] {
      return planner::DepartmentFilter{panel.own_department_only, panel.own_department};
    });
    planner::ResetHooks hooks;
    hooks.clear_free_days_and_results = [this] {
      panel.free_days = {};
      listed = 0;
      selected = -1;
    };
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
    planner.SelectDepartment(row, planner.Row(row).department.IndexOf(department));
    planner.DersKoduEkle(row);
    planner.SelectCourse(row, planner.Row(row).course.IndexOf(course));
    planner.AcilanDersEkle(row);
  }

  // Chooses a section by its item text, as the student does, and previews it.
  void ChooseSection(int row, const std::string& item) {
    const int k = planner.Row(row).section.IndexOf(item);
    ASSERT_GE(k, 0) << "no item " << item;
    planner.SelectSection(row, k);
    planner.SectionChosen(row);
  }

  // "Oluştur" as the window runs it: an error leaves the list as it was.
  void Generate() {
    const Generation generation = generator.btnYerlestirClick(panel);
    listed = generation.listed;
    selected = listed > 0 ? 0 : -1;
    shown.insert(shown.end(), generation.notices.begin(), generation.notices.end());
  }

  // The student picks item k of the result list.
  void Apply(int k) {
    selected = k;
    generator.ComboBox31Change(k);
  }

  int ResultListCount() const { return listed > 0 ? listed + 1 : 0; }

  // The CRNs of the committed rows, in row order.
  std::vector<std::string> CommittedCrns() const {
    std::vector<std::string> crns;
    for (int row = 1; row <= 10; ++row) {
      if (!planner.Ders(row).CRN.empty()) crns.push_back(planner.Ders(row).CRN);
    }
    return crns;
  }

  std::vector<std::string> ResultItems() const {
    std::vector<std::string> items;
    for (int k = 0; k < ResultListCount(); ++k) items.push_back(ResultItemText(k, listed));
    return items;
  }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture catalogue;
  catalogue::CatalogueQuery query1;
  GeneratorPanel panel;
  ShownBoxes boxes;
  planner::Planner planner;
  Generator generator;
  int listed = 0;     // alternatives in the result list
  int selected = -1;  // its selected item
  std::vector<Notice> shown;
};

}  // namespace kiremo::generator::testing
