#include "shell/qt_dispatcher.h"

#include <QThread>
#include <exception>

#include "app/event_guard.h"

namespace kiremo::shell {

QtDispatcher::QtDispatcher(ui::Dialogs& dialogs) : dialogs_(dialogs) {}

void QtDispatcher::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(
      &context_, [this, work = std::move(work)] { app::RunGuarded(dialogs_, work); }, Qt::QueuedConnection);
}

void QtDispatcher::PostAndWait(std::function<void()> work) {
  if (QThread::currentThread() == context_.thread()) {
    work();  // waiting for our own thread would never end
    return;
  }
  std::exception_ptr failure;
  QMetaObject::invokeMethod(
      &context_,
      [&] {
        try {
          work();
        } catch (...) {
          failure = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace kiremo::shell
