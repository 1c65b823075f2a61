#pragma once

#include <QMainWindow>
#include <memory>

#include "app/app.h"
#include "shell/export_window.h"
#include "shell/fetch_cancel.h"
#include "shell/growing_area.h"
#include "shell/qt_dispatcher.h"
#include "shell/qt_main_view.h"
#include "shell/search_progress_box.h"

class QMenu;
class QScrollArea;

namespace kiremo::shell {

class TForm2;

// The main window: every widget at its place, and every event routed to the
// window-free App. Nothing here decides anything beyond the window's own
// behaviour (scroll area size, stay-on-top, popups, the about box, ending).
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the widgets and runs the start-up sequence; the about box is made
  // after it.
  explicit TForm1(app::StartupOptions options, QWidget* parent = nullptr);
  ~TForm1() override;

  // Shows the window centred on the screen, at its default size.
  void ShowCentred();
  // Shows the window where it was when it last closed (config.ini), or
  // centred when nothing usable is stored or no screen shows that place.
  void ShowAtStoredPlace();

  app::App& Application() { return *app_; }
  QtMainView& View() { return *view_; }
  TForm2& AboutBox() { return *about_box_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  // The first showing tells the App, once the window is on the screen.
  void showEvent(QShowEvent* event) override;

 private:
  struct Menus;

  // form1_layout.cpp: the widgets with their names, texts and places.
  void BuildWidgets();
  void BuildRows(QWidget* area);
  void BuildGeneratorPanel(QWidget* area);
  void BuildBottomBar(QWidget* area);
  void BuildMenus();
  // form1_keyboard.cpp: shortcuts, the Tab order, typing into closed lists.
  void SetUpKeyboard();

  void ConnectEvents();
  // The generator's constraints: a change empties its result list.
  void ConnectGeneratorInputs();
  // The context menus of the locks, exclusions and busy hours.
  void ConnectConstraintMenus();
  void FormResize();
  // The window's size, place and maximised state into config.ini; a file
  // that cannot be written keeps the old ones silently.
  void StorePlace();
  // Remembers the window's rectangle while it is neither maximised nor
  // minimised.
  void NoteNormalPlace();
  void menuOndeKalsinClick(bool checked);
  void menuCikClick();
  // Raises nothing in Qt's event loop: the popup only opens, at the mouse
  // pointer for a click on `button`, under the button for a key.
  void ShowPopup(QMenu* menu, QWidget* button);

  MainWidgets widgets_;
  std::array<QPushButton*, 10> info_buttons_{};
  QScrollArea* scroll_box_ = nullptr;
  std::unique_ptr<GrowingArea> growing_;
  QRect normal_place_;
  std::unique_ptr<Menus> menus_;
  std::unique_ptr<QtMainView> view_;
  std::unique_ptr<QtDispatcher> dispatcher_;
  std::unique_ptr<SearchProgressBox> search_progress_;
  std::unique_ptr<QtExportWindow> export_window_;
  std::unique_ptr<app::App> app_;
  TForm2* about_box_ = nullptr;
  bool ending_ = false;  // "Çık" ends the program without the close sequence
  bool shown_ = false;
};

}  // namespace kiremo::shell
