#pragma once

#include <string>
#include <string_view>
#include <vector>

// The planner's own record of a course row's drop-down lists: their items
// and their selection. The window shows them as they are here.
namespace kiremo::planner {

// A list of texts without sorting; -1 selects nothing.
struct Choices {
  std::vector<std::string> items;
  int index = -1;

  int Count() const { return static_cast<int>(items.size()); }
  // The selected item's text, empty when nothing is selected.
  std::string Text() const;
  void Clear();
  // Selects item k; anything outside the list selects nothing.
  void Select(int k);
  // The first item equal to the text, -1 for none.
  int IndexOf(std::string_view text) const;
  // The first item equal to the text but for the case of ASCII letters.
  int IndexOfIgnoringCase(std::string_view text) const;
};

// One item of a section list: a marker ("Seçin", "Yok") without a CRN, or a
// section, "CRN:: teacher :: days :: buildings".
struct SectionItem {
  std::string crn;
  std::string text;
  std::string tip;  // every meeting's day, hours and place; empty for a marker
};

// A section list. At most one item carries the saved marker: the section
// committed in the row.
struct SectionChoices {
  std::vector<SectionItem> items;
  int index = -1;
  int marked = -1;

  int Count() const { return static_cast<int>(items.size()); }
  // Item k as the list shows it: with the marker when it is the marked one.
  std::string ItemText(int k) const;
  // Every item as the list shows it.
  std::vector<std::string> Texts() const;
  // Every item's tooltip.
  std::vector<std::string> Tips() const;
  std::string Text() const;
  // The first item shown as the text, -1 for none.
  int IndexOf(std::string_view text) const;
  void Clear();
  void Select(int k);
};

}  // namespace kiremo::planner
