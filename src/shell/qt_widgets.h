#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <utility>

#include "view/widgets.h"

// The window-free widget operations over real Qt widgets. The adapters do
// not own their widgets; the window does.
namespace kiremo::shell {

// A drop-down list. Like the in-memory list, adding items never selects one
// and a selection made here raises no choice event (only `activated` does).
class QtChoiceList : public ui::ChoiceList {
 public:
  explicit QtChoiceList(QComboBox* combo) : combo_(combo) {}
  void Clear() override;
  void Add(const std::string& item) override;
  int Count() const override;
  std::string Item(int k) const override;
  void SetItem(int k, const std::string& text) override;
  int ItemIndex() const override;
  void SetItemIndex(int k) override;
  std::string ItemTip(int k) const override;
  void SetItemTip(int k, const std::string& tip) override;
  bool ItemCrossedOut(int k) const override;
  // A struck-out font and grey text as the item's own data, so the open
  // list shows them; RowDropDown shows them in the closed box too.
  void SetItemCrossedOut(int k, bool crossed_out) override;

 private:
  QComboBox* combo_;
};

class QtTextField : public ui::TextField {
 public:
  explicit QtTextField(QLineEdit* edit) : edit_(edit) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QLineEdit* edit_;
};

class QtCheckBoxMark : public ui::CheckMark {
 public:
  explicit QtCheckBoxMark(QCheckBox* box) : box_(box) {}
  bool Checked() const override { return box_->isChecked(); }
  void SetChecked(bool checked) override { box_->setChecked(checked); }

 private:
  QCheckBox* box_;
};

// A menu item's check mark.
class QtActionMark : public ui::CheckMark {
 public:
  explicit QtActionMark(QAction* action) : action_(action) {}
  bool Checked() const override { return action_->isChecked(); }
  void SetChecked(bool checked) override { action_->setChecked(checked); }

 private:
  QAction* action_;
};

// A menu item whose text names what it does ("Geri al: …"); `keys` is
// the text of its shortcuts as the menu shows them beside it.
class QtMenuCommand : public ui::MenuCommand {
 public:
  QtMenuCommand(QAction* action, QString keys) : action_(action), keys_(std::move(keys)) {}
  std::string Text() const override { return text_; }
  bool Enabled() const override { return action_->isEnabled(); }
  void Show(const std::string& text, bool enabled) override;

 private:
  QAction* action_;
  QString keys_;
  std::string text_;
};

class QtButton : public ui::Button {
 public:
  explicit QtButton(QPushButton* button) : button_(button) {}
  bool Enabled() const override { return button_->isEnabled(); }
  void SetEnabled(bool enabled) override { button_->setEnabled(enabled); }

 private:
  QPushButton* button_;
};

// The status line: one label that fills the status bar.
class QtLabelLine : public ui::TextLine {
 public:
  explicit QtLabelLine(QLabel* label) : label_(label) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QLabel* label_;
};

class QtWindowCaption : public ui::TextLine {
 public:
  explicit QtWindowCaption(QWidget* window) : window_(window) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QWidget* window_;
};

class QtClipboard : public ui::Clipboard {
 public:
  void SetText(const std::string& text) override;
};

// Hands an address to the desktop's default handler.
class QtLauncher : public ui::Launcher {
 public:
  // Every QtLauncher hands its addresses to `stand_in` while it is set (a
  // test's recorder); nullptr brings the desktop back.
  static void SetStandIn(ui::Launcher* stand_in);

  void OpenAddress(const std::string& address) override;
};

}  // namespace kiremo::shell
