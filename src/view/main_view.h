#pragma once

#include <string>

#include "view/widgets.h"

namespace kiremo::ui {

// The main window as the logic sees it. Course row i (1..10) owns
// ComboBox(3i-2) (department), ComboBox(3i-1) (course code), ComboBox(3i)
// (section), HocaCombo(i), Kaydet(i) ("Ekle") and Shape(i); ComboBox31 is
// the generator's result list, Sirala its order.
class MainView {
 public:
  virtual ~MainView() = default;

  virtual ChoiceList& ComboBox(int number) = 0;  // 1..30
  virtual ResultList& ComboBox31() = 0;          // the generator's results
  virtual ChoiceList& Sirala() = 0;              // "Sırala": the order of the results
  virtual ChoiceList& HocaCombo(int row) = 0;    // 1..10
  virtual Button& Kaydet(int row) = 0;           // 1..10
  virtual Swatch& Shape(int row) = 0;            // 1..10

  virtual TextField& Edit1() = 0;         // the student's department code
  virtual TextField& Edit2() = 0;         // unwanted buildings
  virtual TextField& EditSt() = 0;        // the generator's first hour
  virtual TextField& EditEnd() = 0;       // the generator's end hour
  virtual CheckMark& CheckBox1() = 0;     // "Bölüm Kodunu dikkate al"
  virtual CheckMark& Chk(int day) = 0;    // chk1..chk5, the free days
  virtual CheckMark& MenuOtomatik() = 0;  // "Otomatik güncelleme"
  virtual MenuCommand& MenuGeriAl() = 0;  // "Geri al", menu "Düzen"
  virtual MenuCommand& MenuYinele() = 0;  // "Yinele", menu "Düzen"

  virtual Grid& Grid1() = 0;
  virtual TextLine& StatusBar() = 0;
  virtual TextLine& Caption() = 0;

  // The course rows' lists cannot be changed while `why` is not empty,
  // and the status bar says why; empty makes them editable again.
  virtual void SetRowsReadOnly(const std::string& why) = 0;

  virtual Dialogs& Dialog() = 0;
  virtual Clipboard& Clip() = 0;
  virtual Launcher& Browser() = 0;

  // The row widgets, looked up by row number.
  ChoiceList& DepartmentCombo(int row) { return ComboBox(3 * row - 2); }
  ChoiceList& CourseCombo(int row) { return ComboBox(3 * row - 1); }
  ChoiceList& SectionCombo(int row) { return ComboBox(3 * row); }
};

}  // namespace kiremo::ui
