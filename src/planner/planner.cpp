#include "planner/planner.h"

namespace kiremo::planner {

Planner::Planner(ui::MainView& view, catalogue::CatalogueQuery& query1, std::string program_folder,
                 std::string forum_url)
    : view_(view), query1_(query1), program_folder_(std::move(program_folder)), forum_url_(std::move(forum_url)) {}

void Planner::SectionChosen(int row) {
  GeciciSil();
  GeciciBilgiKaydet(view_.DepartmentCombo(row), view_.SectionCombo(row));
  GeciciBoya(row);
}

void Planner::KaydetClick(int row) {
  BilgiKaydet(row);
  KaliciBoya(row);
}

void Planner::Grid1SelectCell(int column, int row) {
  GeciciSil();
  SeciliSatir = row;
  SeciliSutun = column;
  BilgiGoster(SeciliSatir, SeciliSutun);
}

void Planner::btnCikarClick() { DersCikar(SeciliSatir, SeciliSutun, 0); }

}  // namespace kiremo::planner
