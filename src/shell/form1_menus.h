#pragma once

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "shell/form1.h"

namespace kiremo::shell {

// The menus and the widgets of the window that only raise events.
struct TForm1::Menus {
  QAction* menuAc = nullptr;
  QAction* menuKaydet = nullptr;
  QAction* menuExcel = nullptr;
  QAction* menuTakvim = nullptr;
  QAction* menuResim = nullptr;
  QAction* menuYazdir = nullptr;
  QAction* menuCik = nullptr;
  QAction* menuGeriAl = nullptr;
  QAction* menuYinele = nullptr;
  QAction* menuSifirla = nullptr;
  QAction* menuVeriAl = nullptr;
  QAction* menuOtomatik = nullptr;
  QAction* menuOndeKalsin = nullptr;
  QAction* menuOlustur = nullptr;  // "Oluştur" of the generator panel, with its key
  QAction* menuHakkinda = nullptr;
  QAction* Yardim = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* popDers = nullptr;
  QAction* popHoca = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QAction* CRNListeKopyala = nullptr;
  QAction* CRNScriptKopyala = nullptr;
  QPushButton* btnYerlestir = nullptr;
  QPushButton* btnCikar = nullptr;
  QPushButton* btnReset = nullptr;
  QPushButton* btnCRN = nullptr;
};

}  // namespace kiremo::shell
