#include "planner/choices.h"

#include "planner/markers.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

std::string Choices::Text() const { return index >= 0 && index < Count() ? items[index] : std::string(); }

void Choices::Clear() {
  items.clear();
  index = -1;
}

void Choices::Select(int k) { index = k >= 0 && k < Count() ? k : -1; }

int Choices::IndexOf(std::string_view text) const {
  for (int k = 0; k < Count(); ++k) {
    if (items[k] == text) return k;
  }
  return -1;
}

int Choices::IndexOfIgnoringCase(std::string_view text) const {
  for (int k = 0; k < Count(); ++k) {
    if (SameTextIgnoringCase(items[k], text)) return k;
  }
  return -1;
}

std::string SectionChoices::ItemText(int k) const {
  std::string text = items[k].text;
  if (k == marked) text += kKaydedildi;
  return text;
}

std::vector<std::string> SectionChoices::Texts() const {
  std::vector<std::string> texts;
  for (int k = 0; k < Count(); ++k) texts.push_back(ItemText(k));
  return texts;
}

std::vector<std::string> SectionChoices::Tips() const {
  std::vector<std::string> tips;
  for (const SectionItem& item : items) tips.push_back(item.tip);
  return tips;
}

int SectionChoices::IndexOf(std::string_view text) const {
  for (int k = 0; k < Count(); ++k) {
    if (ItemText(k) == text) return k;
  }
  return -1;
}

std::string SectionChoices::Text() const { return index >= 0 && index < Count() ? ItemText(index) : std::string(); }

void SectionChoices::Clear() {
  items.clear();
  index = -1;
  marked = -1;
}

void SectionChoices::Select(int k) { index = k >= 0 && k < Count() ? k : -1; }

}  // namespace kiremo::planner
