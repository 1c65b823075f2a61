#include "app/generator_panel.h"

namespace kiremo::app {

generator::GeneratorPanel ReadGeneratorPanel(ui::MainView& view) {
  generator::GeneratorPanel panel;
  panel.first_hour = view.EditSt().Text();
  panel.end_hour = view.EditEnd().Text();
  for (int day = 1; day <= 5; ++day) panel.free_days[day - 1] = view.Chk(day).Checked();
  panel.unwanted_buildings = view.Edit2().Text();
  panel.own_department_only = view.CheckBox1().Checked();
  panel.own_department = view.Edit1().Text();
  return panel;
}

}  // namespace kiremo::app
