#include "view/widgets.h"

#include <algorithm>
#include <stdexcept>

#include "text/cp1254.h"

namespace kiremo::ui {

int ChoiceList::IndexOf(std::string_view text) const {
  for (int k = 0; k < Count(); ++k) {
    if (Item(k) == text) return k;
  }
  return -1;
}

void ChoiceList::Show(const std::vector<std::string>& items, int index) {
  const int count = static_cast<int>(items.size());
  bool same = Count() == count;
  for (int k = 0; same && k < count; ++k) same = Item(k) == items[k];
  if (!same) {
    Clear();
    for (const std::string& item : items) Add(item);
  }
  SetItemIndex(index);
}

void ChoiceList::ShowTips(const std::vector<std::string>& tips) {
  const int count = std::min(Count(), static_cast<int>(tips.size()));
  for (int k = 0; k < count; ++k) {
    if (ItemTip(k) != tips[k]) SetItemTip(k, tips[k]);
  }
}

void ChoiceList::ShowCrossedOut(const std::vector<bool>& crossed_out) {
  const int count = std::min(Count(), static_cast<int>(crossed_out.size()));
  for (int k = 0; k < count; ++k) {
    if (ItemCrossedOut(k) != crossed_out[k]) SetItemCrossedOut(k, crossed_out[k]);
  }
}

}  // namespace kiremo::ui
