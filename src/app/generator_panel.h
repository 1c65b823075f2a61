#pragma once

#include "generator/panel.h"
#include "view/main_view.h"

namespace kiremo::app {

// The generator panel and the department filter as the window shows them.
generator::GeneratorPanel ReadGeneratorPanel(ui::MainView& view);

}  // namespace kiremo::app
