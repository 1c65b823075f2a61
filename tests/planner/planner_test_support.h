#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "planner/colours.h"
#include "planner/planner.h"
#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::planner::testing {

using testing_support::CatalogueFixture;
using testing_support::Section;
using testing_support::TempFolder;

inline std::string W(std::string_view cp1254) { return std::string(cp1254); }

inline constexpr const char* kForum = "http://127.0.0.1:9/forum/";
inline constexpr const char* kTitle = "Plan";

// What a window would show of the planner: the cells coloured as each
// refresh leaves them, the boxes shown and the addresses opened.
class RecordingWindow : public PlanObserver {
 public:
  explicit RecordingWindow(const Planner& planner) : planner_(planner) {
    for (auto& column : colours) column.fill(kWhite);
  }
  void ListsChanged(int) override {}
  void EkleChanged(int) override {}
  void SwatchChanged(int) override {}
  void CellTextChanged(int, int) override {}
  void CellsRecoloured() override {
    for (int day = 1; day <= kDays; ++day) {
      for (int slot = 1; slot <= kSlots; ++slot) {
        if (const auto colour = CellColour(planner_.ShownCell(day, slot))) colours[day][slot] = *colour;
      }
    }
  }
  void ConstraintsChanged() override {}
  void StatusChanged() override {}
  void CaptionChanged() override {}
  void Show(const Notice& notice) override { notices.push_back(notice); }
  void OpenAddress(const std::string& address) override { opened.push_back(address); }

  std::array<std::array<std::uint32_t, kSlots + 1>, kDays + 1> colours;
  std::vector<Notice> notices;
  std::vector<std::string> opened;

 private:
  const Planner& planner_;
};

// A program folder with a catalogue and the planner on it, reset as at
// start-up. Tests fill the catalogue before Start().
class PlannerTest : public ::testing::Test {
 protected:
  PlannerTest() : store(folder.Path()), query1(store.ConnectionString()) {
    planner.SetObserver(&window);
    planner.SetDepartmentFilter([this] { return filter; });
  }

  void Start() { planner.Sifirla(); }

  // The student picks items by their text, as the window routes it.
  void PickDepartment(int row, const std::string& code) {
    planner.SelectDepartment(row, IndexOf(Departments(row).items, code));
    planner.DersKoduEkle(row);
  }
  void PickCourse(int row, const std::string& code) {
    planner.SelectCourse(row, IndexOf(Codes(row).items, code));
    planner.AcilanDersEkle(row);
  }
  // The section whose item starts with the CRN.
  void PickSection(int row, const std::string& crn) {
    const SectionChoices& sections = Sections(row);
    for (int k = 0; k < sections.Count(); ++k) {
      if (sections.ItemText(k).rfind(crn + ":", 0) == 0) {
        planner.SelectSection(row, k);
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

  int Cell(int column, int row) const { return planner.Cell(column, row); }
  std::uint32_t Colour(int column, int row) const { return window.colours[column][row]; }
  std::string Text(int column, int row) const { return planner.CellText(column, row); }
  bool Ekle(int row) const { return planner.Row(row).ekle; }
  std::uint32_t Swatch(int row) const { return planner.Row(row).swatch; }
  const Choices& Departments(int row) const { return planner.Row(row).department; }
  const Choices& Codes(int row) const { return planner.Row(row).course; }
  const SectionChoices& Sections(int row) const { return planner.Row(row).section; }
  const Choices& Teachers(int row) const { return planner.Row(row).teacher; }
  // The section list's items as the window shows them.
  std::vector<std::string> SectionItems(int row) const { return Sections(row).Texts(); }

  TempFolder folder;
  CatalogueFixture store;
  catalogue::CatalogueQuery query1;
  DepartmentFilter filter{true, "ELK"};
  Planner planner{query1, folder.Path(), kForum, kTitle};
  RecordingWindow window{planner};

 private:
  static int IndexOf(const std::vector<std::string>& items, const std::string& text) {
    for (std::size_t k = 0; k < items.size(); ++k) {
      if (items[k] == text) return static_cast<int>(k);
    }
    ADD_FAILURE() << "no item " << text;
    return -1;
  }
};

// One department of sections made for the grid: single meetings at the
// edges of the day, overlaps, a "BO" meeting last and in the middle, and two
// meetings on one day.
class TermTest : public PlannerTest {
 protected:
  void SetUp() override {
    store.Department(
        "ELK", {Section("100", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029", "EEB", "D101", "ELK", "Devre Teorisi"),
                Section("101", "ELK 101", "Ali Veli", "Pazartesi", "0930/1129"),
                Section("102", "ELK 101", "Can Er", "Sali", "2130/2229"),
                Section("103", "ELK 101", "Can Er", W("Çarşamba"_w), "2030/2229"),
                Section("104", "ELK 101", "Can Er", W("Perşembe"_w), "1230/1329", W("Boş"_w)),
                Section("200", "ELK 202", "Deniz Su", "Pazartesi", "0830/0929"),
                Section("201", "ELK 202", "Deniz Su", "Cuma", "0830/0929"),
                Section("300", "ELK 303", "Ece Ay", W("Pazartesi|Boş"_w), "0830/0929|1030/1129", "EEB|MED", "D1|D2"),
                Section("301", "ELK 303", "Ece Ay", W("Pazartesi|Boş|Cuma"_w), "0830/0929|1030/1129|1330/1529", "A|B|C",
                        "1|2|3"),
                Section("302", "ELK 303", "Ece Ay", "Pazartesi|Pazartesi", "0830/1029|1030/1229", "A|B", "1|2")});
    Start();
  }
};

inline constexpr std::uint32_t kPreviewColour = 0xE3D07A;
inline constexpr std::uint32_t kRed = 0xFF0000;

}  // namespace kiremo::planner::testing
