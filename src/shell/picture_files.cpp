#include "shell/picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>

#include "catalogue/file_system.h"
#include "files/export_file.h"
#include "shell/week_painter.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::shell {

namespace {

constexpr int kPdfResolution = 300;

// The whole paintable area of a paged device, in its own units.
QRectF PageArea(const QPaintDevice& device) { return {0, 0, qreal(device.width()), qreal(device.height())}; }

}  // namespace

QByteArray PngBytes(const files::WeekPicture& picture) {
  QImage image((WeekSize(picture) * kPngScale).toSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintWeek(painter, picture, QRectF(image.rect()));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw Error(std::string("PNG resmi oluşturulamadı"_w));
  return bytes;
}

QByteArray PdfBytes(const files::WeekPicture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Kiremo"));
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    QPainter painter(&writer);
    if (!painter.isActive()) throw Error(std::string("PDF belgesi oluşturulamadı"_w));
    PaintWeek(painter, picture, PageArea(writer));
  }
  return bytes;
}

void WritePicture(const std::string& path, const files::WeekPicture& picture) {
  const auto format = files::PictureFormatOf(path);
  if (!format) throw Error(std::string("yalnızca .png ya da .pdf yazılabilir"_w));
  const QByteArray bytes = *format == files::PictureFormat::kPng ? PngBytes(picture) : PdfBytes(picture);
  try {
    WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const IoError& e) {
    std::string reason = e.what();
    const std::string prefix = path + ": ";
    if (reason.rfind(prefix, 0) == 0) reason.erase(0, prefix.size());
    throw Error(reason);
  }
}

void PrintTo(QPrinter& printer, const files::WeekPicture& picture) {
  QPainter painter;
  if (!painter.begin(&printer)) throw Error(std::string("yazıcı başlatılamadı"_w));
  PaintWeek(painter, picture, PageArea(printer));
  painter.end();
}

}  // namespace kiremo::shell
