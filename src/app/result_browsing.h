#pragma once

#include "app/ini_file.h"
#include "generator/generator.h"
#include "generator/sort_keys.h"
#include "view/main_view.h"

// The generator's result list in the window: its texts in the chosen order
// and the "Sırala" choice, which config.ini remembers as "siralama".
namespace kiremo::app {

// Lists the choices and selects the remembered one (the search order when
// none is, or the file cannot be read).
void FillSortChoice(ui::MainView& view, const IniFile& settings);

// The keys of the chosen item; none when nothing is chosen.
generator::SortKeys ChosenSortKeys(ui::MainView& view);

// Lists the results in the generator's order with the summary selected.
void ShowResults(ui::MainView& view, const generator::Generator& generator);

// Puts a listed result list in the chosen order without searching again;
// the alternative that was selected stays selected.
void ReorderResults(ui::MainView& view, generator::Generator& generator);

// Remembers the choice at the window's close, when it differs from the
// stored one (so a program that never changes it leaves the file alone).
void WriteSortChoice(ui::MainView& view, IniFile& settings);

}  // namespace kiremo::app
