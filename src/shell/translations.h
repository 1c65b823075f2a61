#pragma once

#include <QCoreApplication>

namespace kiremo::shell {

// Qt's own texts (the standard buttons, the file dialogs) in Turkish, like
// every other text of the window. False when Qt's Turkish translations are
// not installed; the window then works with Qt's English texts.
bool InstallTurkishTranslations(QCoreApplication& application);

}  // namespace kiremo::shell
