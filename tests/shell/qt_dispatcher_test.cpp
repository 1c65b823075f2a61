#include "shell/qt_dispatcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "text/errors.h"
#include "view/memory_view.h"

namespace kiremo::shell {
namespace {

// Runs the event loop until the condition holds (or a generous time is up).
bool ProcessUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 5000 && !done(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    QThread::usleep(200);
  }
  return done();
}

TEST(QtDispatcher, PostedWorkRunsOnTheWindowThreadInOrder) {
  ui::MemoryDialogs dialogs;
  QtDispatcher dispatcher(dialogs);
  std::vector<int> order;
  std::atomic<bool> on_window_thread{true};
  const QThread* window = QThread::currentThread();
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) {
      dispatcher.Post([&, i] {
        on_window_thread = on_window_thread && QThread::currentThread() == window;
        order.push_back(i);
      });
    }
  });
  worker.join();
  EXPECT_TRUE(order.empty()) << "nothing runs before the window thread gets to it";
  ASSERT_TRUE(ProcessUntil([&] { return order.size() == 3; }));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(on_window_thread);
}

TEST(QtDispatcher, FailingPostedWorkShowsTheStandardErrorBox) {
  ui::MemoryDialogs dialogs;
  QtDispatcher dispatcher(dialogs);
  dispatcher.Post([] { throw IoError("kaput"); });
  bool later = false;
  dispatcher.Post([&] { later = true; });
  ASSERT_TRUE(ProcessUntil([&] { return later; }));
  EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"kaput"}));
}

TEST(QtDispatcher, WaitedWorkReturnsItsErrorToTheWaitingThread) {
  ui::MemoryDialogs dialogs;
  QtDispatcher dispatcher(dialogs);
  std::atomic<int> stage{0};
  std::string caught;
  std::thread worker([&] {
    dispatcher.PostAndWait([&] { stage = 1; });
    try {
      dispatcher.PostAndWait([] { throw DatabaseError("bozuk"); });
    } catch (const DatabaseError& e) {
      caught = e.what();
    }
    stage = 2;
  });
  EXPECT_TRUE(ProcessUntil([&] { return stage == 2; }));
  worker.join();
  EXPECT_EQ(caught, "bozuk");
  EXPECT_TRUE(dialogs.errors.empty());

  bool ran = false;
  dispatcher.PostAndWait([&] { ran = true; });
  EXPECT_TRUE(ran) << "on the window thread itself the work runs at once";
}

}  // namespace
}  // namespace kiremo::shell
