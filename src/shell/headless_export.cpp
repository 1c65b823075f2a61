#include "shell/headless_export.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/export_file.h"
#include "files/plan_io.h"
#include "files/week_picture.h"
#include "shell/picture_files.h"
#include "text/cp1254.h"

namespace kiremo::shell {

namespace {

int Fail(const std::string& cp1254_text) {
  std::fprintf(stderr, "%s\n", Cp1254ToUtf8(cp1254_text).c_str());
  return 1;
}

int Export(const std::string& plan_path, const std::string& out) {
  if (!files::PictureFormatOf(out)) return Fail(files::PictureFormatText(out));
  files::WeekPicture picture;
  try {
    picture = files::PictureOf(files::ReadPlanFile(plan_path));
  } catch (const Error& e) {
    return Fail(e.what());
  }
  if (picture.legend.empty()) return Fail(files::NoCommittedCourseText());
  try {
    WritePicture(out, picture);
  } catch (const Error& e) {
    return Fail(files::PictureFailedText(out, e.what()));
  }
  return 0;
}

}  // namespace

bool IsHeadlessExport(int argc, char** argv) { return argc >= 2 && std::strcmp(argv[1], "--export") == 0; }

int RunHeadlessExport(int argc, char** argv) {
  // No display is needed, nor used when there is one.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "kullanım: kiremo --export PLAN.dkf ÇIKTI.png|ÇIKTI.pdf\n");
    return 2;
  }
  return Export(argv[2], argv[3]);
}

}  // namespace kiremo::shell
