#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/notice.h"

// The plain widget operations that the window-free logic needs. The Qt window
// implements them over real widgets; tests and the command-line tool use the
// in-memory versions of memory_view.h. Every text is Windows-1254.
namespace kiremo::ui {

struct Colour {
  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kWhite{255, 255, 255};

// A drop-down list without typing and without sorting.
class ChoiceList {
 public:
  virtual ~ChoiceList() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::string& item) = 0;
  virtual int Count() const = 0;
  virtual std::string Item(int k) const = 0;
  virtual void SetItem(int k, const std::string& text) = 0;
  // -1 when nothing is selected.
  virtual int ItemIndex() const = 0;
  // A selection made by code raises no change event.
  virtual void SetItemIndex(int k) = 0;
  // The text shown while the pointer rests on item k; empty for none.
  virtual std::string ItemTip(int k) const = 0;
  virtual void SetItemTip(int k, const std::string& tip) = 0;
  // Item k shown struck out and greyed: a choice the student ruled out. An
  // item added is not.
  virtual bool ItemCrossedOut(int k) const = 0;
  virtual void SetItemCrossedOut(int k, bool crossed_out) = 0;

  // The selected item's text, empty when nothing is selected.
  std::string Text() const {
    const int k = ItemIndex();
    return k >= 0 && k < Count() ? Item(k) : std::string();
  }
  // The first item equal to the text; -1 when there is none.
  int IndexOf(std::string_view text) const;
  // Shows these items with item `index` selected; items already shown are
  // not written again.
  void Show(const std::vector<std::string>& items, int index);
  // Gives the items shown these tooltips, one per item.
  void ShowTips(const std::vector<std::string>& tips);
  // Strikes out the items shown whose flag is set, one flag per item.
  void ShowCrossedOut(const std::vector<bool>& crossed_out);
};

// The generator's result list: item 0 is the summary, items 1..count the
// alternatives. The texts are made when the list shows them, so a million
// alternatives cost nothing to list.
class ResultList {
 public:
  // The text of item k (0 the summary) of a list of `count` alternatives.
  using ItemTexts = std::function<std::string(int k, int count)>;

  virtual ~ResultList() = default;
  virtual void Clear() = 0;
  // Lists the summary and `count` alternatives and selects the summary.
  virtual void ShowResults(int count, ItemTexts texts) = 0;
  virtual int Count() const = 0;  // count + 1, or 0 when empty
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int k) = 0;
  virtual std::string Item(int k) const = 0;
};

// An edit field. Setting its text from code raises its change event, as the
// user's typing does.
class TextField {
 public:
  virtual ~TextField() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// A check box or a menu item's check mark.
class CheckMark {
 public:
  virtual ~CheckMark() = default;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;
};

class Button {
 public:
  virtual ~Button() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// A menu item whose text and state the logic sets ("Geri al: …").
class MenuCommand {
 public:
  virtual ~MenuCommand() = default;
  virtual std::string Text() const = 0;
  virtual bool Enabled() const = 0;
  virtual void Show(const std::string& text, bool enabled) = 0;
};

// A row's colour marker. A warning marks the row as out of date with the
// catalogue and tells why when the pointer rests on it; empty for none.
class Swatch {
 public:
  virtual ~Swatch() = default;
  virtual Colour Fill() const = 0;
  virtual void SetFill(Colour colour) = 0;
  virtual std::string Warning() const = 0;
  virtual void SetWarning(const std::string& reason) = 0;
  // A lock drawn on the marker, with the note as its tooltip; empty for none.
  virtual std::string LockNote() const = 0;
  virtual void SetLockNote(const std::string& note) = 0;
};

// The timetable grid: column 0 and row 0 are headers.
inline constexpr int kGridColumns = 6;
inline constexpr int kGridRows = 15;
class Grid {
 public:
  virtual ~Grid() = default;
  virtual std::string CellText(int column, int row) const = 0;
  virtual void SetCellText(int column, int row, const std::string& text) = 0;
  virtual Colour CellColour(int column, int row) const = 0;
  virtual void SetCellColour(int column, int row, Colour colour) = 0;
  // A body cell the student keeps free: hatched grey over its colour.
  virtual bool CellBusy(int column, int row) const = 0;
  virtual void SetCellBusy(int column, int row, bool busy) = 0;
};

// One line of text: the status line or the window caption.
class TextLine {
 public:
  virtual ~TextLine() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

using kiremo::Icon;

// The answers to the question asked before unsaved work is thrown away:
// "Kaydet", "Kaydetme", "Vazgeç".
enum class SaveChoice { Save, Discard, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box with an OK button; returns when it is closed.
  virtual void Message(const std::string& caption, const std::string& text, Icon icon) = 0;
  // The application's standard error box, for errors no handler expects.
  virtual void StandardError(const std::string& text) = 0;
  // File dialogs; the filter is written "Description (*.ext)|*.ext".
  // Nothing when the student cancels. Names are local file-system paths.
  virtual std::optional<std::string> AskOpenFile(const std::string& filter) = 0;
  // `start`: the file the dialog offers, or the folder (ending in "/") it
  // opens in; empty for the dialog's own choice.
  virtual std::optional<std::string> AskSaveFile(const std::string& filter, const std::string& start) = 0;
  // A modal question with the buttons "Kaydet", "Kaydetme" and "Vazgeç";
  // closing it is "Vazgeç".
  virtual SaveChoice AskSaveChanges(const std::string& caption, const std::string& text) = 0;
  // A box telling what changed in the plan, with the buttons "Güncel
  // bilgileri uygula" (true) and "Tamam"; closing it is "Tamam".
  virtual bool AskApplyUpdates(const std::string& caption, const std::string& text) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
};

// Hands a web address to the desktop's default handler; the result is not examined.
class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace kiremo::ui
