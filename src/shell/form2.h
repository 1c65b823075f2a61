#pragma once

#include <QDialog>
#include <string>

#include "view/widgets.h"

namespace kiremo::shell {

// The about box: the program's name and version, two lines of text, and the
// way to the program's web page. Made hidden once at start-up; every
// "Hakkında" shows the same box again.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  // `version_text` is set by the main window's start-up before this box is made.
  TForm2(const std::string& version_text, ui::Launcher& browser, QWidget* parent);

  // Shows the box modally at its fixed place on the screen.
  void ShowModal();

 private:
  void Button1Click();

  ui::Launcher& browser_;
};

}  // namespace kiremo::shell
