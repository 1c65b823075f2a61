#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "catalogue/database.h"
#include "planner/tders.h"
#include "view/main_view.h"

namespace kiremo::planner {

// Grid cell states, [day column 1..5][hour row 1..14]; index 0 is unused.
// 0 empty, 1..10 committed by that row, 15 previewed, 16..25 previewed over
// a cell committed by row value-15.
using CellStates = std::array<std::array<int, 15>, 6>;

// What the reset does beyond the planner: clear the full update's
// connection-message flag, empty the generator's candidates, and read the
// stored settings into the widgets (its last step before the final refresh).
struct ResetHooks {
  std::function<void()> clear_connection_error_shown;
  std::function<void()> clear_candidates;
  std::function<void()> apply_stored_settings;
};

// The manual planner: the ten course rows, their records, the grid's cell
// states, committing, removing, resetting, the details line and the web
// lookups. It works on the window through ui::MainView and reads the
// catalogue through the window's single query object.
class Planner {
 public:
  Planner(ui::MainView& view, catalogue::CatalogueQuery& query1, std::string program_folder,
          std::string forum_url);

  void SetResetHooks(ResetHooks hooks) { hooks_ = std::move(hooks); }

  // State, rows 1..10 (entry 0 is unused).
  std::array<TDers, 11> Dersler;
  TDers GeciciDers;
  CellStates Hucreler{};
  int SeciliSatir = 0;
  int SeciliSutun = 0;
  int BilgiSatiri = 0;

  ui::MainView& View() { return view_; }
  catalogue::CatalogueQuery& Query1() { return query1_; }
  const std::string& ProgramFolder() const { return program_folder_; }

  // Course rows.
  void BirinciComboBoxDoldur(ui::ChoiceList& combo);
  void DersKoduEkle(int row);
  void AcilanDersEkle(int row);

  // Grid.
  void KaliciBoya(int row);
  void GeciciBoya(int row);
  void GeciciSil();
  void Refresh();
  void ShapeGuncelle(int row);

  // Committing, removing, resetting.
  void GeciciBilgiKaydet(ui::ChoiceList& department, ui::ChoiceList& section);
  void BilgiKaydet(int row);
  void KaydedildiSil(ui::ChoiceList& section);
  void DersCikar(int grid_row, int grid_column, int course_row);
  void Sifirla();

  // Details and lookups.
  void BilgiGoster(int grid_row, int grid_column);
  void BilgiAl(int row, int kind);

  // Events of the window, in the order the routing gives.
  void SectionChosen(int row);                 // GeciciSil; GeciciBilgiKaydet; GeciciBoya
  void KaydetClick(int row);                   // BilgiKaydet; KaliciBoya
  void Grid1SelectCell(int column, int row);   // GeciciSil; remember; BilgiGoster
  void btnCikarClick();                        // DersCikar(SeciliSatir, SeciliSutun, 0)

 private:
  ui::MainView& view_;
  catalogue::CatalogueQuery& query1_;
  std::string program_folder_;
  std::string forum_url_;
  ResetHooks hooks_;
};

// Percent-encoding of the teacher lookup: 26 characters become "%XX",
// everything else (Turkish letters included) stays a single byte.
std::string URLEncode(std::string_view text);

// The background of a cell state or a row's swatch; nothing for values the
// colour table lacks (11..14, above 25, below 0).
std::optional<ui::Colour> CellColour(int value);

}  // namespace kiremo::planner
