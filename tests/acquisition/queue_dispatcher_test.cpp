#include "acquisition/queue_dispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kiremo::acquisition {
namespace {

using namespace std::chrono_literals;

TEST(QueueDispatcherTest, RunsPostsOnTheOwnerInTheOrderEachThreadMadeThem) {
  QueueDispatcher dispatcher;
  std::vector<std::pair<int, int>> ran;  // touched only by the owner
  std::vector<std::thread> posters;
  for (int t = 0; t < 4; ++t) {
    posters.emplace_back([&, t] {
      for (int k = 0; k < 100; ++k) dispatcher.Post([&ran, t, k] { ran.emplace_back(t, k); });
    });
  }
  for (auto& poster : posters) poster.join();
  EXPECT_EQ(dispatcher.RunPending(), 400);
  std::vector<int> next(4, 0);
  for (const auto& [t, k] : ran) EXPECT_EQ(k, next[t]++);
  EXPECT_EQ(dispatcher.RunPending(), 0);
}

TEST(QueueDispatcherTest, PostAndWaitReturnsOnlyAfterTheOwnerRanTheWork) {
  QueueDispatcher dispatcher;
  std::atomic<bool> returned{false};
  int value = 0;
  std::thread worker([&] {
    dispatcher.PostAndWait([&] { value = 42; });
    returned = true;
  });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(returned);
  EXPECT_TRUE(dispatcher.RunUntil([&] { return returned.load(); }, 5s));
  worker.join();
  EXPECT_EQ(value, 42);
}

TEST(QueueDispatcherTest, PostAndWaitOnTheOwnerRunsAtOnceAndErrorsReachTheWaiter) {
  QueueDispatcher dispatcher;
  int value = 0;
  dispatcher.PostAndWait([&] { value = 1; });
  EXPECT_EQ(value, 1);

  std::atomic<bool> caught{false};
  std::thread worker([&] {
    try {
      dispatcher.PostAndWait([] { throw std::runtime_error("kutu açılamadı"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
  });
  EXPECT_TRUE(dispatcher.RunUntil([&] { return caught.load(); }, 5s));
  worker.join();
}

TEST(QueueDispatcherTest, WaitAndRunGivesUpWhenNothingArrives) {
  QueueDispatcher dispatcher;
  EXPECT_EQ(dispatcher.WaitAndRun(20ms), 0);
  EXPECT_FALSE(dispatcher.RunUntil([] { return false; }, 30ms));
}

}  // namespace
}  // namespace kiremo::acquisition
