#pragma once

#include "app/ini_file.h"
#include "view/main_view.h"

namespace kiremo::app {

// The window's writes of config.ini. A settings file that cannot be written
// (a read-only program folder) is told once per run of the program, in
// Turkish, and never keeps the window open: typing in "Bölüm Kodum" puts
// the reason on the status line, since a box there would take the next key,
// and closing the window shows the box once and closes all the same.
class SettingsWrites {
 public:
  SettingsWrites(ui::MainView& view, IniFile& settings) : view_(view), settings_(settings) {}

  // Edit1Change: the department code as typed.
  void DepartmentCodeChanged();
  // FormClose: the six keys. An hour field that is not a whole number still
  // raises ConversionError, which keeps the window open.
  void WriteAtClose();

 private:
  ui::MainView& view_;
  IniFile& settings_;
  bool told_in_box_ = false;
};

}  // namespace kiremo::app
