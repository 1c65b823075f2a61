#pragma once

#include <string>

#include "text/notice.h"

namespace kiremo::acquisition {

// How the catalogue operations tell the student what happened: the window
// puts it in its status line and message boxes, kiremo-cli prints it. Every
// call is made on the window's thread (workers hand theirs over through the
// dispatcher). Texts are Windows-1254.
class UpdateReport {
 public:
  virtual ~UpdateReport() = default;
  // Progress: one line that replaces the last.
  virtual void Status(const std::string& text) = 0;
  // A page is being fetched off the window's thread; the student may give
  // up on it. The window says so on its status line; a terminal, where the
  // fetch ends on its own, need not.
  virtual void Fetching(const std::string& what) { (void)what; }
  // A message box with an OK button; returns when the student has closed it.
  virtual void Show(const Notice& notice) = 0;
  // A failure no handler expects: the application's standard error box.
  virtual void StandardError(const std::string& text) = 0;
};

}  // namespace kiremo::acquisition
