#include "shell/translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace kiremo::shell {

bool InstallTurkishTranslations(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace kiremo::shell
