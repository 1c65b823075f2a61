#include "shell/search_progress_box.h"

#include <QCoreApplication>

#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell {

namespace {

constexpr double kQuietSeconds = 0.5;
// How often the box is redrawn and the stop button listened to.
constexpr double kRefreshSeconds = 0.05;
// Room for a title bar's icon and buttons, beside its title.
constexpr int kTitleBarButtons = 160;

QString ProgressText(int timetables) {
  return ToQString(std::string("Ders programları aranıyor...\nŞimdiye kadar bulunan: "_w) + std::to_string(timetables));
}

}  // namespace

SearchProgressBox::~SearchProgressBox() = default;

bool SearchProgressBox::Poll(const generator::SearchProgress& progress) {
  if (progress.elapsed_seconds < kQuietSeconds) return false;
  if (!box_) {
    box_ = std::make_unique<QProgressDialog>(ProgressText(progress.timetables), ToQString("Durdur"), 0, 0, owner_);
    box_->setObjectName(QStringLiteral("SearchProgress"));
    box_->setWindowTitle(ToQString("Otomatik Oluştur"_w));
    // The title bar holds the title beside the window manager's buttons;
    // the box's own text is narrower than that.
    box_->setMinimumWidth(box_->fontMetrics().horizontalAdvance(box_->windowTitle()) + kTitleBarButtons);
    box_->setWindowModality(Qt::ApplicationModal);
    box_->setMinimumDuration(0);
    box_->setAutoClose(false);
    box_->setAutoReset(false);
    box_->show();
    shown_until_ = progress.elapsed_seconds;
    QCoreApplication::processEvents();
  } else if (progress.elapsed_seconds - shown_until_ >= kRefreshSeconds) {
    box_->setLabelText(ProgressText(progress.timetables));
    shown_until_ = progress.elapsed_seconds;
    QCoreApplication::processEvents();
  }
  return box_->wasCanceled();
}

void SearchProgressBox::Finished() {
  box_.reset();
  shown_until_ = 0;
}

}  // namespace kiremo::shell
