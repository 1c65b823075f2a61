#include "files/week_picture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "catalogue/file_system.h"
#include "files/plan_io.h"
#include "shell/gui_fixture.h"
#include "shell/picture_files.h"
#include "shell/week_painter.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::shell::testing {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRow1 = qRgb(0xD9, 0xE5, 0xB4);
const QRgb kRow4 = qRgb(0xB4, 0xDF, 0xE5);
const QRgb kHeader = qRgb(240, 240, 240);

// Row 1: ELK 101 on Monday 08:30-10:29; row 4: MAT 101 on Friday 13:30-14:29.
planner::PlanSnapshot TwoCourses() {
  planner::PlanSnapshot plan;
  plan.rows[0] = planner::StoredRow{"ELK 101", std::string("Devre Teorisi Şube"_w), "21001", std::string("Ayşe Kaya"_w),
                                    1,         {{"EEB", "1", "08:10", "D101"}}};
  plan.rows[3] = planner::StoredRow{"MAT 101", "Analiz", "30002", "Can Er", 1, {{"FEB", "5", "13:14", "F1"}}};
  return plan;
}

// The colour most pixels of a cell have around its centre (the middle half
// of the cell): its background, whatever part of its text lies there.
QRgb Around(const QImage& image, const QRectF& cell) {
  const QRect middle = QRectF(cell.center() - QPointF(cell.width() / 4, cell.height() / 4), cell.size() / 2).toRect();
  std::map<QRgb, int> counts;
  for (int y = middle.top(); y <= middle.bottom(); ++y) {
    for (int x = middle.left(); x <= middle.right(); ++x) ++counts[image.pixel(x, y)];
  }
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// The text of a PDF as poppler's pdftotext gives it; nothing when it is missing.
std::optional<std::string> PdfText(const std::string& path) {
  FILE* pipe = ::popen(("pdftotext -enc UTF-8 '" + path + "' - 2>/dev/null").c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = ::pclose(pipe);
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) return std::nullopt;
  EXPECT_EQ(WEXITSTATUS(status), 0) << "pdftotext could not read " << path;
  return out;
}

void ExpectTextOfTwoCourses(const std::string& pdf) {
  const auto text = PdfText(pdf);
  if (!text) GTEST_SKIP() << "poppler-utils is not installed";
  for (const char* word :
       {"ELK 101", "21001", "MAT 101", "30002", "Devre Teorisi Şube", "Ayşe Kaya", "Çarşamba", "13:30-14:29"}) {
    EXPECT_NE(text->find(word), std::string::npos) << word << " missing from\n" << *text;
  }
}

TEST(WeekPicture, PngHasTheWeeksSizeAndEachCellsColourAtItsCentre) {
  const files::WeekPicture picture = files::PictureOf(TwoCourses());
  const QImage image = QImage::fromData(PngBytes(picture), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), (WeekSize(picture) * kPngScale).toSize());
  EXPECT_EQ(image.width(), (90 + 5 * 91 + 20) * 2);
  auto centre = [&](int column, int row) {
    const QRectF cell = GridCellRect(column, row).translated(WeekGridOrigin());
    return QRectF(cell.topLeft() * kPngScale, cell.size() * kPngScale);
  };
  EXPECT_EQ(Around(image, centre(1, 1)), kRow1);
  EXPECT_EQ(Around(image, centre(1, 2)), kRow1);
  EXPECT_EQ(Around(image, centre(1, 3)), kWhite);
  EXPECT_EQ(Around(image, centre(5, 6)), kRow4);
  EXPECT_EQ(Around(image, centre(4, 6)), kWhite);
  EXPECT_EQ(Around(image, centre(0, 0)), kHeader);
  EXPECT_EQ(Around(image, centre(3, 0)), kHeader);
}

TEST(WeekPicture, PdfAndPrintoutHoldEveryCodeAndCrnAsText) {
  testing_support::TempFolder folder;
  const files::WeekPicture picture = files::PictureOf(TwoCourses());
  WritePicture(folder / "hafta.pdf", picture);
  ExpectTextOfTwoCourses(folder / "hafta.pdf");

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder / "yazici.pdf"));
  PrintTo(printer, picture);
  ExpectTextOfTwoCourses(folder / "yazici.pdf");
}

TEST(WeekPicture, AFileThatCannotBeWrittenIsAnErrorAndLeavesNothing) {
  testing_support::TempFolder folder;
  EXPECT_THROW(WritePicture(folder / "yok/hafta.png", files::PictureOf(TwoCourses())), Error);
  EXPECT_FALSE(std::filesystem::exists(folder / "yok"));
}

// kiremo --export, run as a student's script would.
struct ExportRun {
  int status = -1;
  std::string err;
};
ExportRun Kiremo(const std::string& arguments, const std::string& folder) {
  const std::string err = folder + "stderr.txt";
  const std::string command =
      "env -u DISPLAY -u QT_QPA_PLATFORM " KIREMO_BIN_DIR "/kiremo " + arguments + " 2>'" + err + "' >/dev/null";
  const int status = std::system(command.c_str());
  ExportRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(err)};
  std::filesystem::remove(err);
  return run;
}

TEST(HeadlessExport, DrawsAPlanFileWithoutAWindowAndFailsInTurkish) {
  testing_support::TempFolder folder;
  const std::string plan = folder / "plan.dkf";
  files::WritePlanFile(plan, TwoCourses());
  files::WritePlanFile(folder / "bos.dkf", planner::PlanSnapshot{});
  std::ofstream(folder / "bozuk.dkf") << "bir ders programı değil";

  ASSERT_EQ(Kiremo("--export '" + plan + "' '" + (folder / "hafta.png") + "'", folder.Path()).status, 0);
  const QImage image(QString::fromStdString(folder / "hafta.png"));
  EXPECT_EQ(image.size(), (WeekSize(files::PictureOf(TwoCourses())) * kPngScale).toSize());
  ASSERT_EQ(Kiremo("--export '" + plan + "' '" + (folder / "hafta.pdf") + "'", folder.Path()).status, 0);
  ExpectTextOfTwoCourses(folder / "hafta.pdf");

  struct Failure {
    std::string arguments;
    int status;
    const char* says;
  };
  std::vector<Failure> failures = {
      {"--export '" + (folder / "bozuk.dkf") + "' '" + (folder / "a.png") + "'", 1, "bir ders programı dosyası değil"},
      {"--export '" + (folder / "yok.dkf") + "' '" + (folder / "a.png") + "'", 1, "okunamadı"},
      {"--export '" + plan + "' '" + (folder / "yok/a.png") + "'", 1, "dosyasına yazılamadı"},
      {"--export '" + plan + "' '" + (folder / "a.jpg") + "'", 1, ".png ya da .pdf"},
      {"--export '" + (folder / "bos.dkf") + "' '" + (folder / "a.png") + "'", 1, "eklenmiş ders yok"},
      {"--export '" + plan + "'", 2, "kullanım"},
  };
  // Another user's links in a sticky folder that everyone writes, leading to
  // the student's own notes (planting them needs root).
  const bool root = ::geteuid() == 0;
  const std::string notes = folder / "notlar.txt";
  const std::string shared = folder / "paylasilan/";
  if (root) {
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    std::ofstream(notes) << "notlar";
    for (const char* name : {"hafta.png", "hafta.pdf"}) {
      std::filesystem::create_symlink(notes, shared + name);
      ASSERT_EQ(::lchown((shared + name).c_str(), 4343, 4343), 0);
      failures.push_back({"--export '" + plan + "' '" + shared + name + "'", 1, "bir kullanıcıya ait bir bağlantı"});
    }
  }
  for (const Failure& failure : failures) {
    const ExportRun run = Kiremo(failure.arguments, folder.Path());
    EXPECT_EQ(run.status, failure.status) << failure.arguments;
    EXPECT_NE(run.err.find(failure.says), std::string::npos) << failure.arguments << ": " << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "a.png"));
  EXPECT_FALSE(std::filesystem::exists(folder / "a.jpg"));
  if (!root) GTEST_SKIP() << "the cases of another user's planted links need root";
  EXPECT_EQ(ReadWholeFile(notes), "notlar");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shared), {}), 2);
}

using ScreenGridTest = GuiTest;

// The grid on screen is drawn by the same painting as the pictures.
TEST_F(ScreenGridTest, TheWindowsGridShowsTheCourseColourAtTheCellsCentre) {
  Start();
  Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 101"));
  Pick(Find<QComboBox>("ComboBox3"), 1);
  QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  auto* grid = Find<QTableWidget>("Grid1");
  const QImage shown = grid->viewport()->grab().toImage();
  EXPECT_EQ(Around(shown, GridCellRect(1, 1)), kRow1);
  EXPECT_EQ(Around(shown, GridCellRect(1, 3)), kWhite);
  EXPECT_EQ(Around(shown, GridCellRect(2, 0)), kHeader);

  const files::WeekPicture picture = files::PictureOf(form->Application().Plan());
  QImage drawn(shown.size(), QImage::Format_RGB32);
  drawn.fill(Qt::white);
  {
    QPainter painter(&drawn);
    PaintGrid(painter, picture);
  }
  EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), drawn);
}

}  // namespace
}  // namespace kiremo::shell::testing
