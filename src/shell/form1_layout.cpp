// The main window's widgets: names, texts, places and sizes.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>

#include "shell/form1.h"
#include "shell/form1_menus.h"
#include "shell/look.h"
#include "shell/qt_text.h"
#include "shell/row_drop_down.h"
#include "text/cp1254.h"

namespace kiremo::shell {

namespace {

constexpr int kRowHeight = 21;

QString Name(const char* prefix, int number) { return QString::fromLatin1(prefix) + QString::number(number); }

// A label at its place; `room` is the width it may take at most.
QLabel* Label(QWidget* parent, std::string_view text, int left, int top, bool bold, int room = 0) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setTextFormat(Qt::PlainText);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  if (room > 0) FitText(label, label->text(), room);
  label->move(left, top);
  label->resize(label->sizeHint().width(), 15);
  return label;
}

template <typename Combo = QComboBox>
QComboBox* DropDownList(QWidget* parent, const QString& name, QRect place, int visible_items) {
  auto* combo = new Combo(parent);
  combo->setObjectName(name);
  combo->setMaxVisibleItems(visible_items);
  combo->setGeometry(place);
  return combo;
}

QLineEdit* Edit(QWidget* parent, const char* name, std::string_view text, QRect place) {
  auto* edit = new QLineEdit(ToQString(text), parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(place);
  return edit;
}

QCheckBox* CheckBox(QWidget* parent, const QString& name, std::string_view caption, QRect place) {
  auto* box = new QCheckBox(ToQString(caption), parent);
  box->setObjectName(name);
  box->setGeometry(place);
  return box;
}

QPushButton* Button(QWidget* parent, const QString& name, std::string_view caption, QRect place) {
  auto* button = new QPushButton(ToQString(caption), parent);
  button->setObjectName(name);
  button->setFont(ButtonFont());
  FitText(button, button->text(), place.width() - 8);
  button->setGeometry(place);
  return button;
}

QAction* Item(QMenu* menu, const char* name, std::string_view caption) {
  QAction* action = menu->addAction(ToQString(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QMenu* Menu(QWidget* parent, const char* name, std::string_view caption) {
  auto* menu = new QMenu(ToQString(caption), parent);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

void TForm1::BuildWidgets() {
  setObjectName(QStringLiteral("Form1"));
  widgets_.window = this;
  setFont(WindowFont());
  setStyleSheet(WindowStyleSheet());

  auto* client = new QWidget(this);
  setCentralWidget(client);
  scroll_box_ = new QScrollArea(client);
  scroll_box_->setObjectName(QStringLiteral("ScrollBox1"));
  scroll_box_->setFrameShape(QFrame::NoFrame);
  scroll_box_->setGeometry(0, 0, 813, 630);
  auto* area = new QWidget;
  area->setObjectName(QStringLiteral("ScrollBox1Area"));
  area->resize(813, 630);

  BuildRows(area);
  widgets_.grid = new GridWidget(area);
  widgets_.grid->setObjectName(QStringLiteral("Grid1"));
  widgets_.grid->setGeometry(34, 288, 549, 305);
  BuildGeneratorPanel(area);
  BuildBottomBar(area);
  scroll_box_->setWidget(area);
  growing_ = std::make_unique<GrowingArea>(area);

  auto* status_bar = new QStatusBar(this);
  status_bar->setObjectName(QStringLiteral("StatusBar1"));
  status_bar->setSizeGripEnabled(false);
  status_bar->setFixedHeight(19);
  widgets_.status = new QLabel(status_bar);
  widgets_.status->setTextFormat(Qt::PlainText);
  status_bar->addWidget(widgets_.status, 1);
  widgets_.rows_note = new QLabel(status_bar);
  widgets_.rows_note->setObjectName(QStringLiteral("RowsNote"));
  widgets_.rows_note->setTextFormat(Qt::PlainText);
  status_bar->addPermanentWidget(widgets_.rows_note);
  widgets_.rows_note->hide();
  setStatusBar(status_bar);

  BuildMenus();
}

void TForm1::BuildRows(QWidget* area) {
  Label(area, "Renk", 2, 8, true);
  Label(area, "Bölüm"_w, 52, 8, true);
  Label(area, "Ders Kodu", 122, 8, true);
  Label(area, "Açılan dersler"_w, 330, 8, true);
  Label(area, "Tercih Edilen Hoca", 568, 8, true);
  Label(area, "(Otomatik oluşturma içindir)"_w, 572, 24, false);

  for (int row = 1; row <= 10; ++row) {
    const int top = 40 + 24 * (row - 1);
    const auto i = static_cast<std::size_t>(row - 1);
    auto* shape = new ShapeWidget(area);
    shape->setObjectName(Name("Shape", row));
    shape->setGeometry(7, top, 25, kRowHeight);
    widgets_.shapes[i] = shape;
    widgets_.combos[3 * i] =
        DropDownList<RowDropDown>(area, Name("ComboBox", 3 * row - 2), QRect(42, top, 65, kRowHeight), 20);
    widgets_.combos[3 * i + 1] =
        DropDownList<RowDropDown>(area, Name("ComboBox", 3 * row - 1), QRect(114, top, 89, kRowHeight), 20);
    widgets_.combos[3 * i + 2] =
        DropDownList<RowDropDown>(area, Name("ComboBox", 3 * row), QRect(210, top, 350, kRowHeight), 20);
    widgets_.teachers[i] =
        DropDownList<RowDropDown>(area, Name("HocaCombo", row), QRect(568, top, 137, kRowHeight), 20);
    widgets_.kaydet[i] = Button(area, Name("Kaydet", row), "Ekle", QRect(710, top, 50, kRowHeight));
    info_buttons_[i] = Button(area, Name("Button", row), "Bilgi", QRect(766, top, 40, kRowHeight));
  }
}

void TForm1::BuildGeneratorPanel(QWidget* area) {
  auto* panel = new QGroupBox(ToQString("Otomatik Oluştur"_w), area);
  panel->setObjectName(QStringLiteral("GroupBox1"));
  panel->setGeometry(606, 285, 179, 309);

  constexpr int kRoom = 179 - 2 * 8;
  Label(panel, "Şu saatlerin dışına çıkma"_w, 8, 20, false, kRoom);
  widgets_.edit_st = Edit(panel, "EditSt", "9", QRect(30, 38, 40, kRowHeight));
  QLabel* dash = Label(panel, "-", 80, 34, true);
  QFont large = dash->font();
  large.setPointSize(14);
  dash->setFont(large);
  dash->resize(dash->sizeHint());
  widgets_.edit_end = Edit(panel, "EditEnd", "19", QRect(100, 38, 40, kRowHeight));

  Label(panel, "Seçili günleri boş bırak"_w, 8, 68, false, kRoom);
  const std::string_view days[] = {"Pazartesi", "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"};
  for (int day = 1; day <= 5; ++day) {
    widgets_.chk[static_cast<std::size_t>(day - 1)] =
        CheckBox(panel, Name("chk", day), days[day - 1], QRect(16, 84 + 16 * (day - 1), 100, 17));
  }

  Label(panel, "İstenmeyen Binalar"_w, 8, 170, false, kRoom);
  widgets_.edit2 = Edit(panel, "Edit2", "MKB,ISB,MMB,GDB", QRect(10, 186, 159, kRowHeight));
  menus_->btnYerlestir = Button(panel, QStringLiteral("btnYerlestir"), "Oluştur"_w, QRect(10, 212, 159, 25));
  Label(panel, "Oluşturulan ders programları"_w, 8, 242, false, kRoom);
  widgets_.results =
      DropDownList<RowDropDown>(panel, QStringLiteral("ComboBox31"), QRect(10, 259, 159, kRowHeight), 10);
  // The order of the results, right under them.
  QLabel* order = Label(panel, "Sırala"_w, 8, 287, false);
  const int order_left = order->geometry().right() + 5;
  widgets_.sirala = DropDownList<RowDropDown>(panel, QStringLiteral("Sirala"),
                                              QRect(order_left, 284, 169 - order_left, kRowHeight), 6);
}

void TForm1::BuildBottomBar(QWidget* area) {
  constexpr int kTop = 596;
  menus_->btnCikar = Button(area, QStringLiteral("btnCikar"), "Seçili dersi çıkar"_w, QRect(35, kTop, 105, 31));
  // Between the two buttons: the label, Edit1 and CheckBox1, one after the other.
  QLabel* label = Label(area, "Bölüm Kodum :"_w, 146, kTop + 8, true, 96);
  const int edit_left = label->geometry().right() + 5;
  widgets_.edit1 = Edit(area, "Edit1", "ELK", QRect(edit_left, kTop + 5, 41, kRowHeight));
  const int box_left = edit_left + 41 + 6;
  widgets_.check_box1 = CheckBox(area, QStringLiteral("CheckBox1"), "Bölüm Kodunu dikkate al"_w,
                                 QRect(box_left, kTop + 7, 478 - 4 - box_left, 17));
  FitText(widgets_.check_box1, widgets_.check_box1->text(), widgets_.check_box1->width() - 28);
  widgets_.check_box1->setChecked(true);
  menus_->btnReset = Button(area, QStringLiteral("btnReset"), "Sıfırla"_w, QRect(478, kTop, 105, 31));
  menus_->btnCRN =
      Button(area, QStringLiteral("btnCRN"), "CRN Listesiyle İlgili Birşeyler Yap"_w, QRect(606, kTop, 179, 31));
}

void TForm1::BuildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MainMenu1"));
  setMenuBar(bar);

  QMenu* file = Menu(bar, "menuDosya", "Dosya");
  menus_->menuAc = Item(file, "menuAc", "Aç"_w);
  menus_->menuKaydet = Item(file, "menuKaydet", "Kaydet");
  menus_->menuExcel = Item(file, "menuExcel", "Excel'e aktar");
  menus_->menuTakvim = Item(file, "menuTakvim", "Takvime aktar (.ics)…"_w);
  menus_->menuResim = Item(file, "menuResim", "Resim olarak kaydet…"_w);
  menus_->menuYazdir = Item(file, "menuYazdir", "Yazdır…"_w);
  menus_->menuCik = Item(file, "menuCik", "Çık"_w);
  bar->addMenu(file);

  QMenu* edit = Menu(bar, "menuDuzen", "Düzen"_w);
  menus_->menuGeriAl = Item(edit, "menuGeriAl", "Geri al");
  menus_->menuGeriAl->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  menus_->menuYinele = Item(edit, "menuYinele", "Yinele");
  menus_->menuYinele->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  bar->addMenu(edit);
  widgets_.menu_geri_al = menus_->menuGeriAl;
  widgets_.menu_yinele = menus_->menuYinele;

  QMenu* program = Menu(bar, "menuProgram", "Program");
  menus_->menuSifirla = Item(program, "menuSifirla", "Sıfırla"_w);
  menus_->menuVeriAl = Item(program, "menuVeriAl", "Veri Al/Güncelle"_w);
  menus_->menuOtomatik = Item(program, "menuOtomatik", "Otomatik güncelleme"_w);
  menus_->menuOtomatik->setCheckable(true);
  menus_->menuOndeKalsin = Item(program, "menuOndeKalsin", "Form önde kalsın"_w);
  menus_->menuOndeKalsin->setCheckable(true);
  program->addSeparator();
  menus_->menuOlustur = Item(program, "menuOlustur", "Oluştur"_w);
  bar->addMenu(program);
  widgets_.menu_otomatik = menus_->menuOtomatik;

  QMenu* help = Menu(bar, "menuHelp", "Hakkında"_w);
  menus_->menuHakkinda = Item(help, "menuHakkinda", "Hakkında"_w);
  menus_->Yardim = Item(help, "Yardim", "Yardim");
  bar->addMenu(help);

  menus_->PopupMenu1 = Menu(this, "PopupMenu1", {});
  menus_->popDers = Item(menus_->PopupMenu1, "popDers", "Seçili Ders Hakkında"_w);
  menus_->popHoca = Item(menus_->PopupMenu1, "popHoca", "Seçili Hoca Hakkında"_w);
  menus_->PopupMenu2 = Menu(this, "PopupMenu2", {});
  menus_->CRNListeKopyala = Item(menus_->PopupMenu2, "CRNListeKopyala",
                                 "CRN listesini belleğe kopyala (CTRL+V ile istediğin yere yapıştırabilirsin)"_w);
  menus_->CRNScriptKopyala = Item(menus_->PopupMenu2, "CRNScriptKopyala",
                                  "Add/Drop ekranındaki kutuları dolduracak JS kodunu belleğe kopyala (Anlayana)"_w);
}

}  // namespace kiremo::shell
