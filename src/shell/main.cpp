// kiremo: the course-timetable planner's window.
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/app.h"
#include "app/data_folder.h"
#include "app/program_folder.h"
#include "app/startup_file.h"
#include "catalogue/file_system.h"
#include "shell/console_dialogs.h"
#include "shell/desktop_identity.h"
#include "shell/form1.h"
#include "shell/headless_export.h"
#include "shell/info_options.h"
#include "shell/qt_dialogs.h"
#include "shell/translations.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace {

// KIREMO_SCREENSHOT=<file.png>: draw the window once it has started into
// the file and end, for machines without a display. Nobody answers boxes
// then: they go to the terminal.
void ScheduleScreenshot(QWidget& window, const QString& path) {
  QTimer::singleShot(0, &window, [&window, path] {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool saved = window.grab().save(&buffer, "PNG");
    try {
      // The program's own safe replacement: a planted link is not followed.
      if (saved) {
        kiremo::WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      }
    } catch (const kiremo::Error& e) {
      std::fprintf(stderr, "%s\n", kiremo::Cp1254ToUtf8(e.what()).c_str());
      saved = false;
    }
    if (!saved) std::fprintf(stderr, "%s: cannot write\n", QFile::encodeName(path).constData());
    QCoreApplication::exit(saved ? 0 : 1);
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = kiremo::shell::AnswerInfoOption(argc, argv)) return *status;
  if (kiremo::shell::IsHeadlessExport(argc, argv)) return kiremo::shell::RunHeadlessExport(argc, argv);
  QApplication application(argc, argv);
  kiremo::shell::InstallTurkishTranslations(application);

  std::vector<std::string> arguments;
  const QStringList words = QCoreApplication::arguments();
  for (qsizetype i = 1; i < words.size(); ++i) arguments.push_back(QFile::encodeName(words[i]).toStdString());

  const QString screenshot = qEnvironmentVariable("KIREMO_SCREENSHOT");
  kiremo::shell::ConsoleDialogs console(stderr);
  if (!screenshot.isEmpty()) kiremo::shell::QtDialogs::SetStandIn(&console);

  const std::string executable_folder = kiremo::app::ExecutableFolder();
  kiremo::app::StartupOptions options{executable_folder, kiremo::app::ExecutablePath(),
                                      kiremo::app::StartupFileFromArguments(arguments),
                                      kiremo::app::XdgFoldersFromEnvironment(), std::nullopt};
  options.installed = kiremo::app::IsInstalledFolder(executable_folder);
  kiremo::shell::SetDesktopIdentity(executable_folder, options.installed);
  try {
    options.program_folder = kiremo::app::DataFolder(executable_folder);
  } catch (const kiremo::Error& e) {
    QMessageBox::critical(nullptr, "HATA", QString::fromStdString(kiremo::Cp1254ToUtf8(e.what())));
    return 1;
  }
  kiremo::shell::TForm1 form1(std::move(options));
  form1.ShowAtStoredPlace();
  if (!screenshot.isEmpty()) ScheduleScreenshot(form1, screenshot);
  return application.exec();
}
