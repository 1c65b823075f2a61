#include "shell/recent_menu.h"

#include <QFile>

#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell {

QMenu* AddRecentMenu(QMenu& file, QAction* before, app::App& app) {
  auto* recent = new QMenu(ToQString("Son açılanlar"_w), &file);
  recent->setObjectName(QStringLiteral("menuSonAcilanlar"));
  file.insertMenu(before, recent);
  QObject::connect(recent, &QMenu::aboutToShow, recent, [recent, &app] {
    recent->clear();
    const std::vector<std::string> files = app.RecentPlanFiles();
    if (files.empty()) recent->addAction(ToQString("(boş)"_w))->setEnabled(false);
    int number = 0;
    for (const std::string& plan : files) {
      // "&" in a file's name would mark a mnemonic.
      const QString shown = QFile::decodeName(QByteArray::fromStdString(plan)).replace(u'&', QStringLiteral("&&"));
      QAction* item = recent->addAction(QStringLiteral("&%1 %2").arg(++number).arg(shown));
      QObject::connect(item, &QAction::triggered, recent, [&app, plan] { app.RecentPlanClick(plan); });
    }
  });
  return recent;
}

}  // namespace kiremo::shell
