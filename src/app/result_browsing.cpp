#include "app/result_browsing.h"

namespace kiremo::app {

namespace {

constexpr std::string_view kSection = "ayarlar";
constexpr std::string_view kSortChoice = "siralama";

}  // namespace

void FillSortChoice(ui::MainView& view, const IniFile& settings) {
  ui::ChoiceList& choice = view.Sirala();
  choice.Clear();
  for (const generator::SortChoice& item : generator::SortChoices()) choice.Add(std::string(item.text));
  int chosen = 0;
  try {
    const std::string stored = settings.ReadString(kSection, kSortChoice, "");
    const auto& choices = generator::SortChoices();
    for (int k = 0; k < static_cast<int>(choices.size()); ++k) {
      if (choices[k].setting == stored) chosen = k;
    }
  } catch (const std::exception&) {
    // Like the other settings: an unreadable file leaves the design's choice.
  }
  choice.SetItemIndex(chosen);
}

generator::SortKeys ChosenSortKeys(ui::MainView& view) {
  const int k = view.Sirala().ItemIndex();
  const auto& choices = generator::SortChoices();
  return k >= 0 && k < static_cast<int>(choices.size()) ? choices[k].keys : generator::SortKeys();
}

void ShowResults(ui::MainView& view, const generator::Generator& generator) {
  view.ComboBox31().ShowResults(generator.ResultCount, [&generator](int k, int) { return generator.ItemText(k); });
}

void ReorderResults(ui::MainView& view, generator::Generator& generator) {
  ui::ResultList& list = view.ComboBox31();
  const int selected = list.Count() > 0 ? list.ItemIndex() : -1;
  const int result = selected > 0 ? generator.ResultOfItem(selected) : -1;
  generator.SetSortKeys(ChosenSortKeys(view));
  if (list.Count() == 0) return;
  ShowResults(view, generator);
  for (int item = 1; result >= 0 && item <= generator.ResultCount; ++item) {
    if (generator.ResultOfItem(item) == result) {
      list.SetItemIndex(item);
      break;
    }
  }
}

void WriteSortChoice(ui::MainView& view, IniFile& settings) {
  const int k = view.Sirala().ItemIndex();
  const auto& choices = generator::SortChoices();
  if (k < 0 || k >= static_cast<int>(choices.size())) return;
  const std::string_view chosen = choices[k].setting;
  if (settings.ReadString(kSection, kSortChoice, "") != chosen) settings.WriteString(kSection, kSortChoice, chosen);
}

}  // namespace kiremo::app
