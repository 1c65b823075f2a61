// kiremo: the course-timetable planner's window.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "shell/core/app.h"
#include "shell/core/program_folder.h"
#include "shell/core/startup_file.h"
#include "shell/qt/console_dialogs.h"
#include "shell/qt/form1.h"
#include "shell/qt/qt_dialogs.h"

namespace {

// KIREMO_SCREENSHOT=<file.png>: draw the window once it has started into
// the file and end, for machines without a display. Nobody answers boxes
// then: they go to the terminal.
void ScheduleScreenshot(QWidget& window, const QString& path) {
  QTimer::singleShot(0, &window, [&window, path] {
    const bool saved = window.grab().save(path, "PNG");
    if (!saved) std::fprintf(stderr, "%s: cannot write\n", QFile::encodeName(path).constData());
    QCoreApplication::exit(saved ? 0 : 1);
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  std::vector<std::string> arguments;
  const QStringList words = QCoreApplication::arguments();
  for (qsizetype i = 1; i < words.size(); ++i) arguments.push_back(QFile::encodeName(words[i]).toStdString());

  const QString screenshot = qEnvironmentVariable("KIREMO_SCREENSHOT");
  kiremo::qt::ConsoleDialogs console(stderr);
  if (!screenshot.isEmpty()) kiremo::qt::QtDialogs::SetStandIn(&console);

  kiremo::shell::StartupOptions options{kiremo::shell::ExecutableFolder(), kiremo::shell::ExecutablePath(),
                                        kiremo::shell::StartupFileFromArguments(arguments),
                                        kiremo::shell::XdgFoldersFromEnvironment(), std::nullopt};
  kiremo::qt::TForm1 form1(std::move(options));
  form1.ShowCentred();
  if (!screenshot.isEmpty()) ScheduleScreenshot(form1, screenshot);
  return application.exec();
}
