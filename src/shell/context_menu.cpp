#include "shell/context_menu.h"

#include "shell/qt_text.h"

namespace kiremo::shell {

QMenu* PopupEntries(QWidget* parent, const app::MenuEntries& entries, const QPoint& at) {
  if (entries.empty()) return nullptr;
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("ContextMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const app::MenuEntry& entry : entries) {
    QAction* action = menu->addAction(ToQString(entry.text));
    action->setEnabled(entry.enabled);
    QObject::connect(action, &QAction::triggered, menu, entry.run);
  }
  menu->popup(at);
  return menu;
}

}  // namespace kiremo::shell
