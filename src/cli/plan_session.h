#pragma once

#include <string>
#include <vector>

#include "app/ini_file.h"
#include "catalogue/database.h"
#include "generator/panel.h"
#include "planner/planner.h"

namespace kiremo::cli {

// Keeps the boxes the planner shows; nothing else of the window exists here.
class ShownNotices : public planner::PlanObserver {
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

// The planner as the window stands after start-up, without a window: the
// program folder's catalogue and department list (NotFetchedError or
// IoError when the list cannot be read), the generator panel and
// the department filter from the stored settings of config.ini (read, never
// written), and a reset.
class PlanSession {
 public:
  explicit PlanSession(const std::string& program_folder);
  PlanSession(const PlanSession&) = delete;
  PlanSession& operator=(const PlanSession&) = delete;

  // Loads a schedule file as "Aç" does; FileCommandError as ReadPlan gives
  // it when the file cannot be read or holds no plan.
  void Load(const std::string& path);

  // Chooses the department and the course in a row as the student does: the
  // item equal to each text, or failing that the one equal to it but for the
  // case of ASCII letters. Error naming what is missing; NotFetchedError
  // when the department list is empty.
  void ChooseCourse(int row, const std::string& course);

  catalogue::CatalogueQuery query1;
  app::IniFile settings;
  generator::GeneratorPanel panel;
  ShownNotices shown;
  planner::Planner planner;

 private:
  bool no_departments_;
};

// A whole schedule file; FileCommandError with the text of the window's
// "HATA" box but for its line about the plan on the screen.
planner::PlanSnapshot ReadPlan(const std::string& path);

// The item equal to the text, or failing that the one equal to it but for
// the case of ASCII letters; -1 when there is none.
int FindChoice(const planner::Choices& list, const std::string& text);

}  // namespace kiremo::cli
