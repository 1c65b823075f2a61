#pragma once

#include <array>
#include <memory>

#include "shell/grid_widget.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_widgets.h"
#include "shell/result_list.h"
#include "shell/shape_widget.h"
#include "view/main_view.h"

namespace kiremo::shell {

// The widgets of the main window that the logic reads and sets.
struct MainWidgets {
  QWidget* window = nullptr;
  std::array<QComboBox*, 30> combos{};  // ComboBox1..30
  QComboBox* results = nullptr;         // ComboBox31
  QComboBox* sirala = nullptr;          // the order of the results
  std::array<QComboBox*, 10> teachers{};
  std::array<QPushButton*, 10> kaydet{};
  std::array<ShapeWidget*, 10> shapes{};
  QLineEdit* edit1 = nullptr;
  QLineEdit* edit2 = nullptr;
  QLineEdit* edit_st = nullptr;
  QLineEdit* edit_end = nullptr;
  QCheckBox* check_box1 = nullptr;
  std::array<QCheckBox*, 5> chk{};
  QAction* menu_otomatik = nullptr;
  QAction* menu_geri_al = nullptr;
  QAction* menu_yinele = nullptr;
  GridWidget* grid = nullptr;
  QLabel* status = nullptr;
  QLabel* rows_note = nullptr;  // beside the status line: why the rows are read-only
};

// ui::MainView over the real window.
class QtMainView : public ui::MainView {
 public:
  explicit QtMainView(const MainWidgets& widgets);

  ui::ChoiceList& ComboBox(int number) override;
  ui::ResultList& ComboBox31() override { return results_; }
  ui::ChoiceList& Sirala() override { return sirala_; }
  ui::ChoiceList& HocaCombo(int row) override;
  ui::Button& Kaydet(int row) override;
  ui::Swatch& Shape(int row) override;
  ui::TextField& Edit1() override { return edit1_; }
  ui::TextField& Edit2() override { return edit2_; }
  ui::TextField& EditSt() override { return edit_st_; }
  ui::TextField& EditEnd() override { return edit_end_; }
  ui::CheckMark& CheckBox1() override { return check_box1_; }
  ui::CheckMark& Chk(int day) override;
  ui::CheckMark& MenuOtomatik() override { return menu_otomatik_; }
  ui::MenuCommand& MenuGeriAl() override { return menu_geri_al_; }
  ui::MenuCommand& MenuYinele() override { return menu_yinele_; }
  ui::Grid& Grid1() override { return *grid_; }
  ui::TextLine& StatusBar() override { return status_; }
  ui::TextLine& Caption() override { return caption_; }
  void SetRowsReadOnly(const std::string& why) override;
  ui::Dialogs& Dialog() override { return dialogs_; }
  ui::Clipboard& Clip() override { return clipboard_; }
  ui::Launcher& Browser() override { return launcher_; }

 private:
  template <typename Adapter, typename Widget, std::size_t N>
  static std::vector<Adapter> Adapt(const std::array<Widget*, N>& widgets);

  std::vector<QtChoiceList> combos_;
  QtResultList results_;
  QtChoiceList sirala_;
  std::vector<QtChoiceList> teachers_;
  std::vector<QtButton> kaydet_;
  std::array<ShapeWidget*, 10> shapes_;
  QtTextField edit1_;
  QtTextField edit2_;
  QtTextField edit_st_;
  QtTextField edit_end_;
  QtCheckBoxMark check_box1_;
  std::vector<QtCheckBoxMark> chk_;
  QtActionMark menu_otomatik_;
  QtMenuCommand menu_geri_al_;
  QtMenuCommand menu_yinele_;
  GridWidget* grid_;
  QtLabelLine status_;
  std::vector<QComboBox*> row_lists_;  // the rows' lists and teacher lists
  QLabel* rows_note_;
  QtWindowCaption caption_;
  QtDialogs dialogs_;
  QtClipboard clipboard_;
  QtLauncher launcher_;
};

}  // namespace kiremo::shell
