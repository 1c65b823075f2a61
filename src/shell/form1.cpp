#include "shell/form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>

#include "app/stored_settings.h"
#include "app/window_placement.h"
#include "shell/context_menu.h"
#include "shell/form1_menus.h"
#include "shell/form2.h"
#include "shell/recent_menu.h"
#include "shell/result_keys.h"
#include "shell/row_drop_down.h"
#include "shell/version_check_item.h"
#include "shell/window_place.h"
#include "text/errors.h"

namespace kiremo::shell {

namespace {

// The window's client area below the menu bar.
constexpr QSize kClientSize(812, 647);

// The resize rule measures the window's outer size: its frame, title bar
// and menu bar included. Qt measures the window without the frame and title
// bar of the window manager (which may be absent), so a fixed decoration
// stands in for them: an 8-pixel frame at each side and a 31-pixel title
// bar. With it the rule gives the scroll area exactly its design size,
// 813 x 630, at the window's opening size.
constexpr QSize kDecoration(16, 39);

}  // namespace

TForm1::TForm1(app::StartupOptions options, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      menus_(std::make_unique<Menus>()) {
  BuildWidgets();
  resize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
  // The default size is the smallest, unless the screen is smaller still.
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  setMinimumSize(screen ? size().boundedTo(screen->availableGeometry().size()) : size());
  view_ = std::make_unique<QtMainView>(widgets_);
  dispatcher_ = std::make_unique<QtDispatcher>(view_->Dialog());
  search_progress_ = std::make_unique<SearchProgressBox>(this);
  app_ = std::make_unique<app::App>(*view_, *dispatcher_, std::move(options));
  app_->SetSearchMonitor(search_progress_.get());
  export_window_ = std::make_unique<QtExportWindow>(this);
  app_->SetExportWindow(export_window_.get());
  ConnectEvents();
  SetUpKeyboard();
  AddVersionCheckItem(*menuBar(), *app_);
  new FetchCancel(*this, *app_);  // owned by the window
  app_->FormCreate();
  about_box_ = new TForm2(app_->VersionText(), view_->Browser(), this);
}

TForm1::~TForm1() = default;

void TForm1::ShowCentred() {
  const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
  move(screen.center() - QPoint(width() / 2, height() / 2));
  show();
}

void TForm1::ShowAtStoredPlace() {
  const app::IniFile settings(app_->ProgramFolder() + std::string(app::kSettingsFile));
  const std::optional<app::WindowPlacement> placement = app::ReadWindowPlacement(settings);
  if (!placement || !PlaceWindow(*this, *placement)) return ShowCentred();
  if (placement->maximised) {
    showMaximized();
  } else {
    show();
  }
}

void TForm1::StorePlace() {
  app::IniFile settings(app_->ProgramFolder() + std::string(app::kSettingsFile));
  try {
    app::WriteWindowPlacement(settings, PlacementOf(*this, normal_place_));
  } catch (const Error&) {
    // The settings' own writes have told the student already.
  }
}

void TForm1::ConnectEvents() {
  app::App& app = *app_;
  for (int row = 1; row <= 10; ++row) {
    const auto i = static_cast<std::size_t>(row - 1);
    connect(widgets_.combos[3 * i], &QComboBox::activated, this, [&app, row] { app.DepartmentChosen(row); });
    connect(widgets_.combos[3 * i + 1], &QComboBox::activated, this, [&app, row] { app.CourseChosen(row); });
    connect(widgets_.combos[3 * i + 2], &QComboBox::activated, this, [&app, row] { app.SectionChosen(row); });
    connect(widgets_.kaydet[i], &QPushButton::clicked, this, [&app, row] { app.KaydetClick(row); });
    connect(info_buttons_[i], &QPushButton::clicked, this, [this, row, i] {
      app_->ButtonClick(row);
      ShowPopup(menus_->PopupMenu1, info_buttons_[i]);
    });
  }
  connect(menus_->popDers, &QAction::triggered, this, [&app] { app.popDersClick(); });
  connect(menus_->popHoca, &QAction::triggered, this, [&app] { app.popHocaClick(); });
  connect(widgets_.grid, &GridWidget::cellSelected, this,
          [&app](int column, int row) { app.Grid1SelectCell(column, row); });
  connect(menus_->btnCikar, &QPushButton::clicked, this, [&app] { app.btnCikarClick(); });
  connect(menus_->btnReset, &QPushButton::clicked, this, [&app] { app.Sifirla(); });
  connect(menus_->menuSifirla, &QAction::triggered, this, [&app] { app.Sifirla(); });
  connect(widgets_.edit1, &QLineEdit::textChanged, this, [&app] { app.Edit1Change(); });
  ConnectGeneratorInputs();
  ConnectConstraintMenus();
  connect(menus_->btnYerlestir, &QPushButton::clicked, this, [&app] { app.btnYerlestirClick(); });
  connect(menus_->menuOlustur, &QAction::triggered, this, [&app] { app.btnYerlestirClick(); });
  connect(widgets_.results, &QComboBox::activated, this, [&app] { app.ComboBox31Change(); });
  connect(widgets_.sirala, &QComboBox::activated, this, [&app] { app.SiralaChange(); });
  new ResultKeys(widgets_.results, [&app] { app.ComboBox31Change(); });
  connect(menus_->btnCRN, &QPushButton::clicked, this, [this] { ShowPopup(menus_->PopupMenu2, menus_->btnCRN); });
  connect(menus_->menuAc, &QAction::triggered, this, [&app] { app.menuAcClick(); });
  connect(menus_->menuKaydet, &QAction::triggered, this, [&app] { app.menuKaydetClick(); });
  AddRecentMenu(*findChild<QMenu*>(QStringLiteral("menuDosya")), menus_->menuKaydet, app);
  connect(menus_->menuExcel, &QAction::triggered, this, [&app] { app.menuExcelClick(); });
  connect(menus_->menuTakvim, &QAction::triggered, this, [&app] { app.menuTakvimClick(); });
  connect(menus_->menuResim, &QAction::triggered, this, [&app] { app.menuResimClick(); });
  connect(menus_->menuYazdir, &QAction::triggered, this, [&app] { app.menuYazdirClick(); });
  connect(menus_->menuCik, &QAction::triggered, this, &TForm1::menuCikClick);
  connect(menus_->menuGeriAl, &QAction::triggered, this, [&app] { app.menuGeriAlClick(); });
  connect(menus_->menuYinele, &QAction::triggered, this, [&app] { app.menuYineleClick(); });
  connect(menus_->menuVeriAl, &QAction::triggered, this, [&app] { app.menuVeriAlClick(); });
  connect(menus_->CRNListeKopyala, &QAction::triggered, this, [&app] { app.CRNListeKopyalaClick(); });
  connect(menus_->CRNScriptKopyala, &QAction::triggered, this, [&app] { app.CRNScriptKopyalaClick(); });
  connect(menus_->menuOtomatik, &QAction::triggered, this, [this, &app] {
    // The handler flips the check mark itself; undo the flip Qt made first.
    menus_->menuOtomatik->setChecked(!menus_->menuOtomatik->isChecked());
    app.menuOtomatikClick();
  });
  connect(menus_->menuOndeKalsin, &QAction::triggered, this, &TForm1::menuOndeKalsinClick);
  connect(menus_->menuHakkinda, &QAction::triggered, this, [this] { about_box_->ShowModal(); });
  connect(menus_->Yardim, &QAction::triggered, this, [&app] { app.YardimClick(); });
}

void TForm1::ConnectGeneratorInputs() {
  app::App& app = *app_;
  const auto changed = [&app] { app.GeneratorInputChanged(); };
  for (QLineEdit* edit : {widgets_.edit_st, widgets_.edit_end, widgets_.edit2})
    connect(edit, &QLineEdit::textChanged, this, changed);
  for (QCheckBox* box : widgets_.chk) connect(box, &QCheckBox::toggled, this, changed);
  connect(widgets_.check_box1, &QCheckBox::toggled, this, changed);
  for (QComboBox* teachers : widgets_.teachers) connect(teachers, &QComboBox::activated, this, changed);
}

void TForm1::ConnectConstraintMenus() {
  app::App& app = *app_;
  for (int row = 1; row <= 10; ++row) {
    const auto i = static_cast<std::size_t>(row - 1);
    auto* sections = static_cast<RowDropDown*>(widgets_.combos[3 * i + 2]);
    connect(sections, &RowDropDown::itemMenuAsked, this,
            [this, &app, row](int item, const QPoint& at) { PopupEntries(this, app.SectionMenu(row, item), at); });
    connect(widgets_.shapes[i], &ShapeWidget::menuAsked, this,
            [this, &app, row](const QPoint& at) { PopupEntries(this, app.SwatchMenu(row), at); });
  }
  connect(widgets_.grid, &GridWidget::cellsMenuAsked, this, [this, &app](const QList<QPoint>& cells, const QPoint& at) {
    std::vector<planner::GridCell> asked;
    for (const QPoint& cell : cells) asked.emplace_back(cell.x(), cell.y());
    PopupEntries(this, app.CellMenu(asked), at);
  });
}

void TForm1::ShowPopup(QMenu* menu, QWidget* button) {
  const QPoint pointer = QCursor::pos();
  const bool clicked = button->rect().contains(button->mapFromGlobal(pointer));
  menu->popup(clicked ? pointer : button->mapToGlobal(QPoint(0, button->height())));
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!ending_ && !(app_->MayDiscardPlan() && app_->FormClose())) {
    event->ignore();
    return;
  }
  StorePlace();
  event->accept();
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // Queued: the boxes it may open belong over a window already drawn.
  QMetaObject::invokeMethod(
      this, [this] { app_->FormShown(); }, Qt::QueuedConnection);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
  NoteNormalPlace();
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  NoteNormalPlace();
}

void TForm1::NoteNormalPlace() {
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) normal_place_ = geometry();
}

void TForm1::FormResize() {
  const QSize outer = size() + kDecoration;
  scroll_box_->resize(outer.width() - 15, outer.height() - 75);
  if (growing_) growing_->Fit(scroll_box_->size());
}

void TForm1::menuOndeKalsinClick(bool checked) {
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, checked);
  // Changing a window's flags hides it.
  if (visible) show();
}

void TForm1::menuCikClick() {
  if (!app_->MayDiscardPlan()) return;
  ending_ = true;
  StorePlace();
  // exit() leaves the event loop without closing the windows; quit() would
  // close them and so write the settings.
  QCoreApplication::exit(0);
}

}  // namespace kiremo::shell
