#include "cli/plan_session.h"

#include "acquisition/hosts.h"
#include "app/stored_settings.h"
#include "catalogue/catalogue_files.h"
#include "cli/catalogue_access.h"
#include "files/plan_io.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/program.h"
#include "text/text_helpers.h"

namespace kiremo::cli {

int FindChoice(const planner::Choices& list, const std::string& text) {
  const int exact = list.IndexOf(text);
  return exact >= 0 ? exact : list.IndexOfIgnoringCase(text);
}

PlanSession::PlanSession(const std::string& program_folder)
    : query1(catalogue::MakeConnectionString(program_folder, catalogue::kMainCatalogue)),
      settings(program_folder + std::string(app::kSettingsFile)),
      panel(app::StoredPanel(settings)),
      planner(query1, program_folder, ForumUrl(), ProgramTitle()),
      no_departments_(ReadDepartments(program_folder).empty()) {
  planner.SetObserver(&shown);
  planner.SetDepartmentFilter([this] {
    return planner::DepartmentFilter{panel.own_department_only, panel.own_department};
  });
  planner.Sifirla();
}

planner::PlanSnapshot ReadPlan(const std::string& path) {
  try {
    return files::ReadPlanFile(path);
  } catch (const files::FileCommandError& e) {
    // The window's box ends by saying the plan on the screen stayed; there
    // is no screen here.
    std::string message = e.what();
    const std::string screen_line = "\n" + std::string(files::kPlanKept);
    if (EndsWith(message, screen_line)) message.resize(message.size() - screen_line.size());
    throw files::FileCommandError(message);
  }
}

void PlanSession::Load(const std::string& path) { planner.Restore(ReadPlan(path), Utf8ToCp1254(path)); }

void PlanSession::ChooseCourse(int row, const std::string& course) {
  const std::string department = course.substr(0, 3);
  planner.SelectDepartment(row, FindChoice(planner.Row(row).department, department));
  if (no_departments_) throw NoDepartmentsYet();
  if (planner.Row(row).department.index < 0) throw Error(department + std::string(" bölümü bölüm listesinde yok."_w));
  // A catalogue that cannot be read lists no course: that is what to say,
  // not that the course is missing.
  try {
    query1.Db();
  } catch (const DamagedCatalogueError&) {
    throw DatabaseError(std::string(kDamagedCatalogue));
  }
  planner.DersKoduEkle(row);
  planner.SelectCourse(row, FindChoice(planner.Row(row).course, course));
  if (planner.Row(row).course.index < 0) {
    throw Error(course + std::string(" dersi "_w) + planner.Row(row).department.Text() +
                std::string(" bölümünde yok."_w));
  }
  planner.AcilanDersEkle(row);
}

}  // namespace kiremo::cli
