#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "view/main_view.h"

// In-memory widgets: the window as plain data, for tests and for the
// command-line tool.
namespace kiremo::ui {

class MemoryChoiceList : public ChoiceList {
 public:
  void Clear() override;
  void Add(const std::string& item) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int k) const override;
  void SetItem(int k, const std::string& text) override;
  int ItemIndex() const override { return index_; }
  void SetItemIndex(int k) override;
  std::string ItemTip(int k) const override;
  void SetItemTip(int k, const std::string& tip) override;
  bool ItemCrossedOut(int k) const override;
  void SetItemCrossedOut(int k, bool crossed_out) override;
  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
  std::vector<std::string> tips_;  // one per item
  std::vector<bool> crossed_out_;  // one per item
  int index_ = -1;
};

class MemoryResultList : public ResultList {
 public:
  void Clear() override;
  void ShowResults(int count, ItemTexts texts) override;
  int Count() const override { return count_ > 0 ? count_ + 1 : 0; }
  int ItemIndex() const override { return index_; }
  void SetItemIndex(int k) override { index_ = (k >= 0 && k < Count()) ? k : -1; }
  std::string Item(int k) const override;

 private:
  int count_ = 0;
  ItemTexts texts_;
  int index_ = -1;
};

class MemoryTextField : public TextField {
 public:
  explicit MemoryTextField(std::string text = {}) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  // Runs after every change of the text, like an edit's change event.
  std::function<void()> on_change;

 private:
  std::string text_;
};

class MemoryCheckMark : public CheckMark {
 public:
  explicit MemoryCheckMark(bool checked = false) : checked_(checked) {}
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }

 private:
  bool checked_;
};

class MemoryButton : public Button {
 public:
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

 private:
  bool enabled_ = true;
};

class MemoryMenuCommand : public MenuCommand {
 public:
  std::string Text() const override { return text_; }
  bool Enabled() const override { return enabled_; }
  void Show(const std::string& text, bool enabled) override {
    text_ = text;
    enabled_ = enabled;
  }

 private:
  std::string text_;
  bool enabled_ = false;
};

class MemorySwatch : public Swatch {
 public:
  Colour Fill() const override { return fill_; }
  void SetFill(Colour colour) override { fill_ = colour; }
  std::string Warning() const override { return warning_; }
  void SetWarning(const std::string& reason) override { warning_ = reason; }
  std::string LockNote() const override { return lock_note_; }
  void SetLockNote(const std::string& note) override { lock_note_ = note; }

 private:
  Colour fill_ = kWhite;
  std::string warning_;
  std::string lock_note_;
};

class MemoryGrid : public Grid {
 public:
  std::string CellText(int column, int row) const override;
  void SetCellText(int column, int row, const std::string& text) override;
  Colour CellColour(int column, int row) const override;
  void SetCellColour(int column, int row, Colour colour) override;
  bool CellBusy(int column, int row) const override;
  void SetCellBusy(int column, int row, bool busy) override;

 private:
  static bool Inside(int column, int row) {
    return column >= 0 && column < kGridColumns && row >= 0 && row < kGridRows;
  }
  std::array<std::array<std::string, kGridRows>, kGridColumns> texts_;
  std::array<std::array<Colour, kGridRows>, kGridColumns> colours_;
  std::array<std::array<bool, kGridRows>, kGridColumns> busy_{};
};

class MemoryTextLine : public TextLine {
 public:
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

// Records every box shown; file dialogs answer from queues that a test or
// the command-line tool fills beforehand (an empty queue cancels). The
// question about unsaved changes answers from its own queue, and "Kaydetme"
// when it is empty, so that what goes on after the question is as before.
class MemoryDialogs : public Dialogs {
 public:
  struct Shown {
    std::string caption;
    std::string text;
    Icon icon;
  };
  void Message(const std::string& caption, const std::string& text, Icon icon) override;
  void StandardError(const std::string& text) override;
  std::optional<std::string> AskOpenFile(const std::string& filter) override;
  std::optional<std::string> AskSaveFile(const std::string& filter, const std::string& start) override;
  SaveChoice AskSaveChanges(const std::string& caption, const std::string& text) override;
  // Answers from next_apply_answers, "Tamam" when it is empty.
  bool AskApplyUpdates(const std::string& caption, const std::string& text) override;

  std::vector<Shown> messages;
  std::vector<Shown> save_questions;  // icon: Icon::Warning
  std::vector<SaveChoice> next_save_choices;
  std::vector<Shown> apply_questions;  // icon: Icon::Warning
  std::vector<bool> next_apply_answers;
  std::vector<std::string> errors;
  std::vector<std::string> next_open_names;
  std::vector<std::string> next_save_names;
  std::vector<std::string> filters_asked;
  std::vector<std::string> save_starts;  // where each save dialog started
};

class MemoryClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override { text_ = text; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

class MemoryLauncher : public Launcher {
 public:
  void OpenAddress(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

// The whole window in memory, with the design texts of the real one.
class MemoryView : public MainView {
 public:
  MemoryView();

  MemoryChoiceList& ComboBox(int number) override;
  MemoryResultList& ComboBox31() override { return results_; }
  MemoryChoiceList& Sirala() override { return sirala_; }
  MemoryChoiceList& HocaCombo(int row) override;
  MemoryButton& Kaydet(int row) override;
  MemorySwatch& Shape(int row) override;
  MemoryTextField& Edit1() override { return edit1_; }
  MemoryTextField& Edit2() override { return edit2_; }
  MemoryTextField& EditSt() override { return edit_st_; }
  MemoryTextField& EditEnd() override { return edit_end_; }
  MemoryCheckMark& CheckBox1() override { return check_box1_; }
  MemoryCheckMark& Chk(int day) override;
  MemoryCheckMark& MenuOtomatik() override { return menu_otomatik_; }
  MemoryMenuCommand& MenuGeriAl() override { return menu_geri_al_; }
  MemoryMenuCommand& MenuYinele() override { return menu_yinele_; }
  MemoryGrid& Grid1() override { return grid_; }
  MemoryTextLine& StatusBar() override { return status_; }
  MemoryTextLine& Caption() override { return caption_; }
  void SetRowsReadOnly(const std::string& why) override { rows_read_only_ = why; }
  const std::string& RowsReadOnly() const { return rows_read_only_; }
  MemoryDialogs& Dialog() override { return dialogs_; }
  MemoryClipboard& Clip() override { return clipboard_; }
  MemoryLauncher& Browser() override { return launcher_; }

 private:
  std::array<MemoryChoiceList, 30> combos_;
  MemoryResultList results_;
  MemoryChoiceList sirala_;
  std::array<MemoryChoiceList, 10> teachers_;
  std::array<MemoryButton, 10> kaydet_;
  std::array<MemorySwatch, 10> shapes_;
  MemoryTextField edit1_;
  MemoryTextField edit2_;
  MemoryTextField edit_st_;
  MemoryTextField edit_end_;
  MemoryCheckMark check_box1_;
  std::array<MemoryCheckMark, 5> chk_;
  MemoryCheckMark menu_otomatik_;
  MemoryMenuCommand menu_geri_al_;
  MemoryMenuCommand menu_yinele_;
  MemoryGrid grid_;
  MemoryTextLine status_;
  MemoryTextLine caption_;
  std::string rows_read_only_;
  MemoryDialogs dialogs_;
  MemoryClipboard clipboard_;
  MemoryLauncher launcher_;
};

}  // namespace kiremo::ui
