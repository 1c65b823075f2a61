#include "shell/desktop_identity.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

namespace kiremo::shell {

namespace {

// The installed desktop entry and icon, named by the program's id.
const QString kApplicationId = QStringLiteral("tr.edu.zemu.kiremo");
// The entry a program run from its own folder writes for its plans.
const QString kOwnEntry = QStringLiteral("kiremo");

// The icons the build draws from the SVG, one folder per size, beside the
// folder of the program.
QIcon BuiltIcon(const std::string& executable_folder) {
  QIcon icon;
  const QString icons = QFile::decodeName(executable_folder.c_str()) + QStringLiteral("../dist/icons/");
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString file = icons + QString::number(size) + QStringLiteral("/kiremo.png");
    if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
  }
  return icon;
}

}  // namespace

void SetDesktopIdentity(const std::string& executable_folder, bool installed) {
  QCoreApplication::setApplicationName(QStringLiteral("kiremo"));
  QGuiApplication::setDesktopFileName(installed ? kApplicationId : kOwnEntry);
  QIcon icon = installed ? QIcon::fromTheme(kApplicationId) : QIcon();
  if (icon.isNull()) icon = BuiltIcon(executable_folder);
  if (!icon.isNull()) QApplication::setWindowIcon(icon);
}

}  // namespace kiremo::shell
