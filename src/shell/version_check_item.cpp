#include "shell/version_check_item.h"

#include <QAction>
#include <QMenu>

#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell {

void AddVersionCheckItem(QMenuBar& bar, app::App& app) {
  if (!app.VersionCheckMenuShown()) return;
  auto* program = bar.findChild<QMenu*>(QStringLiteral("menuProgram"));
  if (!program) return;
  QAction* item = program->addAction(ToQString("Açılışta yeni sürümü denetle"_w));
  item->setObjectName(QStringLiteral("menuSurumDenetimi"));
  item->setCheckable(true);
  item->setChecked(app.VersionCheckAtStart());
  // The mark shows what is stored, also when the store failed.
  QObject::connect(item, &QAction::triggered, item, [item, &app] {
    app.VersionCheckClick();
    item->setChecked(app.VersionCheckAtStart());
  });
}

}  // namespace kiremo::shell
