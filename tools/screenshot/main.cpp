// kiremo-screenshot OUT.png [WIDTHxHEIGHT]: starts the window on the demo
// catalogue, adds three courses that fit together, previews a fourth section
// that clashes with one of them, and draws the window into OUT.png; at its
// default size, or grown to the size given.
#include <QApplication>
#include <QFile>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "app/app.h"
#include "app/program_folder.h"
#include "planner/markers.h"
#include "shell/form1.h"
#include "shell/qt_widgets.h"
#include "text/cp1254.h"

namespace {

using kiremo::app::App;

bool Selectable(const std::string& item) { return item != kiremo::planner::kSecin && item != kiremo::planner::kYok; }

bool HasClash(App& app) {
  for (int day = 1; day <= 5; ++day) {
    for (int hour = 1; hour <= 14; ++hour) {
      if (app.Plan().Cell(day, hour) >= 16) return true;
    }
  }
  return false;
}

// Tries the courses of a department in row `row` until a section previews
// as the caller wants: fitting (and then added) or clashing (left previewed).
bool PlanRow(App& app, int row, const std::string& department, bool want_clash) {
  auto& view = app.View();
  const int d = view.DepartmentCombo(row).IndexOf(department);
  if (d < 0) return false;
  view.DepartmentCombo(row).SetItemIndex(d);
  app.DepartmentChosen(row);
  for (int c = 1; c < view.CourseCombo(row).Count(); ++c) {
    view.CourseCombo(row).SetItemIndex(c);
    app.CourseChosen(row);
    for (int s = 1; s < view.SectionCombo(row).Count(); ++s) {
      if (!Selectable(view.SectionCombo(row).Item(s))) continue;
      view.SectionCombo(row).SetItemIndex(s);
      app.SectionChosen(row);
      bool blocks = !view.Kaydet(row).Enabled();
      int painted = 0;
      for (int day = 1; day <= 5; ++day) {
        for (int hour = 1; hour <= 14; ++hour) painted += app.Plan().Cell(day, hour) >= 15 ? 1 : 0;
      }
      if (painted < 2) continue;  // something with a visible preview
      if (want_clash && blocks && HasClash(app)) return true;
      if (!want_clash && !blocks) {
        app.KaydetClick(row);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QSize grown;
  if (argc == 3) {
    const QStringList sides = QString::fromLatin1(argv[2]).split(QLatin1Char('x'));
    if (sides.size() == 2) grown = QSize(sides[0].toInt(), sides[1].toInt());
  }
  if (argc < 2 || argc > 3 || (argc == 3 && grown.isEmpty())) {
    std::fprintf(stderr, "kullanım: kiremo-screenshot ÇIKTI.png [GENİŞLİKxYÜKSEKLİK]\n");
    return 2;
  }
  QApplication application(argc, argv);
  const std::string xdg = (std::filesystem::temp_directory_path() / "kiremo-screenshot-xdg").string();
  kiremo::app::StartupOptions options{kiremo::app::ExecutableFolder(),
                                      kiremo::app::ExecutablePath(),
                                      "",
                                      {xdg + "/data", xdg + "/config"},
                                      std::nullopt};
  kiremo::shell::TForm1 form(std::move(options));
  form.ShowCentred();
  if (!grown.isEmpty()) form.resize(grown);
  App& app = form.Application();

  const bool planned = PlanRow(app, 1, "ELK", false) && PlanRow(app, 2, "MAT", false) &&
                       PlanRow(app, 3, "FIZ", false) && PlanRow(app, 4, "KIM", true);
  std::filesystem::remove_all(xdg);
  if (!planned) {
    std::fprintf(stderr, "the demo catalogue gave no such plan\n");
    return 1;
  }
  const QString path = QFile::decodeName(argv[1]);
  QTimer::singleShot(500, &form, [&form, path] {
    const bool saved = form.grab().save(path, "PNG");
    QCoreApplication::exit(saved ? 0 : 1);
  });
  return application.exec();
}
