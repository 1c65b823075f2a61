#include <algorithm>

#include "app/app.h"
#include "app/constraint_texts.h"

namespace kiremo::app {

namespace {

// The CRN of item `item` of the row's section list; empty for a marker
// ("Seçin", "Yok") or an index outside the list.
std::string CrnOfItem(const planner::Planner& planner, int row, int item) {
  const auto& items = planner.Row(row).section.items;
  return item >= 0 && item < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(item)].crn : std::string();
}

// The names of the steps in the "Düzen" menu, after a CRN.
constexpr std::string_view kLockStep = " sabitleme";
constexpr std::string_view kUnlockStep = " sabitlemesini kaldırma"_w;
constexpr std::string_view kExcludeStep = " hariç tutma";
constexpr std::string_view kIncludeStep = " hariç tutmasını kaldırma"_w;
constexpr std::string_view kBusyStep = "Boş saat ekleme"_w;
constexpr std::string_view kFreeStep = "Boş saat kaldırma"_w;

bool PreviewShown(const planner::Planner& planner) {
  for (int day = 1; day <= planner::kDays; ++day) {
    for (int slot = 1; slot <= planner::kSlots; ++slot) {
      const int state = planner.Cell(day, slot);
      if (state == planner::kPreview || planner::IsClash(state)) return true;
    }
  }
  return false;
}

}  // namespace

void App::PreviewAgain() {
  const int row = previewed_row_;
  if (row == 0 || planner_.Row(row).section.index < 0 || !PreviewShown(planner_)) return;
  planner_.SectionChosen(row);
}

void App::LockSectionClick(int row, int item) {
  Step([&](std::string& name) {
    const std::string crn = CrnOfItem(planner_, row, item);
    if (crn.empty()) return;
    if (planner_.StudentConstraints().locked[row - 1] == crn) {
      name = crn + std::string(kUnlockStep);
      planner_.Unlock(row);
    } else {
      name = crn + std::string(kLockStep);
      planner_.Lock(row, crn);
    }
    PreviewAgain();
  });
}

void App::ExcludeSectionClick(int row, int item) {
  Step([&](std::string& name) {
    const std::string crn = CrnOfItem(planner_, row, item);
    if (crn.empty()) return;
    if (planner_.StudentConstraints().excluded.contains(crn)) {
      name = crn + std::string(kIncludeStep);
      planner_.Include(crn);
    } else {
      name = crn + std::string(kExcludeStep);
      planner_.Exclude(crn);
    }
    PreviewAgain();
  });
}

void App::SwatchLockClick(int row) {
  Step([&](std::string& name) {
    const std::string& locked = planner_.StudentConstraints().locked[row - 1];
    if (!locked.empty()) {
      name = locked + std::string(kUnlockStep);
      planner_.Unlock(row);
    } else {
      name = planner_.Ders(row).CRN + std::string(kLockStep);
      planner_.Lock(row, planner_.Ders(row).CRN);  // an empty row locks nothing
    }
    PreviewAgain();
  });
}

void App::BusyCellsClick(const std::vector<planner::GridCell>& cells, bool busy) {
  Step([&](std::string& name) {
    name = busy ? kBusyStep : kFreeStep;
    for (const auto& [day, slot] : cells) planner_.SetBusy(day, slot, busy);
    PreviewAgain();
  });
}

MenuEntries App::SectionMenu(int row, int item) {
  const std::string crn = CrnOfItem(planner_, row, item);
  if (crn.empty() || rows_wait_for_update_) return {};
  const planner::Constraints& constraints = planner_.StudentConstraints();
  const bool locked = constraints.locked[row - 1] == crn;
  const bool excluded = constraints.excluded.contains(crn);
  return {
      {std::string(locked ? kUnlockSection : kLockSection), true, [this, row, item] { LockSectionClick(row, item); }},
      {std::string(excluded ? kIncludeSection : kExcludeSection), true,
       [this, row, item] { ExcludeSectionClick(row, item); }}};
}

MenuEntries App::SwatchMenu(int row) {
  if (rows_wait_for_update_) return {};
  const bool locked = !planner_.StudentConstraints().locked[row - 1].empty();
  const bool committed = !planner_.Ders(row).CRN.empty();
  return {{std::string(locked ? kUnlockSection : kLockSection), locked || committed,
           [this, row] { SwatchLockClick(row); }}};
}

MenuEntries App::CellMenu(const std::vector<planner::GridCell>& cells) {
  // Busy hours belong to the plan the update gives back.
  if (rows_wait_for_update_) return {};
  std::vector<planner::GridCell> body;
  for (const auto& [day, slot] : cells) {
    if (planner::InsideGridBody(day, slot)) body.emplace_back(day, slot);
  }
  const auto busy = [this](const planner::GridCell& cell) { return planner_.Busy(cell.first, cell.second); };
  MenuEntries entries;
  // A sweep over free and busy cells offers both.
  if (!std::all_of(body.begin(), body.end(), busy)) {
    const std::string keep = body.size() == 1
                                 ? std::string(kKeepHourFree)
                                 : std::string(kKeepHoursFree) + " (" + std::to_string(body.size()) + " saat)";
    entries.push_back({keep, true, [this, body] { BusyCellsClick(body, true); }});
  }
  if (std::any_of(body.begin(), body.end(), busy)) {
    entries.push_back({std::string(kFreeHourAgain), true, [this, body] { BusyCellsClick(body, false); }});
  }
  return entries;
}

}  // namespace kiremo::app
